#include "host/database/sqlite/statement_cache.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace zel {
namespace {

class StatementCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
        sqlite3_exec(db, "create table T (a); insert into T values (1), (2), (3)", nullptr, nullptr,
                     nullptr);
    }
    void TearDown() override { sqlite3_close(db); }

    sqlite3_stmt* Compile(const std::string& sql) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr);
        return statement;
    }

    // Statements not finalised on the connection.
    int Open() {
        int count = 0;
        for (sqlite3_stmt* s = sqlite3_next_stmt(db, nullptr); s; s = sqlite3_next_stmt(db, s)) {
            ++count;
        }
        return count;
    }

    sqlite3* db = nullptr;
};

TEST_F(StatementCacheTest, GivesAKeptStatementBackOnlyForItsExactText) {
    StatementCache cache(4);
    const std::string sql = "select a from T where a>?";
    sqlite3_stmt* statement = Compile(sql);
    cache.Give(sql, statement);
    EXPECT_EQ(cache.Take("select a from T where a>? "), nullptr);
    EXPECT_EQ(cache.Take("SELECT a from T where a>?"), nullptr);
    EXPECT_EQ(cache.Take(sql), statement);
    EXPECT_EQ(cache.Take(sql), nullptr) << "a statement is lent to one caller at a time";
    sqlite3_finalize(statement);
}

TEST_F(StatementCacheTest, AKeptStatementStartsAgainWithNoValuesBound) {
    StatementCache cache(4);
    const std::string sql = "select a from T where a>? or ? is null order by a";
    sqlite3_stmt* statement = Compile(sql);
    sqlite3_bind_int(statement, 1, 1);
    sqlite3_bind_int(statement, 2, 0);
    ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(statement, 0), 2);
    cache.Give(sql, statement);
    statement = cache.Take(sql);
    ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(statement, 0), 1) << "the earlier bound value would skip 1";
    cache.Give(sql, statement);
}

TEST_F(StatementCacheTest, FinalisesTheStatementUsedLongestAgoWhenFull) {
    StatementCache cache(2);
    for (const char* sql : {"select 1", "select 2", "select 3"}) {
        cache.Give(sql, Compile(sql));
    }
    EXPECT_EQ(cache.Size(), 2U);
    EXPECT_EQ(Open(), 2);
    EXPECT_EQ(cache.Take("select 1"), nullptr);
    sqlite3_stmt* kept = cache.Take("select 2");
    ASSERT_NE(kept, nullptr);
    cache.Give("select 2", kept);
}

TEST_F(StatementCacheTest, KeepsSeveralStatementsOfOneTextAndFinalisesAllOnClear) {
    StatementCache cache(4);
    const std::string sql = "select a from T";
    sqlite3_stmt* first = Compile(sql);
    sqlite3_stmt* second = Compile(sql);
    cache.Give(sql, first);
    cache.Give(sql, second);
    EXPECT_EQ(cache.Size(), 2U);
    sqlite3_stmt* taken = cache.Take(sql);
    EXPECT_TRUE(taken == first || taken == second);
    cache.Give(sql, taken);
    cache.Clear();
    EXPECT_EQ(cache.Size(), 0U);
    EXPECT_EQ(Open(), 0);
}

TEST_F(StatementCacheTest, WithoutRoomFinalisesWhatItIsGiven) {
    StatementCache cache(0);
    cache.Give("select 1", Compile("select 1"));
    EXPECT_EQ(Open(), 0);
}

}  // namespace
}  // namespace zel
