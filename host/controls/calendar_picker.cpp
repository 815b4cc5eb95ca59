#include "host/controls/calendar_picker.h"

#include <QCalendarWidget>
#include <QDate>
#include <QDialog>
#include <QFrame>
#include <QLocale>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "host/controls/twips.h"

namespace zel {
namespace {

// Room for the month and year bar and six weeks of days in the usual fonts.
constexpr double kWidthTwips = 4200;
constexpr double kHeightTwips = 3300;
// A two-digit year is read in the century that puts it nearest to today.
constexpr int kHalfCentury = 50;

QDate FromParts(const QRegularExpressionMatch& match) {
    return QDate(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
}

QDate NearestCentury(QDate date) {
    const int thisYear = QDate::currentDate().year();
    while (date.isValid() && date.year() < thisYear - kHalfCentury) {
        date = date.addYears(100);
    }
    return date;
}

// Year first with any separator ("2024-03-05", "2024/3/5", "20240305"), or the system's short
// date form, in which the editor fills a date field itself.
QDate DateOf(const std::string& text) {
    const QString trimmed = QString::fromStdString(text).trimmed();
    static const QRegularExpression yearFirst(
        QStringLiteral(R"(^(\d{4})\D+(\d{1,2})\D+(\d{1,2})$)"));
    static const QRegularExpression joined(QStringLiteral(R"(^(\d{4})(\d{2})(\d{2})$)"));
    for (const QRegularExpression* form : {&yearFirst, &joined}) {
        const QRegularExpressionMatch match = form->match(trimmed);
        if (match.hasMatch()) {
            return FromParts(match);
        }
    }
    const QString shortForm = QLocale::system().dateFormat(QLocale::ShortFormat);
    const QDate date = QLocale::system().toDate(trimmed, shortForm);
    return shortForm.contains(QStringLiteral("yyyy")) ? date : NearestCentury(date);
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
