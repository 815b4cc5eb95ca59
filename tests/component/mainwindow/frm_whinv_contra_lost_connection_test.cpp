#include <algorithm>
#include <functional>

#include "component/support/failing_db.h"
#include "component/support/main_window_fixture.h"
#include "mainwindow/frm_whinv_contra.h"

namespace korvel::test {
namespace {

// Warehouse 01 holds A0001 and A0002, warehouse 02 holds B0001; the window opens on 02 and is
// then shown 01. The database service loses its connection when the test says so.
class MainWindowLostConnection : public MainWindowTest {
protected:
    FrmWhInvContra& OpenOnWarehouse01() {
        database.AddWarehouse("01");
        database.AddWarehouse("02");
        for (const char* code : {"A0001", "A0002", "B0001"}) {
            database.AddInventory(code);
        }
        database.AddCorrespondence("01", "A0001");
        database.AddCorrespondence("01", "A0002");
        database.AddCorrespondence("02", "B0001");
        pub = &RecordHostCalls();
        db = FailingDb::InPlaceOf(context.login.db);
        FrmWhInvContra& window = Open();
        Click(window, "r01");
        return window;
    }
    std::vector<std::string> Codes() const {
        std::vector<std::string> codes;
        for (int row = 1; row < window->Grid().Rows(); ++row) {
            codes.push_back(window->Grid().TextMatrix(row, 1));
        }
        return codes;
    }
    std::string LostMessage() const { return FailingDb::LostMessage(*context.login.pub); }

    RecordingPub* pub = nullptr;
    std::shared_ptr<FailingDb> db;
};

struct ReadingAction {
    const char* name;
    std::function<void(FrmWhInvContra&, RecordingPub&)> run;
};

class MainWindowReadWithoutConnection : public MainWindowLostConnection,
                                        public ::testing::WithParamInterface<ReadingAction> {};

// Whatever the user does to read the rows again, an unreachable database is said as such and the
// rows shown stay, with their count, under the warehouse they belong to.
TEST_P(MainWindowReadWithoutConnection, TellsTheLostConnectionAndKeepsTheRowsShown) {
    FrmWhInvContra& window = OpenOnWarehouse01();
    database.Dialogs().Clear();
    db->LoseConnection();
    GetParam().run(window, *pub);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{LostMessage()});
    EXPECT_EQ(Codes(), (std::vector<std::string>{"A0001", "A0002"}));
    EXPECT_EQ(window.SelectedWarehouse(), "01");
    EXPECT_EQ(window.FilledWarehouse(), "01");
    EXPECT_EQ(window.Stb().PanelText(3), "当前记录数：2 条");

    db->Reconnect();
    database.Dialogs().Clear();
    Click(window, "r02");
    EXPECT_EQ(Codes(), std::vector<std::string>{"B0001"});
    EXPECT_TRUE(MessageTexts().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Actions, MainWindowReadWithoutConnection,
    ::testing::Values(ReadingAction{"Refresh", [](FrmWhInvContra& w,
                                                  RecordingPub&) { w.ExecCommand("Refresh"); }},
                      ReadingAction{"ClickOnAnotherWarehouse",
                                    [](FrmWhInvContra& w, RecordingPub&) {
                                        zel::YsTreeNode& node = *w.Trv().Nodes().Find("r02");
                                        node.SetSelected(true);
                                        w.Trv().RaiseNodeClick(node);
                                    }},
                      ReadingAction{"Filter",
                                    [](FrmWhInvContra& w, RecordingPub& host) {
                                        host.findCondition = "1=1";
                                        w.ExecCommand("Filter");
                                    }},
                      ReadingAction{"OpenTheRowOfAnItem",
                                    [](FrmWhInvContra& w, RecordingPub&) {
                                        EXPECT_FALSE(w.ModifyRowOf("02", "B0001"));
                                    }}),
    [](const auto& info) { return std::string(info.param.name); });

// The rows already written are not the whole list: none of them, and no count, stand for it.
TEST_F(MainWindowLostConnection, RowsThatStopComingLeaveNoListAndNoCount) {
    FrmWhInvContra& window = OpenOnWarehouse01();
    database.Dialogs().Clear();
    db->rowsBeforeLoss = 1;
    db->cutResultsOf = "WhInvContrapose";
    window.ExecCommand("Refresh");
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{LostMessage()});
    EXPECT_EQ(window.Grid().Rows(), 1);
    EXPECT_EQ(window.FilledWarehouse(), std::nullopt);
    EXPECT_EQ(window.Stb().PanelText(3), "");
}

// Neither no list nor part of one passes for the warehouses: the tree keeps its root alone.
TEST_F(MainWindowLostConnection, AWarehouseListThatCannotBeReadIsToldAndOpensNoWarehouse) {
    database.AddWarehouse("01");
    database.AddWarehouse("02");
    BindContext();
    for (const bool cutShort : {false, true}) {
        database.Dialogs().Clear();
        db = std::make_shared<FailingDb>(database.OpenService());
        context.login.db = db;
        if (cutShort) {
            db->rowsBeforeLoss = 1;
            db->cutResultsOf = "from Warehouse where";
        } else {
            db->LoseConnection();
        }
        FrmWhInvContra& window = Open();
        EXPECT_EQ(window.Trv().Nodes().Count(), 1) << cutShort;
        EXPECT_EQ(window.FilledWarehouse(), std::nullopt) << cutShort;
        const auto texts = MessageTexts();
        EXPECT_NE(std::find(texts.begin(), texts.end(), LostMessage()), texts.end()) << cutShort;
    }
}

// On a real server: the connection ended by the server fails the refresh with the reason and
// keeps the rows; the next refresh connects again by itself and reads them.
TEST_F(MainWindowLostConnection, ARefreshAfterTheServerEndedTheConnectionConnectsAgain) {
    if (!database.OnServer()) {
        GTEST_SKIP() << "about a server ending the connection; needs WHINV_TEST_POSTGRES";
    }
    database.AddWarehouse("01");
    database.AddInventory("A0001");
    database.AddCorrespondence("01", "A0001");
    FrmWhInvContra& window = Open();
    Click(window, "r01");
    database.Dialogs().Clear();
    database.Scalar(
        "select count(pg_terminate_backend(pid)) from pg_stat_activity "
        "where datname = current_database() and pid <> pg_backend_pid()");
    window.ExecCommand("Refresh");
    const auto told = MessageTexts();
    ASSERT_EQ(told.size(), 1U);
    EXPECT_NE(told[0].find("连接已断开"), std::string::npos) << told[0];
    EXPECT_EQ(Codes(), std::vector<std::string>{"A0001"});

    database.Dialogs().Clear();
    window.ExecCommand("Refresh");
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_EQ(Codes(), std::vector<std::string>{"A0001"});
    EXPECT_EQ(window.Stb().PanelText(3), "当前记录数：1 条");
}

}  // namespace
}  // namespace korvel::test
