#include "host/controls/calendar_picker.h"

#include <QCalendarWidget>
#include <QDate>
#include <QDialog>
#include <QFrame>
#include <QVBoxLayout>

#include "host/controls/twips.h"
#include "host/objects/host_date.h"

namespace zel {
namespace {

// Room for the month and year bar and six weeks of days in the usual fonts.
constexpr double kWidthTwips = 4200;
constexpr double kHeightTwips = 3300;

QDate QDateOf(std::chrono::year_month_day day) {
    return QDate(static_cast<int>(day.year()), static_cast<int>(static_cast<unsigned>(day.month())),
                 static_cast<int>(static_cast<unsigned>(day.day())));
}

// The date the field holds in a form the host reads; an invalid QDate otherwise.
QDate DateOf(const std::string& text) {
    const auto date = HostDate::Parse(text);
    return date ? QDateOf(date->Day()) : QDate();
}

std::string TextOf(QDate date, const std::string& separator) {
    const auto padded = [](int value, int width) {
        return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
    };
    const QString sep = QString::fromStdString(separator);
    return (padded(date.year(), 4) + sep + padded(date.month(), 2) + sep + padded(date.day(), 2))
        .toStdString();
}

// A popup, so that a click outside it cancels, as Esc does; a double click or Enter on a date
// chooses it.
QCalendarWidget& BuildCalendar(QDialog& dialog) {
    // A popup has no window frame; a line keeps the calendar apart from the window below it.
    auto* border = new QFrame(&dialog);
    border->setFrameStyle(QFrame::Box | QFrame::Plain);
    auto* calendar = new QCalendarWidget(border);
    calendar->setObjectName(QStringLiteral("calendar"));
    // Only days the host reads as dates can be chosen.
    calendar->setDateRange(QDate(HostDate::kFirstYear, 1, 1), QDate(HostDate::kLastYear, 12, 31));
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    QObject::connect(calendar, &QCalendarWidget::activated, &dialog, &QDialog::accept);
    auto* inner = new QVBoxLayout(border);
    inner->setContentsMargins(1, 1, 1, 1);
    inner->addWidget(calendar);
    auto* outer = new QVBoxLayout(&dialog);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(border);
    return *calendar;
}

}  // namespace

double CalendarPicker::Width() const {
    return kWidthTwips;
}

double CalendarPicker::Height() const {
    return kHeightTwips;
}

std::string CalendarPicker::Show(QWidget& owner, const std::function<int(QDialog&)>& runModal,
                                 const std::string& current) const {
    QDialog dialog(&owner, Qt::Popup);
    QCalendarWidget& calendar = BuildCalendar(dialog);
    if (const QDate start = DateOf(current); start.isValid()) {
        calendar.setSelectedDate(start);
    }
    const Twips twips = Twips::ForScreen(owner.screen());
    dialog.setFixedSize(twips.ToPixelsX(kWidthTwips), twips.ToPixelsY(kHeightTwips));
    dialog.move(owner.mapToGlobal(QPoint(twips.ToPixelsX(left_), twips.ToPixelsY(top_))));
    calendar.setFocus();

    if (runModal(dialog) != QDialog::Accepted) {
        return current;
    }
    return TextOf(calendar.selectedDate(), separator_);
}

}  // namespace zel
