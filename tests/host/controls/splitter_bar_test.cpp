#include "host/controls/splitter_bar.h"

#include <gtest/gtest.h>

#include <QTest>
#include <tuple>
#include <vector>

#include "host/controls/twips.h"

namespace zel {
namespace {

using Report = std::tuple<char, short, short, float, float>;

TEST(SplitterBar, ReportsADragInTwipsWithTheHostCodes) {
    SplitterBar bar;
    bar.resize(6, 300);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    std::vector<Report> reports;
    auto record = [&](char phase) {
        return [&reports, phase](short b, short s, float x, float y) {
            reports.emplace_back(phase, b, s, x, y);
        };
    };
    QObject::connect(&bar, &SplitterBar::MouseDown, record('d'));
    QObject::connect(&bar, &SplitterBar::MouseUp, record('u'));
    EXPECT_EQ(bar.cursor().shape(), Qt::SizeHorCursor);

    QTest::mousePress(&bar, Qt::LeftButton, Qt::ShiftModifier, QPoint(2, 100));
    QTest::mouseRelease(&bar, Qt::LeftButton, Qt::NoModifier, QPoint(3, 120));

    const Twips twips = Twips::ForScreen(bar.screen());
    const auto x = [&](int px) { return static_cast<float>(twips.FromPixelsX(px)); };
    const auto y = [&](int px) { return static_cast<float>(twips.FromPixelsY(px)); };
    EXPECT_EQ(reports, (std::vector<Report>{{'d', 1, 1, x(2), y(100)}, {'u', 1, 0, x(3), y(120)}}));
}

TEST(SplitterBar, MovesReportTheButtonsHeld) {
    SplitterBar bar;
    bar.resize(6, 300);
    std::vector<short> buttons;
    QObject::connect(&bar, &SplitterBar::MouseMove,
                     [&](short b, short, float, float) { buttons.push_back(b); });
    QMouseEvent held(QEvent::MouseMove, QPointF(2, 50), QPointF(2, 50), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QMouseEvent hover(QEvent::MouseMove, QPointF(2, 60), QPointF(2, 60), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&bar, &held);
    QCoreApplication::sendEvent(&bar, &hover);
    EXPECT_EQ(buttons, (std::vector<short>{1, 0}));
}

}  // namespace
}  // namespace zel
