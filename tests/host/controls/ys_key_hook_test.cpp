#include "host/controls/ys_key_hook.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <string>
#include <vector>

namespace zel {
namespace {

struct KeyDown {
    int code;
    int shift;
    bool operator==(const KeyDown&) const = default;
};

class YsKeyHookTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window_);
        edit_ = new QLineEdit(&window_);
        layout->addWidget(edit_);
        hook_ = new YsKeyHook(window_);
        QObject::connect(hook_, &YsKeyHook::KeyDown, [this](int& code, int shift) {
            downs_.push_back({code, shift});
            if (code == swallowCode_) {
                code = 0;
            }
        });
        QObject::connect(hook_, &YsKeyHook::KeyPress, [this](int& ascii) {
            presses_.push_back(ascii);
            if (ascii == swallowAscii_) {
                ascii = 0;
            }
        });
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
        edit_->setFocus();
    }

    QWidget window_;
    QLineEdit* edit_ = nullptr;
    YsKeyHook* hook_ = nullptr;
    std::vector<KeyDown> downs_;
    std::vector<int> presses_;
    int swallowCode_ = -1;
    int swallowAscii_ = -1;
};

struct KeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    KeyDown expected;
};

class YsKeyHookKeysTest : public YsKeyHookTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(YsKeyHookKeysTest, RaisesTheHostCodeAndShiftOnce) {
    QTest::keyClick(edit_, GetParam().key, GetParam().modifiers);
    // The modifier keys are keys too (Ctrl 17, Shift 16, Alt 18), raised as they go down.
    std::vector<KeyDown> keys;
    for (const KeyDown& down : downs_) {
        if (down.code < 16 || down.code > 18) {
            keys.push_back(down);
        }
    }
    EXPECT_EQ(keys, std::vector<KeyDown>{GetParam().expected});
}

INSTANTIATE_TEST_SUITE_P(
    Keys, YsKeyHookKeysTest,
    ::testing::Values(
        KeyCase{"F5", Qt::Key_F5, Qt::NoModifier, {116, 0}},
        KeyCase{"CtrlF3", Qt::Key_F3, Qt::ControlModifier, {114, 2}},
        KeyCase{"ShiftF3", Qt::Key_F3, Qt::ShiftModifier, {114, 1}},
        KeyCase{"AltF4", Qt::Key_F4, Qt::AltModifier, {115, 4}},
        KeyCase{"Delete", Qt::Key_Delete, Qt::NoModifier, {46, 0}},
        KeyCase{"CtrlShiftP", Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier, {80, 3}},
        KeyCase{"F12", Qt::Key_F12, Qt::NoModifier, {123, 0}},
        KeyCase{"PageDown", Qt::Key_PageDown, Qt::NoModifier, {34, 0}},
        KeyCase{"Escape", Qt::Key_Escape, Qt::NoModifier, {27, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(YsKeyHookTest, AKeyTheFocusedWidgetIgnoresIsRaisedOnlyOnce) {
    // The edit box ignores F5, so Qt offers it to the window as well.
    QTest::keyClick(edit_, Qt::Key_F5);
    QTest::keyClick(&window_, Qt::Key_F9);
    EXPECT_EQ(downs_, (std::vector<KeyDown>{{116, 0}, {120, 0}}));
}

TEST_F(YsKeyHookTest, KeysTheHookPassesStillReachTheWidget) {
    QTest::keyClicks(edit_, "ab");
    EXPECT_EQ(edit_->text(), "ab");
    EXPECT_EQ(presses_, (std::vector<int>{'a', 'b'}));
    EXPECT_EQ(downs_, (std::vector<KeyDown>{{65, 0}, {66, 0}}));
}

TEST_F(YsKeyHookTest, ACodeSetToZeroSwallowsTheKey) {
    swallowCode_ = 65;
    QTest::keyClicks(edit_, "ab");
    EXPECT_EQ(edit_->text(), "b");
    EXPECT_EQ(presses_, std::vector<int>{'b'});
}

TEST_F(YsKeyHookTest, ACharacterSetToZeroIsNotTyped) {
    swallowAscii_ = 'x';
    QTest::keyClicks(edit_, "axb");
    EXPECT_EQ(edit_->text(), "ab");
}

TEST_F(YsKeyHookTest, EnterIsPressedAsThirteen) {
    QTest::keyClick(edit_, Qt::Key_Return);
    EXPECT_EQ(downs_, (std::vector<KeyDown>{{13, 0}}));
    EXPECT_EQ(presses_, std::vector<int>{13});
}

TEST_F(YsKeyHookTest, SilentWhileTheWindowIsDisabled) {
    window_.setEnabled(false);
    QTest::keyClick(&window_, Qt::Key_F5);
    window_.setEnabled(true);
    edit_->setFocus();
    QTest::keyClick(edit_, Qt::Key_F7);
    EXPECT_EQ(downs_, (std::vector<KeyDown>{{118, 0}}));
}

TEST_F(YsKeyHookTest, KeysOfAnotherWindowAreNotSeen) {
    QWidget dialog(&window_, Qt::Dialog);
    auto* other = new QLineEdit(&dialog);
    dialog.show();
    QTest::keyClick(other, Qt::Key_F5);
    EXPECT_TRUE(downs_.empty());
}

TEST_F(YsKeyHookTest, SeesWidgetsAddedAfterTheHook) {
    auto* late = new QLineEdit(&window_);
    window_.layout()->addWidget(late);
    late->show();
    QTest::keyClick(late, Qt::Key_F8);
    EXPECT_EQ(downs_, (std::vector<KeyDown>{{119, 0}}));
}

}  // namespace
}  // namespace zel
