#include "host/controls/ys_combo_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <vector>

namespace zel {
namespace {

class YsComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window_);
        combo_ = new YsComboBox(&window_);
        next_ = new QLineEdit(&window_);
        layout->addWidget(combo_);
        layout->addWidget(next_);
        for (const char* unit : {"天", "周", "月"}) {
            combo_->AddItem(unit);
        }
    }

    void ShowFocused() {
        window_.show();
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
        combo_->setFocus();
        ASSERT_TRUE(combo_->hasFocus());
    }

    QWidget window_;
    YsComboBox* combo_ = nullptr;
    QLineEdit* next_ = nullptr;
};

TEST_F(YsComboBoxTest, FilledListSelectsNothingAndShowsNoText) {
    EXPECT_EQ(combo_->ListCount(), 3);
    EXPECT_EQ(combo_->ListIndex(), -1);
    EXPECT_EQ(combo_->Text(), "");
}

TEST_F(YsComboBoxTest, FillingAndClearingRaiseNoClick) {
    QSignalSpy clicks(combo_, &YsComboBox::Click);
    ASSERT_TRUE(combo_->SetListIndex(2));
    combo_->Clear();
    EXPECT_EQ(combo_->ListIndex(), -1);
    combo_->AddItem("1");
    combo_->AddItem("2");
    EXPECT_EQ(combo_->ListIndex(), -1);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(YsComboBoxTest, SetListIndexClicksOnlyWhenTheSelectionChanges) {
    QSignalSpy clicks(combo_, &YsComboBox::Click);
    ASSERT_TRUE(combo_->SetListIndex(1));
    EXPECT_EQ(combo_->Text(), "周");
    ASSERT_TRUE(combo_->SetListIndex(1));
    EXPECT_EQ(clicks.count(), 1);
    ASSERT_TRUE(combo_->SetListIndex(-1));
    EXPECT_EQ(combo_->Text(), "");
    EXPECT_FALSE(combo_->SetListIndex(3));
    EXPECT_FALSE(combo_->SetListIndex(-2));
    EXPECT_EQ(combo_->ListIndex(), -1);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(YsComboBoxTest, UserChoiceClicks) {
    ShowFocused();
    ASSERT_TRUE(combo_->SetListIndex(0));
    QSignalSpy clicks(combo_, &YsComboBox::Click);
    QTest::keyClick(combo_, Qt::Key_Down);
    EXPECT_EQ(combo_->Text(), "周");
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(YsComboBoxTest, OpeningTheListRaisesDropDownButNoLostFocus) {
    ShowFocused();
    QSignalSpy dropDowns(combo_, &YsComboBox::DropDown);
    QSignalSpy lostFocus(combo_, &YsComboBox::LostFocus);
    QTest::keyClick(combo_, Qt::Key_F4);
    EXPECT_EQ(dropDowns.count(), 1);
    combo_->hidePopup();
    EXPECT_EQ(lostFocus.count(), 0);
}

TEST_F(YsComboBoxTest, LostFocusSeesTheControlThatGotTheFocus) {
    ShowFocused();
    std::vector<QWidget*> focusAtLostFocus;
    QObject::connect(combo_, &YsComboBox::LostFocus,
                     [&] { focusAtLostFocus.push_back(QApplication::focusWidget()); });
    QTest::keyClick(combo_, Qt::Key_Tab);
    EXPECT_EQ(focusAtLostFocus, std::vector<QWidget*>{next_});
}

TEST_F(YsComboBoxTest, RaisesKeysInTheHostCodes) {
    ShowFocused();
    std::vector<std::pair<int, int>> downs;
    std::vector<int> presses;
    QObject::connect(combo_, &YsComboBox::KeyDown, [&](int& code, int shift) {
        // The modifier keys are keys too (Alt 18), raised as they go down.
        if (code != 18) {
            downs.emplace_back(code, shift);
        }
    });
    QObject::connect(combo_, &YsComboBox::KeyPress, [&](int& ascii) { presses.push_back(ascii); });
    QTest::keyClick(combo_, Qt::Key_Return);
    QTest::keyClick(combo_, Qt::Key_PageDown, Qt::AltModifier);
    EXPECT_EQ(downs, (std::vector<std::pair<int, int>>{{13, 0}, {34, 4}}));
    EXPECT_EQ(presses, std::vector<int>{13});
}

TEST_F(YsComboBoxTest, AKeyDownSetToZeroIsSwallowed) {
    ShowFocused();
    ASSERT_TRUE(combo_->SetListIndex(0));
    QObject::connect(combo_, &YsComboBox::KeyDown, [](int& code, int) { code = 0; });
    int presses = 0;
    QObject::connect(combo_, &YsComboBox::KeyPress, [&](int&) { ++presses; });
    QTest::keyClick(combo_, Qt::Key_Down);
    QTest::keyClick(combo_, Qt::Key_Return);
    EXPECT_EQ(combo_->ListIndex(), 0);
    EXPECT_EQ(presses, 0);
}

}  // namespace
}  // namespace zel
