#include <QApplication>
#include <QDate>

#include "core/date_check.h"
#include "core/run_ignoring_errors.h"
#include "editor/cycle_days.h"
#include "editor/frm_add_inv.h"
#include "host/controls/twips.h"
#include "host/controls/vb_input_codes.h"
#include "host/controls/ys_label.h"

namespace korvel {
namespace {

constexpr double kCalendarLeftOffset = 2000;
constexpr double kCalendarGap = 200;
constexpr double kCalendarBottomRoom = 1000;

}  // namespace

void FrmAddInv::UnitChosen() {
    RunIgnoringErrors([this] {
        days_->setEnabled(false);
        const CycleUnit unit = CycleUnitOfText(context_.catalogue, unit_->Text());
        if (unit == kUnitDay && mode_ == kAdd) {
            lastDate_->SetText(Today());
        }
        const std::vector<std::string> days = CycleDays(unit);
        days_->setEnabled(!days.empty());
        AddCmbItems(*days_, days, days.empty() ? -1 : 0);
        std::vector<std::string> unitText{unit_->Text()};
        daysLabel_->SetCaption(context_.login.pub->GetResFormatString(
            "Zel.AA.WHINVCONTRAPOSE.FRMADDINV.206_1", unitText));
    });
}

void FrmAddInv::DayChosen() {
    days_->setToolTip(QString::fromStdString(WeekdayTip(
        context_.catalogue, CycleUnitOfText(context_.catalogue, unit_->Text()), days_->Text())));
}

// Enter saves from the day box, and from the unit box when the unit has no day to choose.
void FrmAddInv::OnComboKeyPress(zel::YsComboBox& combo, int& ascii) {
    if (ascii != zel::kVbCharEnter || (mode_ != kAdd && mode_ != kModify) || !HasUnsavedChanges()) {
        return;
    }
    if (&combo == days_ || (&combo == unit_ && !days_->isEnabled())) {
        Operating("SaveRs");
    }
}

// The calendar opens below the button, or above it when the window has no room below.
void FrmAddInv::PickDate() {
    const zel::Twips twips = zel::Twips::ForScreen(screen());
    const QPoint button = pickDate_->mapTo(this, QPoint(0, 0));
    const double buttonLeft = twips.FromPixelsX(button.x());
    const double buttonTop = twips.FromPixelsY(button.y());
    const double buttonHeight = twips.FromPixelsY(pickDate_->height());
    calendar_.SetLeft(buttonLeft - kCalendarLeftOffset);
    calendar_.SetTop(buttonTop + buttonHeight + kCalendarGap);
    if (twips.FromPixelsY(height()) < calendar_.Top() + calendar_.Height() + kCalendarBottomRoom) {
        calendar_.SetTop(buttonTop - calendar_.Height());
    }
    calendar_.SetSeparator("-");
    zel::IPub& pub = *context_.login.pub;
    const std::string chosen = calendar_.Show(
        *this, [&pub, this](QDialog& calendar) { return pub.ShowModal(calendar, this); },
        lastDate_->Text());
    // A cancelled calendar answers the date as it was.
    if (chosen != lastDate_->Text()) {
        lastDate_->SetText(chosen);
        MarkChanged();
    }
}

// The host stores dates as yyyy-mm-dd whatever the desktop's short form: a date the service
// could not read back would make every save of the row fail.
std::string FrmAddInv::Today() const {
    return QDate::currentDate().toString(Qt::ISODate).toStdString();
}

// A save refuses the date multi-record modify refuses, and sends it in its stored form. A box the
// user cannot reach sends nothing, so there is nothing to check.
bool FrmAddInv::CheckLastDate() {
    if (!lastDate_->isEnabled() || lastDate_->isHidden()) {
        return true;
    }
    const auto* label = findChild<zel::YsLabel*>("LbldLastDate");
    const auto stored = CheckedDate(*context_.login.pub, lastDate_->Text(),
                                    label ? label->Caption() : std::string());
    if (!stored) {
        lastDate_->setFocus();
        return false;
    }
    lastDate_->SetText(*stored);
    return true;
}

}  // namespace korvel
