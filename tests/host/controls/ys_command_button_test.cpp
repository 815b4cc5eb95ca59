#include "host/controls/ys_command_button.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "host/controls/edit_box.h"
#include "host/controls/image_list.h"

namespace zel {
namespace {

int DarkestLightness(const QImage& image) {
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            darkest = std::min(darkest, image.pixelColor(x, y).lightness());
        }
    }
    return darkest;
}

class YsCommandButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window_);
        edit_ = new Edit(&window_);
        button_ = new YsCommandButton(&window_);
        next_ = new Edit(&window_);
        layout->addWidget(edit_);
        layout->addWidget(button_);
        layout->addWidget(next_);
        window_.show();
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
        edit_->setFocus();
    }

    QWidget window_;
    Edit* edit_ = nullptr;
    YsCommandButton* button_ = nullptr;
    Edit* next_ = nullptr;
};

TEST_F(YsCommandButtonTest, TabPassesTheButtonBy) {
    QTest::keyClick(edit_, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next_);
}

TEST_F(YsCommandButtonTest, AClickTakesTheFocusBeforeItIsRaised) {
    // The field's lost-focus check tells a move to its picker button by the focus.
    std::vector<QWidget*> focusAtLostFocus;
    QObject::connect(edit_, &Edit::LostFocus,
                     [&] { focusAtLostFocus.push_back(QApplication::focusWidget()); });
    QWidget* focusAtClick = nullptr;
    QObject::connect(button_, &YsCommandButton::Click,
                     [&] { focusAtClick = QApplication::focusWidget(); });
    QTest::mouseClick(button_, Qt::LeftButton);
    EXPECT_EQ(focusAtLostFocus, std::vector<QWidget*>{button_});
    EXPECT_EQ(focusAtClick, button_);
}

TEST(YsCommandButton, TheControlsHaveThePickerPictures) {
    for (const char* name : {"Reference", "Calendar"}) {
        const QIcon picture = ImageList::OwnIcon(name);
        ASSERT_FALSE(picture.isNull()) << name;
        EXPECT_FALSE(picture.pixmap(16, 16).isNull()) << name;
    }
}

// A picker that cannot be used must look it: a disabled button draws its picture greyed.
TEST_F(YsCommandButtonTest, ADisabledButtonDrawsItsPictureGreyed) {
    button_->SetPicture(ImageList::OwnIcon("Reference"));
    const QImage enabled = button_->grab().toImage();
    button_->setEnabled(false);
    const QImage disabled = button_->grab().toImage();
    EXPECT_GT(DarkestLightness(disabled), DarkestLightness(enabled) + 40);
}

}  // namespace
}  // namespace zel
