#include "mulmodify/modify_by_row.h"

#include "component/support/failing_db.h"
#include "modify_test_base.h"

namespace korvel::test {
namespace {

class ModifyByRowTest : public ModifyTestBase {
protected:
    void SetUp() override {
        ModifyTestBase::SetUp();
        for (const char* warehouse : {"01", "02", "03"}) {
            database.AddCorrespondence(warehouse, "A001");
        }
    }
    std::string Duplicate() { return Text("Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.144_1"); }
    bool ReportShown() const {
        for (const auto& call : host->calls) {
            if (call.rfind("ModifyShowMsg", 0) == 0) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(ModifyByRowTest, ChangesEveryRowWithoutACountQuestionOrAReport) {
    Request("whinvcontrapose.cInvCode='A001'", "whinvcontrapose.cInvCode", "A002", "存货编码");
    EXPECT_EQ(Pairs(), (std::vector<std::string>{"01/A002", "02/A002", "03/A002"}));
    EXPECT_EQ(Messages(), std::vector<std::string>{Text("Zel.AAARCHIVE.COMMON.modify_all", {"3"})});
    EXPECT_FALSE(ReportShown());
    EXPECT_TRUE(modifiedFlag);
    EXPECT_EQ(host->calls.front(), "IFExists inventory 存货编码 A002 1  (1=1)");
}

// The rows are written one by one but changed as one action: one entry of the history.
TEST_F(ModifyByRowTest, ThePassIsOneEntryOfTheChangeHistory) {
    const std::string after =
        database.Scalar("select coalesce(max(iChange), 0) from whinv_change").ToString();
    Request("whinvcontrapose.cInvCode='A001'", "whinvcontrapose.cInvCode", "A002", "存货编码");
    EXPECT_EQ(
        database.Scalar("select count(*) from whinv_change where iChange > " + after).ToString(),
        "1");
    EXPECT_EQ(
        database
            .Scalar("select count(distinct cWhCode) from whinv_change_value where iChange > " +
                    after)
            .ToString(),
        "3");
}

TEST_F(ModifyByRowTest, ReportsTheRowWhoseNewPairExistsAndChangesTheOthers) {
    database.AddCorrespondence("02", "A005");
    Request("whinvcontrapose.cInvCode='A001'", "cInvCode", "A005", "存货编码");
    EXPECT_EQ(Pairs(), (std::vector<std::string>{"01/A005", "02/A001", "02/A005", "03/A005"}));
    EXPECT_EQ(Messages(),
              std::vector<std::string>{Text("Zel.AAARCHIVE.COMMON.modify_part", {"2", "1"})});
    EXPECT_EQ(host->reportRows,
              (std::vector<std::vector<std::string>>{{"02", "A001", Duplicate()}}));
    EXPECT_EQ(host->calls.back(), "ModifyShowMsg  1");
    EXPECT_EQ(host->calls[1], "ModifyInitMsg cWhCode,cInvCode,cErrMsg " +
                                  Text("Zel.AA.ARCHIVE.FIELD.cwhcode") + "," +
                                  Text("Zel.AA.ARCHIVE.FIELD.cinvcode") + "," +
                                  Text("Zel.AA.ARCHIVE.FIELD.PUB.modifyfailreason"));
}

TEST_F(ModifyByRowTest, ReportsEveryRowWhenAllCollide) {
    Request("whinvcontrapose.cInvCode='A001' and whinvcontrapose.cWhCode<>'03'", "CWhCode", "03",
            "仓库编码");
    EXPECT_EQ(Pairs(), (std::vector<std::string>{"01/A001", "02/A001", "03/A001"}));
    EXPECT_EQ(Messages(),
              std::vector<std::string>{Text("Zel.AAARCHIVE.COMMON.modify_none", {"仓库编码"})});
    EXPECT_EQ(host->reportRows, (std::vector<std::vector<std::string>>{
                                    {"01", "A001", Duplicate()}, {"02", "A001", Duplicate()}}));
    EXPECT_TRUE(ReportShown());
    EXPECT_FALSE(modifiedFlag);
}

// Only a collision is worded as a duplicate; any other refusal keeps the database's reason.
TEST_F(ModifyByRowTest, ReportsAnotherRefusalWithTheDatabasesReason) {
    Request("whinvcontrapose.cWhCode='01'", "cInvCode", "NOSUCH");
    ASSERT_EQ(host->reportRows.size(), 1u);
    EXPECT_NE(host->reportRows[0][2], Duplicate());
    EXPECT_FALSE(host->reportRows[0][2].empty());
    EXPECT_EQ(Pairs(), (std::vector<std::string>{"01/A001", "02/A001", "03/A001"}));
}

TEST_F(ModifyByRowTest, AnErrorHalfWayTellsHowManyRowsChangedAndShowsTheReport) {
    database.AddCorrespondence("02", "A005");
    host->failing = {"ModifyAddMsg"};
    Request("whinvcontrapose.cInvCode='A001'", "cInvCode", "A005");
    EXPECT_EQ(Pairs(), (std::vector<std::string>{"01/A005", "02/A001", "02/A005", "03/A001"}));
    EXPECT_EQ(Messages(),
              std::vector<std::string>{
                  Text("Zel.AAARCHIVE.COMMON.modify_stopped_reason",
                       {Text("Zel.AAARCHIVE.COMMON.modify_condi_content_error"), "1", "2"})});
    EXPECT_TRUE(ReportShown());
    EXPECT_TRUE(modifiedFlag);
}

// Every row after would fail the same way: the pass stops at the first, says why, and counts.
TEST_F(ModifyByRowTest, ALostConnectionStopsThePassAndTellsWhyAndHowManyRowsChanged) {
    const auto db = FailingDb::InPlaceOf(context.login.db);
    db->lostAtStatementWith = "CWhCode='02'";
    Request("whinvcontrapose.cInvCode='A001'", "cInvCode", "A005");
    EXPECT_EQ(Messages(),
              std::vector<std::string>{Text("Zel.AAARCHIVE.COMMON.modify_stopped_reason",
                                            {FailingDb::kLostText, "1", "2"})});
    EXPECT_EQ(host->reportRows,
              (std::vector<std::vector<std::string>>{{"02", "A001", FailingDb::kLostText}}));
    EXPECT_TRUE(modifiedFlag);
    db->Reconnect();
    EXPECT_EQ(Pairs(), (std::vector<std::string>{"01/A005", "02/A001", "03/A001"}));
}

TEST_F(ModifyByRowTest, RowsOutsideTheRightsAreNeitherChangedNorReported) {
    context.login.sAuthWhW = "(Warehouse.CWhCode in ('01'))";
    Request("1=1", "cInvCode", "A002");
    EXPECT_EQ(Pairs(), (std::vector<std::string>{"01/A002", "02/A001", "03/A001"}));
    EXPECT_EQ(Messages(), std::vector<std::string>{Text("Zel.AAARCHIVE.COMMON.modify_all", {"1"})});
}

TEST_F(ModifyByRowTest, AWarehouseTheCheckRefusesStopsBeforeAnyChange) {
    host->refusedValues = {"09"};
    Request("1=1", "CWhCode", "09");
    EXPECT_EQ(Pairs(), (std::vector<std::string>{"01/A001", "02/A001", "03/A001"}));
    EXPECT_EQ(host->calls, std::vector<std::string>{"IFExists warehouse 字段 09 1  (1=1)"});
}

}  // namespace
}  // namespace korvel::test
