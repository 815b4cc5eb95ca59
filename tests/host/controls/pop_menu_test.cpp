#include "host/controls/pop_menu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <string>
#include <vector>

namespace zel {
namespace {

class PopMenuTest : public ::testing::Test {
protected:
    std::vector<std::string> Captions() {
        std::vector<std::string> captions;
        for (const QAction* action : menu_->Menu().actions()) {
            captions.push_back(action->text().toStdString());
        }
        return captions;
    }

    QWidget window_;
    PopMenu* menu_ = new PopMenu(&window_);
};

TEST_F(PopMenuTest, IsTheWindowsHiddenPopMenuMgr) {
    EXPECT_EQ(window_.findChild<PopMenu*>("PopMenuMgr"), menu_);
    EXPECT_FALSE(menu_->isVisible());
}

TEST_F(PopMenuTest, ShowsTheItemsAndReturnsAtOnce) {
    menu_->Show({{"k1", "升序"}, {"k2", "降序"}}, QPoint(40, 50));
    EXPECT_TRUE(menu_->Menu().isVisible());
    EXPECT_EQ(Captions(), (std::vector<std::string>{"升序", "降序"}));
    menu_->Menu().hide();
}

TEST_F(PopMenuTest, ChoosingAnItemRaisesItsKey) {
    std::vector<std::string> keys;
    QObject::connect(menu_, &PopMenu::ItemClick,
                     [&keys](const std::string& key) { keys.push_back(key); });
    menu_->Show({{"k1", "升序"}, {"k2", "降序"}}, QPoint(0, 0));
    menu_->Menu().actions().at(1)->trigger();
    EXPECT_EQ(keys, (std::vector<std::string>{"k2"}));
    menu_->Menu().hide();
}

TEST_F(PopMenuTest, EachShowReplacesTheItemsAndNothingShowsNoMenu) {
    menu_->Show({{"a", "一"}, {"b", "二"}}, QPoint(0, 0));
    menu_->Menu().hide();
    menu_->Show({{"c", "三"}}, QPoint(0, 0));
    EXPECT_EQ(Captions(), (std::vector<std::string>{"三"}));
    menu_->Menu().hide();
    menu_->Show({}, QPoint(0, 0));
    EXPECT_TRUE(Captions().empty());
    EXPECT_FALSE(menu_->Menu().isVisible());
}

}  // namespace
}  // namespace zel
