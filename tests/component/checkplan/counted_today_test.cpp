#include "checkplan/counted_today.h"

#include <gtest/gtest.h>

#include "core/login_context.h"
#include "support/test_database.h"

namespace korvel {
namespace {

class CountedTodayTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.AddWarehouse("01");
        db.AddWarehouse("02");
        for (const char* code : {"A001", "A002", "O'1"}) {
            db.AddInventory(code);
        }
        for (const char* warehouse : {"01", "02"}) {
            for (const char* item : {"A001", "A002", "O'1"}) {
                db.AddCorrespondence(warehouse, item, {{"dLastDate", "2026-01-01"}});
            }
        }
        login.db = db.OpenService();
        login.sCurDate = "2026-12-09";
        login.sAuthInvW = "(1=1)";
        login.sAuthWhW = "(1=1)";
    }

    std::string Counted() {
        return db
            .Scalar(
                "select group_concat(cWhCode || ':' || cInvCode, ',') from (select * from "
                "WhInvContrapose where dLastDate = '2026-12-09' order by cWhCode, cInvCode) "
                "as t")
            .ToString();
    }

    zel::test::TestDatabase db;
    LoginContext login;
};

TEST_F(CountedTodayTest, SetsTheLastCheckOfExactlyTheRowsNamed) {
    const auto outcome = MarkCountedToday(login, {{"01", "A002"}, {"02", "O'1"}, {"02", "A001"}});
    EXPECT_TRUE(outcome.done) << outcome.error;
    EXPECT_EQ(outcome.changed, 3);
    EXPECT_EQ(Counted(), "01:A002,02:A001,02:O'1");
}

TEST_F(CountedTodayTest, LeavesTheRowsTheUserMayNotWrite) {
    login.sAuthWhW = "(Warehouse.CWhCode in ('01'))";
    const auto outcome = MarkCountedToday(login, {{"01", "A001"}, {"02", "A001"}});
    EXPECT_TRUE(outcome.done) << outcome.error;
    EXPECT_EQ(outcome.changed, 1);
    EXPECT_EQ(Counted(), "01:A001");
    login.sAuthInvW = "(1=2)";
    EXPECT_EQ(MarkCountedToday(login, {{"01", "A002"}}).changed, 0);
    EXPECT_EQ(Counted(), "01:A001");
}

TEST_F(CountedTodayTest, AQuoteInACodeReachesNoOtherRow) {
    const auto outcome = MarkCountedToday(login, {{"01", "x') or ('1'='1"}});
    EXPECT_TRUE(outcome.done) << outcome.error;
    EXPECT_EQ(outcome.changed, 0);
    EXPECT_EQ(Counted(), "");
}

TEST_F(CountedTodayTest, NothingToMarkAndNoBusinessDate) {
    EXPECT_TRUE(MarkCountedToday(login, {}).done);
    login.sCurDate = "";
    const auto outcome = MarkCountedToday(login, {{"01", "A001"}});
    EXPECT_FALSE(outcome.done);
    EXPECT_EQ(Counted(), "");
}

}  // namespace
}  // namespace korvel
