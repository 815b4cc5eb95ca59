#pragma once

#include <functional>
#include <string>

class QWidget;

namespace zel {

// What became of a window's unsaved changes when it was asked about them.
enum class SaveOutcome {
    kNothingUnsaved,
    kSaved,
    kSaveFailed,
    kDropped,
    kKept,  // the user cancelled: the changes stay in the window
};

// Shows the question and returns the host's MsgBox answer code.
using AskUser = std::function<int(const std::string& text, int buttons, const std::string& title)>;

// A window has unsaved changes while the "SaveRs" button of its hidden bar "Tlb" is enabled.
// Then the user is asked (yes / no / cancel); yes runs the save as a click on that button of the
// bar "TLB2" would, and the save succeeded when it disabled the button. Any answer but yes or no
// keeps the changes, so that a box that cannot offer all three loses nothing.
SaveOutcome AskToSaveChanges(QWidget& window, const AskUser& ask);

// Whether the window may go on (move to another row, close) after that outcome.
bool MayLeave(SaveOutcome outcome);

}  // namespace zel
