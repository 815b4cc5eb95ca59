#include <gtest/gtest.h>

#include "component/support/main_window_fixture.h"
#include "core/text_escaping.h"

namespace korvel::test {
namespace {

constexpr const char* kNoKeyColumn = "从栏目设置中，选中'存货编码'栏目，否则不予删除！";
constexpr const char* kRowGone = "要删除的仓库存货对照已不存在！";

std::string Question(const std::string& code) {
    return "确定要删除存货编码为" + code + "的仓库存货对照吗？";
}

class MainWindowDelete : public MainWindowTest {
protected:
    // Warehouses 01 and 02, each holding A0001 ... A0003; the window opens on 02.
    FrmWhInvContra& OpenOnTwoWarehouses() {
        database.AddWarehouse("01");
        database.AddWarehouse("02");
        database.Execute("begin");
        for (const char* code : {"A0001", "A0002", "A0003"}) {
            database.AddInventory(code);
            database.AddCorrespondence("01", code);
            database.AddCorrespondence("02", code);
        }
        database.Execute("commit");
        return Open();
    }

    double Rows(const std::string& warehouse) {
        return database
            .Scalar("select count(*) from WhInvContrapose where cWhCode='" + warehouse + "'")
            .ToDouble()
            .value_or(-1);
    }

    bool Holds(const std::string& warehouse, const std::string& code) {
        return database.Scalar("select count(*) from WhInvContrapose where cWhCode='" + warehouse +
                               "' and cInvCode=" + SqlQuoted(code)) == zel::Variant(1);
    }
};

TEST_F(MainWindowDelete, YesRemovesTheSelectedWarehousesRowOnlyAndRefreshesUnderTheEditLock) {
    FrmWhInvContra& window = OpenOnTwoWarehouses();
    window.Grid().SetRow(2);
    database.Dialogs().QueueAnswer(zel::kAnswerYes);
    window.ExecCommand("DELETE");
    ASSERT_EQ(database.Dialogs().Messages().size(), 1u);
    const auto& asked = database.Dialogs().Messages().front();
    EXPECT_EQ(asked.text, Question("A0002"));
    EXPECT_EQ(asked.buttons, 52);
    EXPECT_EQ(asked.title, "警告信息");
    EXPECT_FALSE(Holds("02", "A0002"));
    EXPECT_EQ(Rows("02"), 2);
    EXPECT_EQ(Rows("01"), 3);
    ASSERT_EQ(window.Grid().Rows(), 3);
    EXPECT_EQ(window.Grid().TextMatrix(2, 1), "A0003");
    EXPECT_TRUE(EditLockIsFree("other"));
}

// The grid stays where the user was: on the row that moved up into the deleted one's place, or
// on the row before when the last one went.
TEST_F(MainWindowDelete, TheGridKeepsItsPlaceAfterADelete) {
    struct Case {
        int row;
        int expectedRow;
        const char* expectedCode;
    };
    FrmWhInvContra& window = OpenOnTwoWarehouses();
    zel::FlexGrid& grid = window.Grid();
    for (const Case c : {Case{2, 2, "A0003"}, Case{3, 2, "A0002"}, Case{1, 1, "A0002"}}) {
        SCOPED_TRACE(c.row);
        grid.SetRow(c.row);
        const std::string deleted = grid.TextMatrix(c.row, 1);
        database.Dialogs().QueueAnswer(zel::kAnswerYes);
        window.ExecCommand("Delete");
        ASSERT_EQ(grid.Rows(), 3);
        EXPECT_EQ(grid.Row(), c.expectedRow);
        EXPECT_EQ(grid.RowSel(), c.expectedRow);
        EXPECT_EQ(grid.TextMatrix(grid.Row(), 1), c.expectedCode);
        database.AddCorrespondence("02", deleted);
        window.DataRefresh();
    }
}

// The selection runs from the anchor (Row) to where it ends (RowSel); the latter is deleted.
TEST_F(MainWindowDelete, ASelectionOverSeveralRowsDeletesAndNamesTheRowWhereItEnds) {
    FrmWhInvContra& window = OpenOnTwoWarehouses();
    zel::FlexGrid& grid = window.Grid();
    grid.SetRow(1);
    grid.SetCol(1);
    grid.SetRowSel(3);
    database.Dialogs().QueueAnswer(zel::kAnswerYes);
    window.ExecCommand("Delete");
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{Question("A0003")});
    EXPECT_TRUE(Holds("02", "A0001"));
    EXPECT_FALSE(Holds("02", "A0003"));
}

TEST_F(MainWindowDelete, NoLeavesRowsAndGridAsTheyWereAndReleasesTheLock) {
    FrmWhInvContra& window = OpenOnTwoWarehouses();
    window.Grid().SetTextMatrix(1, 2, "unrefreshed");
    window.ExecCommand("Delete");
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{Question("A0001")});
    EXPECT_EQ(Rows("02"), 3);
    EXPECT_EQ(window.Grid().TextMatrix(1, 2), "unrefreshed");
    EXPECT_TRUE(EditLockIsFree("other"));
}

TEST_F(MainWindowDelete, ARefusedEditLockAsksNothingAndDeletesNothing) {
    FrmWhInvContra& window = OpenOnTwoWarehouses();
    const auto holder = HoldEditLock("other");
    database.Dialogs().Clear();
    database.Dialogs().QueueAnswer(zel::kAnswerYes);
    window.ExecCommand("Delete");
    for (const std::string& text : MessageTexts()) {
        EXPECT_NE(text, Question("A0001"));
    }
    EXPECT_EQ(Rows("02"), 3);
}

TEST_F(MainWindowDelete, WithoutTheInventoryCodeColumnItSaysSoAndTakesNoLock) {
    FrmWhInvContra& window = OpenOnTwoWarehouses();
    window.Grid().SetTextMatrix(0, 1, "编码");
    const auto holder = HoldEditLock("other");
    window.ExecCommand("Delete");
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{kNoKeyColumn});
    EXPECT_EQ(Rows("02"), 3);
}

// The headers are read each time: a column the host moved is found where it is now.
TEST_F(MainWindowDelete, TheCodeIsTakenFromTheColumnHeadedWithTheCaptionWhereverItIs) {
    FrmWhInvContra& window = OpenOnTwoWarehouses();
    zel::FlexGrid& grid = window.Grid();
    grid.SetTextMatrix(0, 1, "编码");
    grid.SetTextMatrix(0, 3, "存货编码");
    grid.SetTextMatrix(2, 3, "A0003");
    grid.SetRow(2);
    database.Dialogs().QueueAnswer(zel::kAnswerYes);
    window.ExecCommand("Delete");
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{Question("A0003")});
    EXPECT_FALSE(Holds("02", "A0003"));
    EXPECT_TRUE(Holds("02", "A0002"));
}

TEST_F(MainWindowDelete, AServiceRefusalIsShownAndTheGridRefreshed) {
    FrmWhInvContra& window = OpenOnTwoWarehouses();
    database.Execute("delete from WhInvContrapose where cWhCode='02' and cInvCode='A0001'");
    database.Dialogs().QueueAnswer(zel::kAnswerYes);
    window.ExecCommand("Delete");
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{Question("A0001"), kRowGone}));
    ASSERT_EQ(window.Grid().Rows(), 3);
    EXPECT_EQ(window.Grid().TextMatrix(1, 1), "A0002");
    EXPECT_TRUE(EditLockIsFree("other"));
}

TEST_F(MainWindowDelete, AHostileCodeDeletesItsOwnRowAndNothingElse) {
    const std::string hostile = "X' or '1'='1";
    database.AddWarehouse("01");
    database.AddWarehouse("02");
    for (const std::string& code : {hostile, std::string("A0001"), std::string("A0002")}) {
        database.AddInventory(code);
        database.AddCorrespondence("01", code);
        database.AddCorrespondence("02", code);
    }
    FrmWhInvContra& window = Open();
    ASSERT_EQ(window.Grid().TextMatrix(3, 1), hostile);
    window.Grid().SetRow(3);
    database.Dialogs().QueueAnswer(zel::kAnswerYes);
    window.ExecCommand("Delete");
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{Question(hostile)});
    EXPECT_FALSE(Holds("02", hostile));
    EXPECT_EQ(Rows("02"), 2);
    EXPECT_TRUE(Holds("01", hostile));
    EXPECT_EQ(Rows("01"), 3);
    EXPECT_EQ(window.Grid().Rows(), 3);
}

TEST_F(MainWindowDelete, AFailingHostCallStillReleasesTheLock) {
    RecordingPub& pub = RecordHostCalls();
    pub.failing = {"MsgBox"};
    FrmWhInvContra& window = OpenOnTwoWarehouses();
    window.ExecCommand("Delete");
    EXPECT_EQ(pub.calls, std::vector<std::string>{"MsgBox " + Question("A0001")});
    EXPECT_EQ(Rows("02"), 3);
    EXPECT_TRUE(EditLockIsFree("other"));
}

TEST_F(MainWindowDelete, AnEmptyGridDeletesNothingAndAsksNothing) {
    database.AddWarehouse("01");
    FrmWhInvContra& window = Open();
    window.ExecCommand("Delete");
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_TRUE(EditLockIsFree("other"));
}

TEST_F(MainWindowDelete, TheHeaderRowOrAGridOfAnotherWarehouseDeletesNothing) {
    FrmWhInvContra& window = OpenOnTwoWarehouses();
    window.Grid().SetRow(0);
    window.ExecCommand("Delete");
    EXPECT_TRUE(MessageTexts().empty());
    window.Grid().SetRow(1);
    Click(window, "r");
    window.ExecCommand("Delete");
    EXPECT_EQ(MessageTexts().size(), 2u) << "the root's message twice, no question";
    EXPECT_EQ(Rows("02"), 3);
}

}  // namespace
}  // namespace korvel::test
