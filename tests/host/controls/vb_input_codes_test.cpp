#include "host/controls/vb_input_codes.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QKeySequence>

#include "host/controls/mouse_pointer.h"
#include "host/controls/twips.h"
#include "support/case_name.h"

namespace zel {
namespace {

struct CodeCase {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int expected;
};

class VbKeyCodeTest : public ::testing::TestWithParam<CodeCase> {};

TEST_P(VbKeyCodeTest, MapsTheKey) {
    const QKeyEvent event(QEvent::KeyPress, GetParam().key, GetParam().modifiers);
    EXPECT_EQ(VbKeyCode(event), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, VbKeyCodeTest,
    ::testing::Values(CodeCase{Qt::Key_F1, {}, 112}, CodeCase{Qt::Key_F9, {}, 120},
                      CodeCase{Qt::Key_F12, {}, 123}, CodeCase{Qt::Key_A, {}, 65},
                      CodeCase{Qt::Key_Z, Qt::ShiftModifier, 90}, CodeCase{Qt::Key_5, {}, 53},
                      CodeCase{Qt::Key_5, Qt::KeypadModifier, 101},
                      CodeCase{Qt::Key_Return, {}, 13},
                      CodeCase{Qt::Key_Enter, Qt::KeypadModifier, 13},
                      CodeCase{Qt::Key_Escape, {}, 27}, CodeCase{Qt::Key_Delete, {}, 46},
                      CodeCase{Qt::Key_PageUp, {}, 33}, CodeCase{Qt::Key_Down, {}, 40},
                      CodeCase{Qt::Key_Tab, {}, 9}, CodeCase{Qt::Key_Exclam, {}, 0}),
    [](const auto& info) {
        return ::zel::test::CaseName(
            std::to_string(info.index) + " " +
                QKeySequence(QKeyCombination(info.param.modifiers, info.param.key))
                    .toString()
                    .toStdString(),
            info.index);
    });

TEST(VbInputCodes, ShiftAndButtonMasks) {
    EXPECT_EQ(VbShiftMask(Qt::NoModifier), 0);
    EXPECT_EQ(VbShiftMask(Qt::ControlModifier), 2);
    EXPECT_EQ(VbShiftMask(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(VbShiftMask(Qt::KeypadModifier), 0);
    EXPECT_EQ(VbButtonMask(Qt::RightButton), 2);
    EXPECT_EQ(VbButtonMask(Qt::LeftButton | Qt::MiddleButton), 5);
}

TEST(MousePointer, HostValuesGiveTheirCursors) {
    EXPECT_EQ(CursorShapeOf(kPointerHourglass), Qt::WaitCursor);
    EXPECT_EQ(CursorShapeOf(kPointerSizeWE), Qt::SizeHorCursor);
    EXPECT_FALSE(CursorShapeOf(kPointerDefault).has_value());
    EXPECT_FALSE(CursorShapeOf(4).has_value());
}

struct TwipsCase {
    double dpi;
    double perPixel;
};

class TwipsTest : public ::testing::TestWithParam<TwipsCase> {};

TEST_P(TwipsTest, ConvertsBothWays) {
    const Twips twips(GetParam().dpi, GetParam().dpi);
    EXPECT_DOUBLE_EQ(twips.PerPixelX(), GetParam().perPixel);
    EXPECT_DOUBLE_EQ(twips.FromPixelsY(40), 40 * GetParam().perPixel);
    EXPECT_EQ(twips.ToPixelsX(twips.FromPixelsX(123)), 123);
}

INSTANTIATE_TEST_SUITE_P(Dpis, TwipsTest,
                         ::testing::Values(TwipsCase{96, 15}, TwipsCase{120, 12},
                                           TwipsCase{144, 10}, TwipsCase{0, 15}),
                         [](const auto& info) {
                             return ::zel::test::CaseName(
                                 std::to_string(static_cast<int>(info.param.dpi)) + " dpi",
                                 info.index);
                         });

TEST(Twips, AxesAreApartAndTheScreenIsAsked) {
    const Twips twips(96, 192);
    EXPECT_DOUBLE_EQ(twips.PerPixelY(), 7.5);
    EXPECT_EQ(twips.ToPixelsY(600), 80);
    EXPECT_GT(Twips::ForScreen().PerPixelX(), 0);
}

}  // namespace
}  // namespace zel
