#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "host/controls/ys_list_view.h"
#include "host/objects/host_environment.h"
#include "host/objects/object_registry.h"
#include "host/pub/locate_dialog.h"
#include "host/pub/pub_service.h"
#include "support/scripted_dialogs.h"

namespace zel {
namespace {

class PubServiceQuestionTest : public ::testing::Test {
protected:
    PubServiceQuestionTest() { environment_->dialogs = dialogs_; }

    std::shared_ptr<test::ScriptedDialogs> dialogs_ = std::make_shared<test::ScriptedDialogs>();
    std::shared_ptr<HostEnvironment> environment_ = std::make_shared<HostEnvironment>();
    ObjectRegistry registry_;
    PubService pub_{environment_, registry_};
};

struct CheckCase {
    QMessageBox::StandardButton clicked;
    bool ticked;
    int answer;
};

TEST_F(PubServiceQuestionTest, AnswersWithTheButtonAndTheCheckBoxState) {
    const CheckCase cases[] = {{QMessageBox::Yes, true, kAnswerYes},
                               {QMessageBox::No, false, kAnswerNo},
                               {QMessageBox::No, true, kAnswerNo}};
    for (const CheckCase& c : cases) {
        dialogs_->QueueModal([&c](QDialog& dialog) {
            auto& box = static_cast<QMessageBox&>(dialog);
            EXPECT_EQ(box.text(), "继续吗？");
            EXPECT_EQ(box.windowTitle(), "警告信息");
            EXPECT_EQ(box.checkBox()->text(), "以后都这样");
            EXPECT_FALSE(box.checkBox()->isChecked());
            EXPECT_TRUE(box.button(QMessageBox::Yes) && box.button(QMessageBox::No));
            box.checkBox()->setChecked(c.ticked);
            return static_cast<int>(c.clicked);
        });
        bool checked = !c.ticked;
        EXPECT_EQ(pub_.MsgBoxWithCheck("继续吗？", kMsgQuestion + kMsgYesNo, "警告信息",
                                       "以后都这样", checked),
                  c.answer);
        EXPECT_EQ(checked, c.ticked);
    }
}

TEST_F(PubServiceQuestionTest, AnswersCautiouslyWithNobodyToAsk) {
    environment_->dialogs = nullptr;
    bool checked = true;
    EXPECT_EQ(pub_.MsgBoxWithCheck("继续吗？", kMsgQuestion + kMsgYesNo, "", "", checked),
              kAnswerNo);
    EXPECT_FALSE(checked);
}

TEST_F(PubServiceQuestionTest, LocatesInAListByTheChosenColumnWrappingRound) {
    QWidget window;
    auto* list = new YsListView(&window);
    list->AddColumnHeader("Key1", "存货编码", 1440);
    list->AddColumnHeader("Key2", "存货名称", 1440);
    for (const auto& [code, name] :
         {std::pair{"A001", "螺钉"}, {"A002", "螺母"}, {"B001", "螺钉"}}) {
        list->AddItem(std::string("k") + code, code, {name});
    }
    list->SelectItem(3);
    dialogs_->QueueModal([](QDialog& dialog) {
        auto& locate = static_cast<LocateDialog&>(dialog);
        EXPECT_EQ(locate.FieldBox().count(), 2);
        EXPECT_EQ(locate.FieldBox().itemText(1), "存货名称");
        locate.FieldBox().setCurrentIndex(1);
        locate.TextBox().setText("螺钉");
        locate.FindNextButton().click();
        return 0;
    });
    pub_.FindPos(window, *list);
    EXPECT_EQ(list->SelectedIndex(), 1) << "past the last item the search starts again";
    dialogs_->QueueModal([](QDialog& dialog) {
        auto& locate = static_cast<LocateDialog&>(dialog);
        locate.TextBox().setText("nothing");
        locate.FindNextButton().click();
        return 0;
    });
    pub_.FindPos(window, *list);
    EXPECT_EQ(list->SelectedIndex(), 1);
    EXPECT_EQ(dialogs_->Messages().size(), 1u) << "not found is said";
}

}  // namespace
}  // namespace zel
