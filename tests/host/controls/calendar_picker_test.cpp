#include "host/controls/calendar_picker.h"

#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QDate>
#include <QDialog>
#include <QTableView>
#include <QTest>
#include <QWidget>
#include <optional>
#include <string>

#include "host/controls/twips.h"

namespace zel {
namespace {

QCalendarWidget& CalendarOf(QDialog& dialog) {
    auto* calendar = dialog.findChild<QCalendarWidget*>(QStringLiteral("calendar"));
    EXPECT_NE(calendar, nullptr);
    return *calendar;
}

QAbstractItemView& DaysOf(QCalendarWidget& calendar) {
    auto* days = calendar.findChild<QTableView*>();
    EXPECT_NE(days, nullptr);
    return *days;
}

class CalendarPickerTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner_.setGeometry(120, 90, 640, 480);
        owner_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner_));
    }

    // Picks the date in the calendar and answers with the given code.
    std::string PickAndAnswer(QDate date, int answer, const std::string& current = "") {
        return picker_.Show(
            owner_,
            [&](QDialog& dialog) {
                CalendarOf(dialog).setSelectedDate(date);
                return answer;
            },
            current);
    }

    // The date the calendar opened at.
    QDate OpenedAt(const std::string& current) {
        QDate opened;
        picker_.Show(
            owner_,
            [&](QDialog& dialog) {
                opened = CalendarOf(dialog).selectedDate();
                return QDialog::Rejected;
            },
            current);
        return opened;
    }

    QWidget owner_;
    CalendarPicker picker_;
};

TEST_F(CalendarPickerTest, AnswersTheChosenDateWithTheSeparator) {
    EXPECT_EQ(PickAndAnswer(QDate(2024, 3, 5), QDialog::Accepted), "2024-03-05");
    picker_.SetSeparator("/");
    EXPECT_EQ(PickAndAnswer(QDate(1900, 1, 2), QDialog::Accepted), "1900/01/02");
    picker_.SetSeparator("");
    EXPECT_EQ(PickAndAnswer(QDate(2024, 11, 9), QDialog::Accepted), "20241109");
    // Taken as text, never as a pattern of the answer.
    picker_.SetSeparator("%3");
    EXPECT_EQ(PickAndAnswer(QDate(2024, 11, 9), QDialog::Accepted), "2024%311%309");
}

TEST_F(CalendarPickerTest, CancelAnswersTheFieldsTextUnchanged) {
    // Put back into the field, it keeps the date the user had there.
    EXPECT_EQ(PickAndAnswer(QDate(2024, 3, 5), QDialog::Rejected, "2020-01-02"), "2020-01-02");
    EXPECT_EQ(PickAndAnswer(QDate(2024, 3, 5), QDialog::Rejected, ""), "");
}

TEST_F(CalendarPickerTest, OpensAtTheFieldsDateElseAtToday) {
    EXPECT_EQ(OpenedAt("2023-12-31"), QDate(2023, 12, 31));
    EXPECT_EQ(OpenedAt(" 2023/1/2 "), QDate(2023, 1, 2));
    const QDate today = QDate::currentDate();
    for (const char* notADate : {"", "盘点", "2023-02-30", "20230704", "1899-12-31"}) {
        EXPECT_EQ(OpenedAt(notADate), today) << notADate;
    }
}

// A day before 1900 is no date anywhere else in the program.
TEST_F(CalendarPickerTest, OffersOnlyTheDaysTheDateRuleReads) {
    EXPECT_EQ(PickAndAnswer(QDate(1850, 6, 1), QDialog::Accepted), "1900-01-01");
}

TEST_F(CalendarPickerTest, EnterOrADoubleClickOnADateChoosesIt) {
    const auto chooseWith = [&](const std::function<void(QAbstractItemView&)>& gesture) {
        return picker_.Show(
            owner_,
            [&](QDialog& dialog) {
                QCalendarWidget& calendar = CalendarOf(dialog);
                calendar.setSelectedDate(QDate(2022, 6, 15));
                gesture(DaysOf(calendar));
                return dialog.result();
            },
            "");
    };
    EXPECT_EQ(chooseWith([](QAbstractItemView& days) { QTest::keyClick(&days, Qt::Key_Return); }),
              "2022-06-15");
    EXPECT_EQ(chooseWith([](QAbstractItemView& days) {
                  QTest::mouseDClick(days.viewport(), Qt::LeftButton, {},
                                     days.visualRect(days.currentIndex()).center());
              }),
              "2022-06-15");
}

TEST_F(CalendarPickerTest, OpensAtItsPlaceInTheOwnerWithItsFixedSize) {
    picker_.SetLeft(1500);
    picker_.SetTop(900);
    EXPECT_EQ(picker_.Left(), 1500);
    EXPECT_EQ(picker_.Top(), 900);
    const Twips twips = Twips::ForScreen(owner_.screen());
    std::optional<QRect> shownAt;
    bool fits = false;
    picker_.Show(
        owner_,
        [&](QDialog& dialog) {
            shownAt = dialog.frameGeometry();
            const QSize needed = CalendarOf(dialog).minimumSizeHint();
            fits = needed.width() <= dialog.width() && needed.height() <= dialog.height();
            return QDialog::Rejected;
        },
        "");
    ASSERT_TRUE(shownAt);
    const QPoint expected = owner_.mapToGlobal(QPoint(twips.ToPixelsX(1500), twips.ToPixelsY(900)));
    EXPECT_EQ(shownAt->topLeft(), expected);
    EXPECT_EQ(shownAt->height(), twips.ToPixelsY(picker_.Height()));
    EXPECT_EQ(shownAt->width(), twips.ToPixelsX(picker_.Width()));
    EXPECT_TRUE(fits);
}

}  // namespace
}  // namespace zel
