#pragma once

#include <functional>
#include <string>

class QDialog;
class QWidget;

namespace zel {

// The picker of a date field: a calendar shown modally at a place in the owner window, which
// answers the chosen date as text. The calendar has a fixed size, so that a window can tell
// beforehand whether it fits below the field.
class CalendarPicker final {
public:
    // Twips, in the owner window's coordinates.
    double Left() const { return left_; }
    void SetLeft(double twips) { left_ = twips; }
    double Top() const { return top_; }
    void SetTop(double twips) { top_ = twips; }
    double Width() const;
    double Height() const;

    // Put between year, month and day of the answer.
    const std::string& Separator() const { return separator_; }
    void SetSeparator(const std::string& separator) { separator_ = separator; }

    // Shows the calendar (object name "calendar") through runModal, which answers
    // QDialog::Accepted when the user chose a date; a double click or Enter on a date chooses it.
    // It opens at current when the host's date rule (HostDate) reads that as a date, else at
    // today, and offers only the days that rule reads. The answer is the chosen date
    // as yyyy, MM and dd joined by the separator; when the user cancels it is current unchanged,
    // so that a window that puts the answer into its field keeps what the field held.
    std::string Show(QWidget& owner, const std::function<int(QDialog&)>& runModal,
                     const std::string& current) const;

private:
    double left_ = 0;
    double top_ = 0;
    std::string separator_ = "-";
};

}  // namespace zel
