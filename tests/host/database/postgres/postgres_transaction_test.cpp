#include <gtest/gtest.h>

#include "host/database/sql_backend.h"
#include "support/test_database.h"

namespace zel {
namespace {

// A transaction reaches the server together with its first statement; these run only on a
// server, where a second connection shows what the first has committed.
class PostgresTransactionTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!db.OnServer()) {
            GTEST_SKIP() << "needs WHINV_TEST_POSTGRES";
        }
        for (int code = 10; code < 40; ++code) {
            db.AddWarehouse(std::to_string(code));
        }
        writer = db.OpenBackend();
        reader = db.OpenBackend();
    }

    static StepResult Insert(SqlBackend& backend, const std::string& code) {
        const auto insert =
            backend.Prepare("insert into Warehouse (cWhCode, cWhName) values (?, '新库')");
        if (!insert || !insert->Bind(1, Variant(code))) {
            return StepResult::Error;
        }
        return insert->Step();
    }

    static bool Exists(SqlBackend& backend, const std::string& code) {
        const auto query = backend.Prepare("select 1 from Warehouse where cWhCode=?");
        return query && query->Bind(1, Variant(code)) && query->Step() == StepResult::Row;
    }

    test::TestDatabase db;
    std::unique_ptr<SqlBackend> writer;
    std::unique_ptr<SqlBackend> reader;
};

TEST_F(PostgresTransactionTest, RowsWrittenAfterAStreamingFirstQueryStayUnseenUntilTheCommit) {
    ASSERT_TRUE(writer->Begin());
    const auto rows = writer->Prepare("select cWhCode from Warehouse order by cWhCode");
    ASSERT_EQ(rows->Step(), StepResult::Row);
    ASSERT_EQ(Insert(*writer, "90"), StepResult::Done) << writer->LastError();
    EXPECT_FALSE(Exists(*reader, "90"));
    int more = 0;
    while (rows->Step() == StepResult::Row) {
        ++more;
    }
    EXPECT_EQ(more, 29) << "the overtaken query keeps its rows";
    ASSERT_TRUE(writer->Commit());
    EXPECT_TRUE(Exists(*reader, "90"));
}

TEST_F(PostgresTransactionTest,
       ARefusedFirstStatementGivesItsOwnReasonAndLeavesTheConnectionUsable) {
    ASSERT_TRUE(writer->Begin());
    ASSERT_EQ(Insert(*writer, "10"), StepResult::Error);
    EXPECT_EQ(writer->LastRefusal(), SchemaRefusal::Unique) << writer->LastError();
    EXPECT_TRUE(writer->Rollback());

    ASSERT_TRUE(writer->Begin());
    ASSERT_EQ(Insert(*writer, "91"), StepResult::Done) << writer->LastError();
    ASSERT_TRUE(writer->Rollback());
    EXPECT_FALSE(Exists(*reader, "91"));
    EXPECT_TRUE(Exists(*writer, "10"));
}

TEST_F(PostgresTransactionTest, ATransactionNoStatementRanInLeavesTheNextStatementOnItsOwn) {
    ASSERT_TRUE(writer->Begin());
    ASSERT_TRUE(writer->Commit());
    ASSERT_EQ(Insert(*writer, "92"), StepResult::Done) << writer->LastError();
    EXPECT_TRUE(Exists(*reader, "92")) << "committed by itself";

    ASSERT_TRUE(writer->Begin());
    ASSERT_TRUE(writer->Rollback());
    ASSERT_EQ(Insert(*writer, "93"), StepResult::Done) << writer->LastError();
    EXPECT_TRUE(Exists(*reader, "93"));
}

TEST_F(PostgresTransactionTest, AScriptRunInsideATransactionIsRolledBackWithIt) {
    ASSERT_TRUE(writer->Begin());
    ASSERT_TRUE(
        writer->ExecuteScript("insert into Warehouse (cWhCode, cWhName) values ('94', 'x')"));
    EXPECT_FALSE(Exists(*reader, "94"));
    ASSERT_TRUE(writer->Rollback());
    EXPECT_FALSE(Exists(*writer, "94"));
}

TEST_F(PostgresTransactionTest, AConnectionCutBeforeTheFirstStatementFailsItWithoutHanging) {
    const auto pid = writer->Prepare("select pg_backend_pid()");
    ASSERT_EQ(pid->Step(), StepResult::Row);
    const std::string writerPid(pid->ColumnText(0));
    const auto cut = reader->Prepare("select pg_terminate_backend(" + writerPid + ")");
    ASSERT_EQ(cut->Step(), StepResult::Row) << reader->LastError();

    ASSERT_TRUE(writer->Begin());
    EXPECT_EQ(Insert(*writer, "95"), StepResult::Error);
    EXPECT_FALSE(writer->LastError().empty());
    writer->Rollback();
    EXPECT_FALSE(Exists(*reader, "95"));
}

TEST_F(PostgresTransactionTest, ACommitCarriedByTheLastStatementHoldsOnceThatStatementEnds) {
    ASSERT_TRUE(writer->Begin());
    ASSERT_EQ(Insert(*writer, "80"), StepResult::Done) << writer->LastError();
    writer->CommitWithNextStatement();
    ASSERT_EQ(Insert(*writer, "81"), StepResult::Done) << writer->LastError();
    EXPECT_TRUE(Exists(*reader, "80")) << "committed with the last statement, before Commit";
    EXPECT_TRUE(Exists(*reader, "81"));
    EXPECT_TRUE(writer->Commit());

    ASSERT_TRUE(writer->Begin());
    ASSERT_EQ(Insert(*writer, "82"), StepResult::Done) << writer->LastError();
    ASSERT_TRUE(writer->Rollback());
    EXPECT_FALSE(Exists(*reader, "82")) << "the next transaction is one of its own";
}

TEST_F(PostgresTransactionTest, ALastStatementRefusedTakesItsTransactionBackWithIt) {
    ASSERT_TRUE(writer->Begin());
    ASSERT_EQ(Insert(*writer, "83"), StepResult::Done) << writer->LastError();
    writer->CommitWithNextStatement();
    ASSERT_EQ(Insert(*writer, "10"), StepResult::Error);
    EXPECT_EQ(writer->LastRefusal(), SchemaRefusal::Unique) << writer->LastError();
    EXPECT_TRUE(writer->Rollback());
    EXPECT_FALSE(Exists(*reader, "83"));
    ASSERT_EQ(Insert(*writer, "84"), StepResult::Done) << "out of the failed transaction";
    EXPECT_TRUE(Exists(*reader, "84"));
}

TEST_F(PostgresTransactionTest, ACarriedCommitTheServerRefusesIsAFailure) {
    ASSERT_TRUE(writer->ExecuteScript(
        "create temporary table deferred_key (k integer unique deferrable initially deferred)"));
    const auto insertKey = [&] {
        const auto insert = writer->Prepare("insert into deferred_key values (1)");
        return insert ? insert->Step() : StepResult::Error;
    };
    ASSERT_TRUE(writer->Begin());
    ASSERT_EQ(Insert(*writer, "85"), StepResult::Done) << writer->LastError();
    ASSERT_EQ(insertKey(), StepResult::Done) << writer->LastError();
    writer->CommitWithNextStatement();
    ASSERT_EQ(insertKey(), StepResult::Done) << "the key is checked at the commit";
    EXPECT_FALSE(writer->Commit());
    EXPECT_EQ(writer->LastRefusal(), SchemaRefusal::Unique) << writer->LastError();
    writer->Rollback();
    EXPECT_FALSE(Exists(*reader, "85"));
    EXPECT_TRUE(Exists(*writer, "10")) << "the connection stays usable";
}

TEST_F(PostgresTransactionTest, ACommitAnnouncedButNeverSentLeavesTheRollbackItsWork) {
    ASSERT_TRUE(writer->Begin());
    ASSERT_EQ(Insert(*writer, "86"), StepResult::Done) << writer->LastError();
    writer->CommitWithNextStatement();
    ASSERT_TRUE(writer->Rollback());
    EXPECT_FALSE(Exists(*reader, "86"));
    EXPECT_FALSE(Exists(*writer, "86"));
}

TEST_F(PostgresTransactionTest, ACommitCarriedByAStreamingQueryIsReadWithTheQuerysRest) {
    ASSERT_TRUE(writer->Begin());
    ASSERT_EQ(Insert(*writer, "87"), StepResult::Done) << writer->LastError();
    writer->CommitWithNextStatement();
    const auto rows = writer->Prepare("select cWhCode from Warehouse order by cWhCode");
    ASSERT_EQ(rows->Step(), StepResult::Row);
    EXPECT_TRUE(writer->Commit());
    EXPECT_TRUE(Exists(*reader, "87"));
    int more = 0;
    while (rows->Step() == StepResult::Row) {
        ++more;
    }
    EXPECT_EQ(more, 30) << "the query keeps its rows";
}

}  // namespace
}  // namespace zel
