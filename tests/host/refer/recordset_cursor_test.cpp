#include "host/refer/recordset_cursor.h"

#include <gtest/gtest.h>

#include "support/test_database.h"

namespace zel {
namespace {

std::shared_ptr<IRecordset> Open(const test::TestDatabase& db, std::string sql) {
    auto rows = db.OpenService()->OpenX(sql);
    EXPECT_NE(rows, nullptr) << sql;
    return rows;
}

TEST(RecordsetCursor, ReadsRowsInAnyOrderFromARecordsetThatOnlyMovesForward) {
    test::TestDatabase db;
    for (const char* code : {"A1", "A2", "A3", "A4"}) {
        db.AddWarehouse(code);
    }
    auto rows = Open(db, "select cWhCode from Warehouse order by cWhCode");
    rows->MoveNext();  // wherever the caller left it
    const RecordsetCursor cursor(rows);
    ASSERT_EQ(cursor.RowCount(), 4);
    EXPECT_EQ(cursor.Value(2, 0), Variant("A3"));
    EXPECT_EQ(cursor.Value(3, 0), Variant("A4"));
    EXPECT_EQ(cursor.Value(0, 0), Variant("A1"));
    EXPECT_EQ(cursor.Value(1, 0), Variant("A2"));
}

TEST(RecordsetCursor, GivesNullOutsideTheRowsAndColumns) {
    test::TestDatabase db;
    db.AddWarehouse("A1");
    const RecordsetCursor cursor(Open(db, "select cWhCode from Warehouse"));
    EXPECT_TRUE(cursor.Value(1, 0).IsNull());
    EXPECT_TRUE(cursor.Value(-1, 0).IsNull());
    EXPECT_TRUE(cursor.Value(0, 1).IsNull());
    EXPECT_TRUE(cursor.Value(0, -1).IsNull());
    EXPECT_EQ(cursor.Value(0, 0), Variant("A1"));
}

TEST(RecordsetCursor, HasNoRowsForAnEmptyResult) {
    test::TestDatabase db;
    const RecordsetCursor cursor(Open(db, "select cWhCode from Warehouse"));
    EXPECT_EQ(cursor.RowCount(), 0);
    EXPECT_TRUE(cursor.Value(0, 0).IsNull());
}

}  // namespace
}  // namespace zel
