#include "host/controls/edit_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QImage>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocumentFragment>
#include <QVBoxLayout>
#include <QWidget>

namespace zel {
namespace {

TEST(EditEntry, SwallowsTheRefusedCharactersTyped) {
    Edit edit;
    QTest::keyClicks(&edit, QStringLiteral("a<b>c'd\"e|f&g,h"));
    EXPECT_EQ(edit.Text(), "abcdefgh");
}

TEST(EditEntry, ARefusedKeyLeavesTheSelectionInPlace) {
    Edit edit;
    edit.SetText("abc");
    edit.selectAll();
    QTest::keyClick(&edit, '&');
    EXPECT_EQ(edit.Text(), "abc");
}

TEST(EditEntry, LeavesTheRefusedCharactersOutOfPastedText) {
    Edit edit;
    edit.SetText("12");
    edit.setCursorPosition(1);
    QApplication::clipboard()->setText(QStringLiteral("a<b'c,"));
    edit.paste();
    EXPECT_EQ(edit.Text(), "1abc2");
    EXPECT_EQ(edit.cursorPosition(), 4);
}

TEST(EditEntry, LeavesTheRefusedCharactersOutOfInsertedAndDroppedText) {
    Edit edit;
    edit.insert(QStringLiteral("x|y"));
    EXPECT_EQ(edit.Text(), "xy");

    edit.show();
    QMimeData data;
    data.setText(QStringLiteral("\"z\""));
    const QPoint end(edit.width() - 1, edit.height() / 2);
    QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&edit, &enter);
    QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&edit, &drop);
    EXPECT_EQ(edit.Text(), "xyz");
}

TEST(EditEntry, KeepsTextSetByTheProgramAsGivenWhileTheUserTypesBesideIt) {
    Edit edit;
    edit.SetText("R&D <north>");
    EXPECT_EQ(edit.Text(), "R&D <north>");
    edit.end(false);
    QTest::keyClicks(&edit, QStringLiteral(",1"));
    edit.home(false);
    QApplication::clipboard()->setText(QStringLiteral("A'"));
    edit.paste();
    EXPECT_EQ(edit.Text(), "AR&D <north>1");
}

TEST(EditEntry, MaxLengthLimitsTypingAndZeroMeansNoLimit) {
    Edit edit;
    EXPECT_EQ(edit.MaxLength(), 0);
    edit.SetMaxLength(4);
    EXPECT_EQ(edit.MaxLength(), 4);
    QTest::keyClicks(&edit, QStringLiteral("ab<cdef"));
    EXPECT_EQ(edit.Text(), "abcd");
    // The host's edit cuts program text at the limit too.
    edit.SetText("123456");
    EXPECT_EQ(edit.Text(), "1234");
    edit.SetMaxLength(0);
    edit.SetText(std::string(1000, '9'));
    EXPECT_EQ(edit.Text().size(), 1000u);
}

TEST(EditChange, IsRaisedForEveryChangeByUserOrProgramAndOnlyThen) {
    Edit edit;
    QSignalSpy changes(&edit, &Edit::Change);
    edit.SetText("a");
    QTest::keyClicks(&edit, QStringLiteral("bc"));
    EXPECT_EQ(changes.count(), 3);
    changes.clear();
    edit.SetText("abc");
    QTest::keyClick(&edit, '<');
    QApplication::clipboard()->setText(QStringLiteral("<>"));
    edit.paste();
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(edit.Text(), "abc");
}

TEST(EditProperties, KeepTagHintAndDigits) {
    Edit edit;
    edit.SetTag("P001");
    EXPECT_EQ(edit.Tag(), "P001");
    EXPECT_EQ(edit.Digits(), -1);
    // The host's number formatting reads and writes the decimals by property name.
    edit.setProperty("digits", 2);
    EXPECT_EQ(edit.Digits(), 2);
    EXPECT_EQ(edit.property("digits").toInt(), 2);
}

TEST(EditProperties, ShowsTheHintAsPlainTextTooltip) {
    Edit edit;
    edit.SetUTooltipText("编码：<b>A&1</b>");
    EXPECT_EQ(edit.UTooltipText(), "编码：<b>A&1</b>");
    EXPECT_EQ(QTextDocumentFragment::fromHtml(edit.toolTip()).toPlainText(),
              QStringLiteral("编码：<b>A&1</b>"));
    edit.SetUTooltipText("");
    EXPECT_TRUE(edit.toolTip().isEmpty());
}

// The colour a box is drawn with in its middle, where an empty box shows only its background.
QColor BackgroundDrawn(QLineEdit& box) {
    const QImage picture = box.grab().toImage();
    return picture.pixelColor(picture.width() / 2, picture.height() / 2);
}

class EditReadOnlyTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window_);
        for (QLineEdit* box : {static_cast<QLineEdit*>(editable_), disabled_}) {
            layout->addWidget(box);
        }
        disabled_->setEnabled(false);
        window_.show();
    }
    Edit* AddBox() {
        auto* box = new Edit(&window_);
        window_.layout()->addWidget(box);
        return box;
    }

    QWidget window_;
    Edit* editable_ = new Edit(&window_);
    QLineEdit* disabled_ = new QLineEdit(&window_);
};

TEST_F(EditReadOnlyTest, IsDrawnWithTheBackgroundOfADisabledBox) {
    Edit* locked = AddBox();
    locked->setReadOnly(true);
    // Made read-only before it joins its window, as a window may build its boxes.
    auto* early = new Edit;
    early->setReadOnly(true);
    early->setParent(&window_);
    window_.layout()->addWidget(early);
    early->show();

    ASSERT_NE(BackgroundDrawn(*editable_), BackgroundDrawn(*disabled_));
    for (Edit* box : {locked, early}) {
        EXPECT_EQ(BackgroundDrawn(*box), BackgroundDrawn(*disabled_));
        for (const auto group : {QPalette::Active, QPalette::Inactive}) {
            EXPECT_EQ(box->palette().color(group, QPalette::Base),
                      disabled_->palette().color(QPalette::Disabled, QPalette::Base));
            // Still text to be read, not the grey of a disabled box's text.
            EXPECT_EQ(box->palette().color(group, QPalette::Text),
                      editable_->palette().color(group, QPalette::Text));
        }
    }
}

TEST_F(EditReadOnlyTest, KeepsItsTextSelectableAndCopyableButNotTypedInto) {
    Edit* locked = AddBox();
    locked->SetText("仓库A01");
    locked->setReadOnly(true);
    EXPECT_TRUE(locked->isEnabled());
    QTest::keyClicks(locked, QStringLiteral("x"));
    EXPECT_EQ(locked->Text(), "仓库A01");
    locked->selectAll();
    locked->copy();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("仓库A01"));
}

TEST_F(EditReadOnlyTest, TypableAgainItTakesItsWindowsColoursAgain) {
    Edit* box = AddBox();
    box->setReadOnly(true);
    box->setReadOnly(false);
    EXPECT_EQ(BackgroundDrawn(*box), BackgroundDrawn(*editable_));
    EXPECT_FALSE(box->testAttribute(Qt::WA_SetPalette));
    QPalette colours = window_.palette();
    colours.setColor(QPalette::Base, Qt::yellow);
    window_.setPalette(colours);
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(Qt::yellow));
}

TEST_F(EditReadOnlyTest, ABoxWithColoursOfItsOwnGetsThemBack) {
    Edit* box = AddBox();
    QPalette own = box->palette();
    own.setColor(QPalette::Active, QPalette::Base, Qt::cyan);
    own.setColor(QPalette::Inactive, QPalette::Base, Qt::cyan);
    box->setPalette(own);
    box->setReadOnly(true);
    box->setReadOnly(true);  // again: no second look over the first
    EXPECT_EQ(box->palette().color(QPalette::Base),
              disabled_->palette().color(QPalette::Disabled, QPalette::Base));
    box->setReadOnly(false);
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(Qt::cyan));
}

class EditFocusTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window_);
        edit_ = new Edit(&window_);
        next_ = new Edit(&window_);
        layout->addWidget(edit_);
        layout->addWidget(next_);
        QObject::connect(edit_, &Edit::LostFocus,
                         [this] { focusAtLostFocus_.push_back(QApplication::focusWidget()); });
        window_.show();
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
        edit_->setFocus();
        ASSERT_TRUE(edit_->hasFocus());
    }

    QWidget window_;
    Edit* edit_ = nullptr;
    Edit* next_ = nullptr;
    std::vector<QWidget*> focusAtLostFocus_;
};

TEST_F(EditFocusTest, LostFocusSeesTheControlThatGotTheFocus) {
    QTest::keyClick(edit_, Qt::Key_Tab);
    EXPECT_EQ(focusAtLostFocus_, std::vector<QWidget*>{next_});
    edit_->setFocus();
    next_->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(focusAtLostFocus_, (std::vector<QWidget*>{next_, next_}));
}

TEST_F(EditFocusTest, LostFocusIsNotRaisedWhenAnotherWindowComesUp) {
    QWidget other;
    auto* box = new Edit(&other);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    box->setFocus();
    EXPECT_TRUE(focusAtLostFocus_.empty());
    other.hide();
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    EXPECT_EQ(QApplication::focusWidget(), edit_);
}

}  // namespace
}  // namespace zel
