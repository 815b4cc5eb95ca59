#include "mulmodify/frm_z_mul_modify.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/common.h"
#include "core/const.h"
#include "host/controls/edit_box.h"
#include "mainwindow/frm_whinv_contra.h"
#include "modify_test_base.h"
#include "mulmodify/mul_modify_command.h"

namespace korvel::test {
namespace {

// The window driven through its condition control's events, inside its modal showing.
class FrmZMulModifyTest : public ModifyTestBase {
protected:
    void SetUp() override {
        ModifyTestBase::SetUp();
        LoadQuantityStyle(context);
        InitCatalogue(context);
    }
    void WithWindow(const std::function<void(FrmZMulModify&)>& script) {
        FrmZMulModify window(context, [this] { ++refreshes; });
        database.Dialogs().QueueModal([&](QDialog& dialog) {
            database.Dialogs().Clear();
            script(static_cast<FrmZMulModify&>(dialog));
            return 0;
        });
        context.login.pub->ShowModal(window, nullptr);
    }
    static void Confirm(FrmZMulModify& window, std::string condition, std::string field,
                        std::string value) {
        std::string caption = "字段";
        emit window.Find().ModifyRequest(condition, caption, field, value);
    }

    int refreshes = 0;
};

TEST_F(FrmZMulModifyTest, ClosingAfterAChangeRefreshesTheMainWindowOnce) {
    database.AddCorrespondence("01", "A001");
    WithWindow([this](FrmZMulModify& window) {
        Confirm(window, "1=1", "whinvcontrapose.cInvCode", "A002");
        EXPECT_TRUE(window.ModifiedFlag());
        QTest::keyClick(&window, Qt::Key_Escape);
        EXPECT_EQ(refreshes, 1);
        window.close();
    });
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(Pairs(), std::vector<std::string>{"01/A002"});
}

// The whole path as a user takes it: a condition line and the new value typed into the host's
// control, the confirm button, the count question answered yes.
TEST_F(FrmZMulModifyTest, ChangesTheRowsTheUserSelectsInTheControl) {
    database.AddCorrespondence("01", "A001", {{"iWastage", 1}});
    database.AddCorrespondence("01", "A002", {{"iWastage", 2}});
    WithWindow([this](FrmZMulModify& window) {
        auto* line = window.Find().findChild<QWidget*>("line1");
        ASSERT_NE(line, nullptr);
        auto* field = line->findChild<QComboBox*>("field");
        field->setCurrentIndex(field->findText("存货编码"));
        line->findChild<QWidget*>("value")->findChild<QLineEdit*>("text")->setText("A002");
        auto* modifyField = window.Find().findChild<QComboBox*>("modifyField");
        // Captions 5 to 12 are those of iTopSum to dLastDate.
        modifyField->setCurrentIndex(
            modifyField->findText(QString::fromStdString(context.catalogue.arrFldCaption[8])));
        window.Find()
            .findChild<QWidget*>("modifyValue")
            ->findChild<QLineEdit*>("text")
            ->setText("7.5");
        AnswerYes();
        window.Find().findChild<QPushButton*>("confirm")->click();
        emit window.Find().CancelRequest();
    });
    EXPECT_EQ(Cell("01", "A001", "iWastage"), "1");
    EXPECT_EQ(Cell("01", "A002", "iWastage"), "7.5");
    EXPECT_EQ(refreshes, 1);
}

TEST_F(FrmZMulModifyTest, ClosingWithoutAChangeDoesNotRefresh) {
    database.AddCorrespondence("01", "A001", {{"iWastage", 1}});
    WithWindow([](FrmZMulModify& window) {
        Confirm(window, "1=1", "iWastage", "5");  // answered No
        EXPECT_FALSE(window.ModifiedFlag());
        emit window.Find().CancelRequest();
    });
    EXPECT_EQ(refreshes, 0);
    EXPECT_EQ(Cell("01", "A001", "iWastage"), "1");
}

TEST_F(FrmZMulModifyTest, RunsSeveralRequestsInOneOpening) {
    database.AddCorrespondence("01", "A001", {{"iLowSum", 10}, {"iTopSum", 100}});
    database.AddCorrespondence("01", "A002", {{"iTopSum", 40}});
    WithWindow([this](FrmZMulModify& window) {
        AnswerYes();
        Confirm(window, "1=1", "iSafeNum", "50");
        AnswerYes();
        Confirm(window, "1=1", "dLastDate", "2024-05-06");
        emit window.Find().CancelRequest();
    });
    EXPECT_EQ(Cell("01", "A001", "iSafeNum"), "50");
    EXPECT_EQ(Cell("01", "A002", "iSafeNum"), "NULL");
    EXPECT_EQ(Cell("01", "A002", "dLastDate"), "2024-05-06");
    EXPECT_EQ(refreshes, 1);
}

TEST_F(FrmZMulModifyTest, PicksACodeThroughTheReferenceOfItsField) {
    host->reference = {true, "A003", "垫圈"};
    context.login.sAuthPersonW = "(P)";
    WithWindow([this](FrmZMulModify& window) {
        zel::Edit box(&window);
        box.setObjectName("Value");
        const std::pair<const char*, std::string> fields[] = {
            {"whinvcontrapose.cInvCode", "Inventory (1=1)"},
            {"CWHCODE", "warehouse (1=1)"},
            {"cWhPersonCode", "person (P)"}};
        for (const auto& [field, expectedCall] : fields) {
            std::string code;
            host->calls.clear();
            emit window.Find().RefRequest(field, code, box);
            EXPECT_EQ(code, "A003") << field;
            EXPECT_EQ(box.UTooltipText(), Text("Zel.AA.ARCHIVE.FIELD.namecolon") + "垫圈");
            EXPECT_EQ(host->calls, std::vector<std::string>{"showRef Value " + expectedCall});
        }
        std::string code = "kept";
        emit window.Find().RefRequest("iTopSum", code, box);
        EXPECT_EQ(code, "kept");
        EXPECT_EQ(Messages(), std::vector<std::string>{"没有设定参照！"});

        host->reference.ok = false;
        emit window.Find().RefRequest("cInvCode", code, box);
        EXPECT_EQ(code, "kept");
    });
}

// The window stands apart from the main window's tree: a user who selected one warehouse there
// must not take the condition to be limited to it.
TEST_F(FrmZMulModifyTest, SaysUnderTheControlThatTheConditionReachesEveryWarehouse) {
    WithWindow([this](FrmZMulModify& window) {
        auto* note = window.findChild<QLabel*>("ScopeNote");
        ASSERT_NE(note, nullptr);
        EXPECT_EQ(note->text().toStdString(), Text("Zel.AAARCHIVE.COMMON.modify_scope"));
        EXPECT_TRUE(note->isVisibleTo(&window));
        EXPECT_GE(note->y(), window.Find().geometry().bottom());
        EXPECT_LE(note->geometry().bottom(), window.height());
    });
}

TEST_F(FrmZMulModifyTest, KeepsEqualMarginsBesideTheControl) {
    WithWindow([](FrmZMulModify& window) {
        window.resize(1200, 500);
        EXPECT_EQ(window.width(), 2 * window.Find().x() + window.Find().width());
    });
}

TEST_F(FrmZMulModifyTest, ClosesWhenTheControlRefusesTheDefinition) {
    context.catalogue.sFldDefXml.clear();
    FrmZMulModify window(context, [this] { ++refreshes; });
    ASSERT_EQ(Messages().size(), 1u);
    window.show();
    Pump();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(refreshes, 0);
}

TEST_F(FrmZMulModifyTest, TheMainWindowOpensItFromMulModifyAndRefreshesAfterAChange) {
    database.AddCorrespondence("01", "A001");
    MainWindowCommands commands;
    commands.mulModify = MulModifyCommand();
    Open(std::move(commands));
    bool opened = false;
    database.Dialogs().QueueModal([&](QDialog& dialog) {
        auto& window = dynamic_cast<FrmZMulModify&>(dialog);
        opened = true;
        Confirm(window, "1=1", "cInvCode", "A004");
        window.close();
        return 0;
    });
    window->ExecCommand("MulModify");
    EXPECT_TRUE(opened);
    EXPECT_EQ(Pairs(), std::vector<std::string>{"01/A004"});
}

}  // namespace
}  // namespace korvel::test
