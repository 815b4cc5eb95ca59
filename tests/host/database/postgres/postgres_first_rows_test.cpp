#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/database/sql_backend.h"
#include "support/test_database.h"

namespace zel {
namespace {

// A statement planned for its first rows reads them through a cursor, in a transaction of its own
// when the caller has none. Whatever way its rows end (read to the end, overtaken by another
// statement, dropped early, failed), the connection is left as the caller had it: no transaction
// held open behind the caller's back, none of the caller's ended early.
class PostgresFirstRowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!db.OnServer()) {
            GTEST_SKIP() << "needs WHINV_TEST_POSTGRES";
        }
        for (int code = 10; code < 40; ++code) {
            db.AddWarehouse(std::to_string(code), "库" + std::to_string(code));
        }
        reader = db.OpenBackend();
        other = db.OpenBackend();
    }

    std::unique_ptr<SqlStatement> FirstRows(const std::string& sql) {
        auto statement = reader->Prepare(sql);
        EXPECT_TRUE(statement) << reader->LastError();
        if (statement) {
            statement->PlanForFirstRows();
        }
        return statement;
    }

    // The codes the statement gives from where it stands, the current row first.
    static std::vector<std::string> Rest(SqlStatement& statement, StepResult step) {
        std::vector<std::string> codes;
        for (; step == StepResult::Row; step = statement.Step()) {
            codes.emplace_back(statement.ColumnText(0));
        }
        EXPECT_EQ(step, StepResult::Done);
        return codes;
    }

    // Whether a row the reader's connection writes now is seen by another connection: it is not
    // while a transaction is held open on the reader's.
    bool WritesAreSeen(const std::string& code) {
        EXPECT_TRUE(reader->ExecuteScript("insert into Warehouse (cWhCode, cWhName) values ('" +
                                          code + "', 'x')"))
            << reader->LastError();
        const auto seen = other->Prepare("select 1 from Warehouse where cWhCode = '" + code + "'");
        return seen && seen->Step() == StepResult::Row;
    }

    std::string OpenCursors() {
        const auto count =
            reader->Prepare("select count(*) from pg_cursors where name = 'whinv_forward'");
        return count && count->Step() == StepResult::Row ? std::string(count->ColumnText(0))
                                                         : "failed";
    }

    test::TestDatabase db;
    std::unique_ptr<SqlBackend> reader;
    std::unique_ptr<SqlBackend> other;
};

TEST_F(PostgresFirstRowsTest, GivesTheRowsColumnsAndOriginsOfThePlainQueryAgainAndAgain) {
    const std::string sql =
        "select cWhCode, cWhName, length(cWhName) as iLength from Warehouse where cWhCode >= ? "
        "order by cWhCode";
    const auto plain = reader->Prepare(sql);
    ASSERT_TRUE(plain && plain->Bind(1, Variant("20")));
    const std::vector<std::string> expected = Rest(*plain, plain->Step());
    ASSERT_EQ(expected.size(), 20u);
    // Run three times: the server keeps the statements it is sent again under a name.
    for (int run = 0; run < 3; ++run) {
        const auto rows = FirstRows(sql);
        ASSERT_TRUE(rows && rows->Bind(1, Variant("20")));
        const StepResult first = rows->Step();
        ASSERT_EQ(first, StepResult::Row) << reader->LastError();
        EXPECT_EQ(rows->ColumnName(0), "cWhCode");
        EXPECT_EQ(rows->OriginName(1), "Warehouse.cWhName");
        EXPECT_EQ(rows->DeclaredType(1), plain->DeclaredType(1));
        EXPECT_EQ(rows->OriginName(2), "");
        EXPECT_EQ(rows->ColumnValue(2).ToString(), "3");
        EXPECT_EQ(Rest(*rows, first), expected) << "run " << run;
        EXPECT_EQ(OpenCursors(), "0");
    }
    EXPECT_TRUE(WritesAreSeen("A1"));
}

// The rows come a fetch at a time: every row once, in order, however the last fetch falls.
TEST_F(PostgresFirstRowsTest, ReadsEveryRowOnceAcrossFetches) {
    for (const int count : {99, 100, 101, 1100, 2100, 2501}) {
        const auto rows = FirstRows("select i from generate_series(1, " + std::to_string(count) +
                                    ") as i order by i");
        const auto values = Rest(*rows, rows->Step());
        ASSERT_EQ(values.size(), static_cast<std::size_t>(count)) << reader->LastError();
        for (int i = 0; i < count; ++i) {
            ASSERT_EQ(values[static_cast<std::size_t>(i)], std::to_string(i + 1)) << count;
        }
        EXPECT_EQ(OpenCursors(), "0");
    }
    EXPECT_TRUE(WritesAreSeen("E1"));
}

TEST_F(PostgresFirstRowsTest, AStatementThatOvertakesItLeavesItsRowsToBeReadOn) {
    const auto rows = FirstRows("select cWhCode from Warehouse order by cWhCode");
    ASSERT_EQ(rows->Step(), StepResult::Row);
    ASSERT_EQ(std::string(rows->ColumnText(0)), "10");
    // The write goes behind the rows still to come, outside any transaction.
    EXPECT_TRUE(WritesAreSeen("A2"));
    EXPECT_EQ(Rest(*rows, rows->Step()).size(), 29u);
    EXPECT_EQ(OpenCursors(), "0");
}

TEST_F(PostgresFirstRowsTest, InTheCallersTransactionItEndsNothingOfIt) {
    ASSERT_TRUE(reader->Begin());
    ASSERT_TRUE(
        reader->ExecuteScript("insert into Warehouse (cWhCode, cWhName) values ('B1', 'x')"));
    const auto rows = FirstRows("select cWhCode from Warehouse order by cWhCode");
    EXPECT_EQ(Rest(*rows, rows->Step()).size(), 31u);
    EXPECT_EQ(OpenCursors(), "0");
    ASSERT_TRUE(
        reader->ExecuteScript("insert into Warehouse (cWhCode, cWhName) values ('B2', 'x')"));
    const auto seen = other->Prepare("select count(*) from Warehouse where cWhCode like 'B%'");
    ASSERT_EQ(seen->Step(), StepResult::Row);
    EXPECT_EQ(std::string(seen->ColumnText(0)), "0");
    ASSERT_TRUE(reader->Rollback());
    EXPECT_TRUE(WritesAreSeen("B3"));
    EXPECT_EQ(db.Scalar("select count(*) from Warehouse where cWhCode like 'B%'").ToString(), "1");
}

TEST_F(PostgresFirstRowsTest, AFailureIsToldAndLeavesTheConnectionUsable) {
    const auto rows = FirstRows(
        "select cWhCode, 1 / (39 - cast(cast(cWhCode as text) as integer)) from "
        "Warehouse order by cWhCode");
    StepResult step = rows->Step();
    while (step == StepResult::Row) {
        step = rows->Step();
    }
    EXPECT_EQ(step, StepResult::Error);
    EXPECT_NE(reader->LastError().find("division by zero"), std::string::npos)
        << reader->LastError();
    EXPECT_TRUE(WritesAreSeen("C1"));

    const auto wrong = FirstRows("select no_such_column from Warehouse");
    EXPECT_EQ(wrong->Step(), StepResult::Error);
    EXPECT_NE(reader->LastError().find("no_such_column"), std::string::npos) << reader->LastError();
    EXPECT_TRUE(WritesAreSeen("C2"));
}

// A report reads each list to its end: the server plans it for all its rows (a sort may beat the
// index walk by far) and streams them without a cursor, whatever the reader asks for.
TEST_F(PostgresFirstRowsTest, AProgramThatReadsEveryListToItsEndHasThemPlannedForAllRows) {
    const auto onePass = db.OpenBackend(ReadingPattern::kOnePass);
    const std::string sql = "select i from generate_series(1, 200000) as i order by i";
    const auto rows = onePass->Prepare(sql);
    ASSERT_TRUE(rows) << onePass->LastError();
    rows->PlanForFirstRows();
    ASSERT_EQ(rows->Step(), StepResult::Row);
    const auto sent = other->Prepare(
        "select query from pg_stat_activity where query like '%generate_series(1, 200000)%' "
        "and pid <> pg_backend_pid()");
    ASSERT_EQ(sent->Step(), StepResult::Row) << other->LastError();
    EXPECT_EQ(std::string(sent->ColumnText(0)), sql);
    EXPECT_EQ(Rest(*rows, rows->Step()).size(), 199999u);
}

TEST_F(PostgresFirstRowsTest, DroppedEarlyItLeavesTheConnectionUsable) {
    {
        // More rows still coming than are read on before the server is asked to stop.
        const auto rows = FirstRows("select i from generate_series(1, 200000) as i order by i");
        ASSERT_EQ(rows->Step(), StepResult::Row);
        EXPECT_EQ(std::string(rows->ColumnText(0)), "1");
    }
    EXPECT_TRUE(WritesAreSeen("D1"));
    EXPECT_EQ(OpenCursors(), "0");
}

}  // namespace
}  // namespace zel
