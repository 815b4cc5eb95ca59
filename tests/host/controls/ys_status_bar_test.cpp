#include "host/controls/ys_status_bar.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>

namespace zel {
namespace {

TEST(YsStatusBar, RaisesItsPeriodicEvent) {
    YsStatusBar bar;
    EXPECT_EQ(bar.Interval(), 1000);
    bar.SetInterval(5);
    QSignalSpy ticks(&bar, &YsStatusBar::Tick);
    EXPECT_TRUE(ticks.wait(5000));
}

TEST(YsStatusBar, WritingPanelThreeMakesThePanelsBeforeIt) {
    YsStatusBar bar;
    ASSERT_TRUE(bar.SetPanelText(3, "当前记录数：12 条"));
    EXPECT_EQ(bar.PanelCount(), 3);
    EXPECT_EQ(bar.PanelText(3), "当前记录数：12 条");
    EXPECT_EQ(bar.PanelText(1), "");
    EXPECT_EQ(bar.PanelText(4), "");
    EXPECT_FALSE(bar.SetPanelText(0, "x"));
}

// Which label shows the time: the one that is not a numbered panel.
QString ClockText(const YsStatusBar& bar) {
    for (const QLabel* label : bar.findChildren<QLabel*>()) {
        if (label->text().contains(QLatin1Char('1'))) {
            return label->text();
        }
    }
    return {};
}

TEST(YsStatusBar, DisplayStateZeroBlanksTheClockSeparators) {
    YsStatusBar bar;
    bar.SetTimeText("10:15:31");
    EXPECT_EQ(ClockText(bar), "10 15 31");
    ASSERT_TRUE(bar.SetDisplayState(1));
    EXPECT_EQ(ClockText(bar), "10:15:31");
    EXPECT_EQ(bar.TimeText(), "10:15:31");
    EXPECT_FALSE(bar.SetDisplayState(2));
    EXPECT_EQ(bar.DisplayState(), 1);
}

TEST(YsStatusBar, TakesNoHeightWhileHidden) {
    QWidget window;
    auto* bar = new YsStatusBar(&window);
    window.show();
    EXPECT_GT(bar->Height(), 0);
    bar->hide();
    EXPECT_EQ(bar->Height(), 0);
}

}  // namespace
}  // namespace zel
