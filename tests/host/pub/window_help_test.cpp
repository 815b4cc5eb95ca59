#include "host/pub/window_help.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <string>
#include <vector>

namespace zel {
namespace {

class WindowHelpTest : public ::testing::Test {
protected:
    WindowHelp::Presenter Recording() {
        return [this](const std::string& text) { shown.push_back(text); };
    }

    WindowHelp help;
    QWidget window;
    std::vector<std::string> shown;
};

TEST_F(WindowHelpTest, ShowsTheBoundFormsText) {
    help.Bind(window, "WhInvContrapose");
    help.Show(window, Recording());
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_EQ(shown[0], WindowHelp::TextOf("WhInvContrapose"));
}

TEST_F(WindowHelpTest, TheMainWindowsHelpListsItsKeys) {
    const std::string text = WindowHelp::TextOf("WhInvContrapose");
    for (const char* key : {"F5 增加", "F7 修改", "Del 删除", "F8 批改", "F3 过滤", "Ctrl+F3 定位",
                            "F9 刷新", "Ctrl+P 打印", "Alt+F4 退出"}) {
        EXPECT_NE(text.find(key), std::string::npos) << key;
    }
}

TEST_F(WindowHelpTest, AFormWithoutHelpSaysSo) {
    EXPECT_EQ(WindowHelp::TextOf("NoSuchForm"), "该窗口没有帮助信息。");
}

TEST_F(WindowHelpTest, AWindowWithoutHelpShowsNothing) {
    help.Show(window, Recording());
    EXPECT_TRUE(shown.empty());
}

TEST_F(WindowHelpTest, HelpAskedForWhileShownIsNotShownAgain) {
    help.Bind(window, "WhInvContrapose");
    int presented = 0;
    const WindowHelp::Presenter presenter = [&](const std::string&) {
        ++presented;
        help.Show(window, [&](const std::string&) { ++presented; });
    };
    help.Show(window, presenter);
    EXPECT_EQ(presented, 1);

    help.Show(window, Recording());
    EXPECT_EQ(shown.size(), 1U);
}

TEST_F(WindowHelpTest, RebindingReplacesTheForm) {
    help.Bind(window, "NoSuchForm");
    help.Bind(window, "WhInvContrapose");
    help.Show(window, Recording());
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_EQ(shown[0], WindowHelp::TextOf("WhInvContrapose"));
}

}  // namespace
}  // namespace zel
