#include "host/pub/find_store.h"

#include <gtest/gtest.h>

#include "support/test_database.h"

namespace zel {
namespace {

using enum FindOperator;

constexpr const char* kCaption = "仓库存货对照表";

class FindStoreTest : public ::testing::Test {
protected:
    FindStore Store(const std::string& userId) { return FindStore(database.OpenService(), userId); }

    test::TestDatabase database;
};

TEST_F(FindStoreTest, NothingStoredGivesNoChoiceAndNoLines) {
    EXPECT_EQ(Store("u1").OfferedFields(kCaption), std::nullopt);
    EXPECT_TRUE(Store("u1").LastRows(kCaption).empty());
}

TEST_F(FindStoreTest, TheChoiceAndTheLinesBelongToTheUserAndTheCaption) {
    const std::vector<FindRow> rows = {{false, "cInvName", kContains, "O'Brien 50%", ""},
                                       {true, "iTopSum", kBetween, "1", "2"},
                                       {false, "dLastDate", kIsEmpty, "", ""}};
    ASSERT_TRUE(Store("u1").SaveOfferedFields(kCaption, {"cInvName", "iTopSum"}));
    ASSERT_TRUE(Store("u1").SaveLastRows(kCaption, rows));

    EXPECT_EQ(Store("u1").OfferedFields(kCaption),
              (std::vector<std::string>{"cInvName", "iTopSum"}));
    EXPECT_EQ(Store("u1").LastRows(kCaption), rows);
    EXPECT_EQ(Store("u2").OfferedFields(kCaption), std::nullopt);
    EXPECT_TRUE(Store("u2").LastRows(kCaption).empty());
    EXPECT_TRUE(Store("u1").LastRows("其他窗口").empty());
}

TEST_F(FindStoreTest, ALongValueIsKeptInPiecesOfAnOptionsSizeAndReadWhole) {
    // Chinese texts take three bytes a character: pieces must not split one.
    std::vector<FindRow> rows;
    for (int i = 0; i < 20; ++i) {
        rows.push_back({i % 2 == 1, "cInvName", kContains, "螺钉'%_\\ 第" + std::to_string(i), ""});
    }
    ASSERT_TRUE(Store("u1").SaveLastRows(kCaption, rows));
    EXPECT_EQ(Store("u1").LastRows(kCaption), rows);
    EXPECT_GT(database.Scalar("select count(*) from aa_formoption").ToDouble().value_or(0), 3);
    const char* longestBytes = database.OnServer()
                                   ? "select max(octet_length(cValue)) from aa_formoption"
                                   : "select max(length(cast(cValue as blob))) from aa_formoption";
    EXPECT_LE(database.Scalar(longestBytes).ToDouble().value_or(1000), 255);

    // A shorter value afterwards does not pick up the pieces the longer one left.
    const std::vector<FindRow> shorter = {{false, "iTopSum", kEqual, "5", ""}};
    ASSERT_TRUE(Store("u1").SaveLastRows(kCaption, shorter));
    EXPECT_EQ(Store("u1").LastRows(kCaption), shorter);
}

TEST_F(FindStoreTest, StoredLinesWithAnUnknownOperatorAreDropped) {
    ASSERT_TRUE(database.Execute(
        "insert into aa_formoption values ('u1', 'Find:" + std::string(kCaption) +
        "', 'findRows.0', '[{\"field\":\"cInvName\",\"op\":\"like\",\"value\":\"x\"},"
        "{\"field\":\"iTopSum\",\"op\":\">\",\"value\":\"3\"}]')"));
    ASSERT_TRUE(database.Execute("insert into aa_formoption values ('u1', 'Find:" +
                                 std::string(kCaption) + "', 'findRows.n', '1')"));
    EXPECT_EQ(Store("u1").LastRows(kCaption),
              (std::vector<FindRow>{{false, "iTopSum", kGreater, "3", ""}}));
}

TEST_F(FindStoreTest, AMissingPieceReadsAsNothingStored) {
    ASSERT_TRUE(database.Execute("insert into aa_formoption values ('u1', 'Find:" +
                                 std::string(kCaption) + "', 'findFields.n', '2')"));
    ASSERT_TRUE(database.Execute("insert into aa_formoption values ('u1', 'Find:" +
                                 std::string(kCaption) + "', 'findFields.0', '[\"cInv')"));
    EXPECT_EQ(Store("u1").OfferedFields(kCaption), std::nullopt);
}

// Stored lines are outside text to the reader: nesting far deeper than the flat list of lines
// is refused by the JSON reader's own depth limit and reads as nothing stored.
TEST_F(FindStoreTest, DeeplyNestedStoredLinesReadAsNothingStored) {
    for (const std::size_t depth : {30'000U, 1'000'000U}) {
        const std::string value = std::string(depth, '[') + std::string(depth, ']');
        const std::string form = "'Find:" + std::string(kCaption) + "'";
        std::string insert = "insert into aa_formoption values ";
        const std::size_t pieceBytes = 250;
        std::size_t piece = 0;
        for (std::size_t start = 0; start < value.size(); start += pieceBytes, ++piece) {
            insert += "('u1', " + form + ", 'findRows." + std::to_string(piece) + "', '" +
                      value.substr(start, pieceBytes) + "'), ";
        }
        insert += "('u1', " + form + ", 'findRows.n', '" + std::to_string(piece) + "')";
        ASSERT_TRUE(database.Execute("delete from aa_formoption"));
        ASSERT_TRUE(database.Execute(insert));
        EXPECT_TRUE(Store("u1").LastRows(kCaption).empty()) << depth;
    }
}

}  // namespace
}  // namespace zel
