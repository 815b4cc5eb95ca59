#include <gtest/gtest.h>

#include "host/database/sql_backend.h"
#include "support/test_database.h"

namespace zel {
namespace {

// A text run again and again goes to the server prepared once; these run only on a server.
class PostgresPreparedTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!db.OnServer()) {
            GTEST_SKIP() << "needs WHINV_TEST_POSTGRES";
        }
        db.AddWarehouse("01", "成品库");
        db.AddWarehouse("02", "原料库");
        backend = db.OpenBackend();
    }

    // The name of the warehouse, "" when there is none, "error: …" when the statement fails.
    std::string Name(const std::string& code, const char* query = kQuery) {
        const auto statement = backend->Prepare(query);
        if (!statement || !statement->Bind(1, Variant(code))) {
            return "error: " + backend->LastError();
        }
        switch (statement->Step()) {
            case StepResult::Row:
                return std::string(statement->ColumnText(0));
            case StepResult::Done:
                return "";
            case StepResult::Error:
                break;
        }
        return "error: " + backend->LastError();
    }

    static constexpr const char* kQuery = "select cWhName from Warehouse where cWhCode=?";
    test::TestDatabase db;
    std::unique_ptr<SqlBackend> backend;
};

TEST_F(PostgresPreparedTest, ARepeatedTextGivesTheRowsOfEachRunsValues) {
    for (int run = 0; run < 3; ++run) {
        EXPECT_EQ(Name("01"), "成品库") << run;
        EXPECT_EQ(Name("02"), "原料库") << run;
        EXPECT_EQ(Name("09"), "") << run;
    }
}

TEST_F(PostgresPreparedTest, ATableGoneBeforeOrAfterThePreparingFailsWithTheServersReason) {
    ASSERT_EQ(Name("01"), "成品库");
    ASSERT_TRUE(db.Execute("alter table Warehouse rename to WarehouseGone"));
    EXPECT_NE(Name("01").find("does not exist"), std::string::npos) << "refused when prepared";
    ASSERT_TRUE(db.Execute("alter table WarehouseGone rename to Warehouse"));
    ASSERT_EQ(Name("01"), "成品库");
    ASSERT_EQ(Name("02"), "原料库");
    ASSERT_TRUE(db.Execute("alter table Warehouse rename to WarehouseGone"));
    EXPECT_NE(Name("01").find("does not exist"), std::string::npos) << "refused once prepared";
    ASSERT_TRUE(db.Execute("alter table WarehouseGone rename to Warehouse"));
    EXPECT_EQ(Name("02"), "原料库");
}

TEST_F(PostgresPreparedTest, AStatementPreparedInATransactionRolledBackStaysUsable) {
    ASSERT_EQ(Name("01"), "成品库");
    ASSERT_TRUE(backend->Begin());
    const auto insert = backend->Prepare("insert into Warehouse (cWhCode, cWhName) values (?, ?)");
    ASSERT_TRUE(insert->Bind(1, Variant("03")) && insert->Bind(2, Variant("新库")));
    ASSERT_EQ(insert->Step(), StepResult::Done);
    EXPECT_EQ(Name("03"), "新库") << "prepared here, seeing the transaction's own row";
    EXPECT_TRUE(backend->Rollback());
    EXPECT_EQ(Name("03"), "");
    EXPECT_EQ(Name("01"), "成品库");
}

TEST_F(PostgresPreparedTest, ATextPreparedTogetherWithABeginAndACommitRunsOrFailsWithThem) {
    ASSERT_EQ(Name("01"), "成品库");
    ASSERT_TRUE(backend->Begin());
    backend->CommitWithNextStatement();
    EXPECT_EQ(Name("02"), "原料库") << "begun, prepared, run and committed at once";
    EXPECT_TRUE(backend->Commit());

    constexpr const char* kOther = "select cWhName from Warehouse where cWhCode=? and 1=1";
    ASSERT_EQ(Name("01", kOther), "成品库");
    ASSERT_TRUE(db.Execute("alter table Warehouse rename to WarehouseGone"));
    ASSERT_TRUE(backend->Begin());
    backend->CommitWithNextStatement();
    EXPECT_NE(Name("01", kOther).find("does not exist"), std::string::npos) << "not prepared";
    EXPECT_TRUE(backend->Rollback());
    ASSERT_TRUE(db.Execute("alter table WarehouseGone rename to Warehouse"));
    EXPECT_EQ(Name("02", kOther), "原料库") << "prepared anew";
    EXPECT_EQ(Name("01", kOther), "成品库");
}

}  // namespace
}  // namespace zel
