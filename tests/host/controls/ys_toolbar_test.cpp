#include "host/controls/ys_toolbar.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <QToolButton>
#include <string>
#include <vector>

#include "host/controls/image_list.h"
#include "support/case_name.h"

namespace zel {
namespace {

class YsToolbarTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* key : {"Add", "Delete", "Exit"}) {
            images_.AddOwn(key);
        }
        bar_.SetImageList(&images_);
        bar_.Add("Add", ToolbarButton::kButton, "Add");
        bar_.Add("Delete", ToolbarButton::kButton, "Delete");
        bar_.Add("btnSep1", ToolbarButton::kSeparator);
        bar_.Add("Exit", ToolbarButton::kButton, "Exit");
        toolbar_.Build(bar_, {{"Add", {"增加", "增加 F5"}}, {"Exit", {"退出", "退出"}}});
        QObject::connect(&toolbar_, &YsToolbar::ButtonClick,
                         [this](const std::string& key, const std::string& caption) {
                             clicks_.emplace_back(key, caption);
                         });
        toolbar_.show();
    }

    void ClickButton(const std::string& key) {
        QWidget* button = toolbar_.widgetForAction(toolbar_.Action(key));
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    ImageList images_;
    ButtonBar bar_;
    YsToolbar toolbar_;
    std::vector<std::pair<std::string, std::string>> clicks_;
};

TEST_F(YsToolbarTest, HasTheBarsButtonsAndSeparatorsInOrder) {
    const QList<QAction*> actions = toolbar_.actions();
    ASSERT_EQ(actions.size(), 4);
    EXPECT_FALSE(actions[1]->isSeparator());
    EXPECT_TRUE(actions[2]->isSeparator());
    EXPECT_EQ(actions[3], toolbar_.Action("Exit"));
    EXPECT_FALSE(toolbar_.Action("Add")->icon().isNull());
}

TEST_F(YsToolbarTest, TooltipsAndCaptionsComeFromTheCaller) {
    EXPECT_EQ(toolbar_.Action("Add")->toolTip(), QString::fromUtf8("增加 F5"));
    EXPECT_EQ(bar_.Buttons("Add")->Caption(), "增加");
    EXPECT_EQ(bar_.Buttons("Delete")->Caption(), "");
}

TEST_F(YsToolbarTest, ClickRaisesButtonClickWithKeyAndCaption) {
    ClickButton("Exit");
    ClickButton("Delete");
    EXPECT_EQ(clicks_,
              (std::vector<std::pair<std::string, std::string>>{{"Exit", "退出"}, {"Delete", ""}}));
}

TEST_F(YsToolbarTest, FollowsEnabledAndVisibleOfTheBar) {
    bar_.Buttons("Delete")->SetEnabled(false);
    EXPECT_FALSE(toolbar_.Action("Delete")->isEnabled());
    ClickButton("Delete");
    EXPECT_TRUE(clicks_.empty());
    bar_.Buttons("Exit")->SetVisible(false);
    EXPECT_FALSE(toolbar_.Action("Exit")->isVisible());
    bar_.Buttons("Exit")->SetVisible(true);
    bar_.Buttons("Exit")->SetToolTipText("changed");
    EXPECT_EQ(toolbar_.Action("Exit")->toolTip(), "changed");
}

TEST_F(YsToolbarTest, RebuildsWhenTheBarGainsButtons) {
    bar_.Add("Help", ToolbarButton::kButton, "Help");
    EXPECT_EQ(toolbar_.actions().size(), 5);
    ClickButton("Help");
    EXPECT_EQ(clicks_.size(), 1u);
    bar_.Clear();
    EXPECT_TRUE(toolbar_.actions().isEmpty());
}

TEST_F(YsToolbarTest, TextButtonsShowCaptionsUnderThePictures) {
    toolbar_.SetTextButtons(true);
    EXPECT_TRUE(toolbar_.TextButtons());
    auto* button = qobject_cast<QToolButton*>(toolbar_.widgetForAction(toolbar_.Action("Add")));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_EQ(button->text(), QString::fromUtf8("增加"));
}

TEST(ButtonBar, FindsButtonsByKeyAndIndex) {
    ButtonBar bar;
    bar.Add("SaveRs", ToolbarButton::kButton, "SaveRs");
    bar.Add("", ToolbarButton::kSeparator);
    EXPECT_EQ(bar.Add("SaveRs", ToolbarButton::kButton), nullptr);
    EXPECT_EQ(bar.Count(), 2);
    EXPECT_EQ(bar.Buttons("SaveRs"), bar.Button(1));
    EXPECT_EQ(bar.Buttons(""), nullptr);
    EXPECT_EQ(bar.Buttons("Missing"), nullptr);
    EXPECT_EQ(bar.Button(3), nullptr);
}

class OwnIconTest : public ::testing::TestWithParam<const char*> {};

TEST_P(OwnIconTest, DrawsAPicture) {
    const QIcon icon = ImageList::OwnIcon(GetParam());
    ASSERT_FALSE(icon.isNull());
    EXPECT_FALSE(icon.pixmap(24, 24).isNull());
}

INSTANTIATE_TEST_SUITE_P(Commands, OwnIconTest,
                         ::testing::Values("SetUp", "Print", "Preview", "SaveFile", "BatchAdd",
                                           "Add", "Delete", "Modify", "MulModify", "Filter", "Pos",
                                           "Refresh", "Help", "Exit", "NodeP", "NodeL", "pSave",
                                           "pNew", "pClose", "First", "Previous", "Next", "Last",
                                           "ShowDetail", "SaveRs", "AllSel", "AllCancel"),
                         [](const auto& info) {
                             return ::zel::test::CaseName(info.param, info.index);
                         });

TEST(ImageList, KeepsPicturesByKeyInOrder) {
    ImageList images;
    EXPECT_TRUE(images.AddOwn("SetUp"));
    EXPECT_TRUE(images.AddOwn("Print"));
    EXPECT_FALSE(images.AddOwn("SetUp"));
    EXPECT_FALSE(images.AddOwn("NoSuchPicture"));
    EXPECT_EQ(images.Count(), 2);
    EXPECT_EQ(images.Key(2), "Print");
    EXPECT_TRUE(images.Icon("Missing").isNull());
}

}  // namespace
}  // namespace zel
