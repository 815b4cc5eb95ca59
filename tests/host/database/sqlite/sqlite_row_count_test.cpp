#include "host/database/sqlite/sqlite_row_count.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/test_database.h"

namespace zel {
namespace {

// Waits for the counting thread, long enough for a loaded machine.
std::optional<long> AwaitResult(const SqliteRowCount& count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!count.Result() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return count.Result();
}

TEST(SqliteRowCountTest, CountsTheRowsOfAQueryOnItsOwnConnection) {
    test::TestDatabase db{test::TestDatabase::Engine::Sqlite};
    db.AddWarehouse("01");
    db.AddWarehouse("02");
    db.AddWarehouse("03");
    ASSERT_TRUE(db.Execute("begin immediate"));  // a writer holding its lock blocks no reader
    auto count = SqliteRowCount::Start(db.Path(), "select * from Warehouse order by cWhCode");
    ASSERT_TRUE(count);
    EXPECT_EQ(AwaitResult(*count), 3);
    EXPECT_TRUE(db.Execute("rollback"));
}

TEST(SqliteRowCountTest, GivingUpStopsACountStillRunning) {
    test::TestDatabase db{test::TestDatabase::Engine::Sqlite};
    auto count = SqliteRowCount::Start(
        db.Path(), "with recursive k(i) as (select 1 union all select i+1 from k) select i from k");
    ASSERT_TRUE(count);
    EXPECT_FALSE(count->Result());
    count.reset();  // returns only once the thread has stopped
}

TEST(SqliteRowCountTest, NoCountOfAFileThatCannotBeOpened) {
    test::TestDatabase db{test::TestDatabase::Engine::Sqlite};
    EXPECT_FALSE(SqliteRowCount::Start(db.Folder() + "/no/such/file.db", "select 1"));
}

}  // namespace
}  // namespace zel
