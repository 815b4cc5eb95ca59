#include "host/pub/save_question.h"

#include <QAction>

#include "host/controls/button_bar.h"
#include "host/controls/ys_toolbar.h"
#include "host/objects/resource_texts.h"
#include "host/pub/toolbar_states.h"
#include "host/pub/window_controls.h"
#include "interfaces/pub.h"

namespace zel {
namespace {

constexpr const char* kHiddenBarName = "Tlb";
constexpr const char* kToolbarName = "TLB2";
constexpr const char* kSaveKey = "SaveRs";
constexpr const char* kQuestionKey = "Zel.HOST.EDIT.save_changes";
constexpr const char* kTitleKey = "Zel.AA.ARCHIVE.COMMON.exclamation";

const ToolbarButton* SaveButton(const QWidget& window) {
    const ButtonBar* bar = FindButtonBar(window, kHiddenBarName);
    return bar != nullptr ? bar->Buttons(kSaveKey) : nullptr;
}

// The bar's click is what runs the window's save; a disabled action would ignore the trigger,
// so the bar is brought up to the hidden bar's states first.
void ClickSave(QWidget& window) {
    auto* toolbar = FindControlAs<YsToolbar>(window, kToolbarName);
    const ButtonBar* bar = FindButtonBar(window, kHiddenBarName);
    if (toolbar == nullptr || bar == nullptr) {
        return;
    }
    ShowButtonStates(*toolbar, *bar);
    if (QAction* save = toolbar->Action(kSaveKey)) {
        save->trigger();
    }
}

}  // namespace

SaveOutcome AskToSaveChanges(QWidget& window, const AskUser& ask) {
    const ToolbarButton* save = SaveButton(window);
    if (save == nullptr || !save->Enabled()) {
        return SaveOutcome::kNothingUnsaved;
    }
    const ResourceTexts& texts = ResourceTexts::Instance();
    const int answer =
        ask(texts.Text(kQuestionKey), kMsgYesNoCancel + kMsgQuestion, texts.Text(kTitleKey));
    if (answer == kAnswerNo) {
        return SaveOutcome::kDropped;
    }
    if (answer != kAnswerYes) {
        return SaveOutcome::kKept;
    }
    ClickSave(window);
    // Looked up again: the save may have rebuilt the bar's buttons.
    const ToolbarButton* after = SaveButton(window);
    return after != nullptr && after->Enabled() ? SaveOutcome::kSaveFailed : SaveOutcome::kSaved;
}

bool MayLeave(SaveOutcome outcome) {
    return outcome != SaveOutcome::kSaveFailed && outcome != SaveOutcome::kKept;
}

}  // namespace zel
