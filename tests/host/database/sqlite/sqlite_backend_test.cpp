#include "host/database/sqlite/sqlite_backend.h"

#include <gtest/gtest.h>

#include "host/database/account_backend.h"
#include "support/test_database.h"

namespace zel {
namespace {

class SqliteBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.AddWarehouse("01", "成品库");
        db.AddWarehouse("02", "原料库");
        ASSERT_TRUE(backend.Open(db.Path()));
    }

    // The codes the query gives, run from its start.
    std::string Codes(const std::string& sql, const std::vector<Variant>& values = {}) {
        auto statement = backend.Prepare(sql);
        if (!statement) {
            return "failed";
        }
        for (std::size_t i = 0; i < values.size(); ++i) {
            statement->Bind(static_cast<int>(i) + 1, values[i]);
        }
        std::string codes;
        while (statement->Step() == StepResult::Row) {
            codes += std::string(statement->ColumnText(0)) + " ";
        }
        return codes;
    }

    test::TestDatabase db{test::TestDatabase::Engine::Sqlite};
    SqliteBackend backend;
};

TEST_F(SqliteBackendTest, AStatementPreparedAgainStartsFromItsFirstRowWithNoValues) {
    const std::string sql = "select cWhCode from Warehouse where cWhCode>? or ? is null order by 1";
    {
        auto statement = backend.Prepare(sql);
        ASSERT_TRUE(statement);
        statement->BindText(1, "01");
        statement->BindText(2, "x");
        ASSERT_EQ(statement->Step(), StepResult::Row);
        EXPECT_EQ(statement->ColumnText(0), "02");
    }
    EXPECT_EQ(Codes(sql), "01 02 ");
    EXPECT_EQ(Codes(sql, {Variant("01"), Variant("x")}), "02 ");
}

TEST_F(SqliteBackendTest, TwoCallersOfOneTextHoldTwoStatements) {
    const std::string sql = "select cWhCode from Warehouse order by 1";
    auto first = backend.Prepare(sql);
    auto second = backend.Prepare(sql);
    ASSERT_TRUE(first && second);
    ASSERT_EQ(first->Step(), StepResult::Row);
    ASSERT_EQ(second->Step(), StepResult::Row);
    ASSERT_EQ(first->Step(), StepResult::Row);
    EXPECT_EQ(first->ColumnText(0), "02");
    EXPECT_EQ(second->ColumnText(0), "01");
}

TEST_F(SqliteBackendTest, ASecondStatementIsRefusedEveryTime) {
    const std::string sql = "select * from Warehouse; delete from Warehouse";
    EXPECT_EQ(backend.Prepare(sql), nullptr);
    EXPECT_EQ(backend.Prepare(sql), nullptr);
    EXPECT_EQ(backend.LastError(), "more than one statement");
}

TEST_F(SqliteBackendTest, AKeptStatementSeesTheSchemaAsItIsNow) {
    const std::string sql = "select * from Warehouse";
    const int before = backend.Prepare(sql)->ColumnCount();
    ASSERT_TRUE(backend.ExecuteScript("alter table Warehouse add column cNote text"));
    auto statement = backend.Prepare(sql);
    ASSERT_TRUE(statement);
    EXPECT_EQ(statement->ColumnCount(), before + 1);
}

TEST_F(SqliteBackendTest, TransactionsRunAgainAndAgain) {
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(backend.Begin());
        ASSERT_TRUE(backend.Prepare("delete from Warehouse where cWhCode='02'")->Step() ==
                    StepResult::Done);
        ASSERT_TRUE(backend.Rollback());
    }
    EXPECT_FALSE(backend.Commit()) << "no transaction is open";
    EXPECT_EQ(Codes("select cWhCode from Warehouse order by 1"), "01 02 ");
}

TEST_F(SqliteBackendTest, AStatementOutlivesItsBackend) {
    auto other = std::make_unique<SqliteBackend>();
    ASSERT_TRUE(other->Open(db.Path()));
    auto statement = other->Prepare("select cWhCode from Warehouse order by 1");
    other.reset();
    ASSERT_TRUE(statement);
    ASSERT_EQ(statement->Step(), StepResult::Row);
    EXPECT_EQ(statement->ColumnText(0), "01");
}

// A program that reads a file once (a report) asks for a small cache; every other program keeps
// the large one its lists are read again from.
TEST_F(SqliteBackendTest, AFileKeepsThePageCacheItsProgramAsksFor) {
    const auto pageCacheOf = [&](const AccountDirectory& accounts) {
        const auto opened = NewBackendFor(accounts.Locate(db.Path()));
        if (!opened->Open(db.Path())) {
            return std::string("failed");
        }
        auto statement = opened->Prepare("pragma cache_size");
        return statement && statement->Step() == StepResult::Row
                   ? std::string(statement->ColumnText(0))
                   : std::string("failed");
    };
    AccountDirectory accounts;
    EXPECT_EQ(pageCacheOf(accounts), "-65536");
    accounts.SetReading(ReadingPattern::kOnePass);
    EXPECT_EQ(pageCacheOf(accounts), "-8192");
}

}  // namespace
}  // namespace zel
