#include "host/database/recordset_filter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host/database/recordset_columns.h"
#include "host/database/sql_backend.h"
#include "support/case_name.h"
#include "support/test_database.h"

namespace zel {
namespace {

struct FilterCase {
    const char* condition;
    bool matches;
};

void PrintTo(const FilterCase& c, std::ostream* out) {
    *out << c.condition;
}

// One row: code '01 ', name '仓库', count 7, rate 1.5, note NULL, text number '007'.
class RecordsetFilterTest : public ::testing::TestWithParam<FilterCase> {
protected:
    RecordsetFilterTest() {
        statement = backend.Prepare(
            "select 'Ab ' as code, '仓库' as name, 7 as count, 1.5 as rate, null as note, '007' "
            "as textnumber");
        columns = RecordsetColumns(*statement);
    }
    Variant Cell(int column) const {
        static const Variant row[] = {Variant("Ab "), Variant("仓库"), Variant(7),
                                      Variant(1.5),   Variant(),       Variant("007")};
        return row[column];
    }

    test::TestDatabase db;
    std::unique_ptr<SqlBackend> opened = db.OpenBackend();
    SqlBackend& backend = *opened;
    std::unique_ptr<SqlStatement> statement;
    RecordsetColumns columns;
};

TEST_P(RecordsetFilterTest, MatchesLikeTheHost) {
    const auto filter = RecordsetFilter::Parse(GetParam().condition, columns);
    ASSERT_TRUE(filter) << GetParam().condition;
    EXPECT_EQ(filter->Matches([&](int column) { return Cell(column); }), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, RecordsetFilterTest,
    ::testing::Values(FilterCase{"code='ab'", true}, FilterCase{"CODE = 'AB  '", true},
                      FilterCase{"code<>'ab'", false}, FilterCase{"name='仓库'", true},
                      FilterCase{"count=7", true}, FilterCase{"count='7'", true},
                      FilterCase{"count>=7.0 and rate<2", true}, FilterCase{"rate>1.5", false},
                      FilterCase{"count=-7", false}, FilterCase{"textnumber='7'", false},
                      FilterCase{"textnumber=7", true}, FilterCase{"note=''", false},
                      FilterCase{"note<>'x'", false},
                      FilterCase{"code='x' or name='仓库' and count=7", true},
                      FilterCase{"(code='x' or name='仓库') and count=8", false},
                      FilterCase{"[code]='ab' and \"count\"!=8", true},
                      FilterCase{"t.code='ab'", true}),
    [](const auto& info) {
        return ::zel::test::CaseName(std::to_string(info.index) + " " + info.param.condition,
                                     info.index);
    });

TEST(RecordsetFilterParse, RefusesWhatItCannotRead) {
    test::TestDatabase db;
    std::unique_ptr<SqlBackend> opened = db.OpenBackend();
    SqlBackend& backend = *opened;
    auto statement = backend.Prepare("select 1 as a, 'x' as b");
    const RecordsetColumns columns(*statement);
    for (const char* bad : {"a=", "a=1 and", "(a=1", "a=1)", "nosuch=1", "a==", "a='x", "a=1 b=2",
                            "'x'=a", "a like 'x%'", "a=-'x'"}) {
        EXPECT_FALSE(RecordsetFilter::Parse(bad, columns)) << bad;
    }
}

std::string Nested(int depth) {
    return std::string(static_cast<std::size_t>(depth), '(') + "a=1" +
           std::string(static_cast<std::size_t>(depth), ')');
}

// Only the last term holds, so the whole chain is looked at.
std::string Chained(int terms) {
    std::string condition;
    for (int i = 1; i < terms; ++i) {
        condition += "a=2 or ";
    }
    return condition + "a=1";
}

struct SizeCase {
    std::string condition;
    bool accepted;
};

// Nesting is bounded so that outside text cannot exhaust the stack; a long flat chain of
// and / or is not nesting and stays readable at any length.
TEST(RecordsetFilterParse, BoundsNestingButNotLength) {
    test::TestDatabase db;
    std::unique_ptr<SqlBackend> opened = db.OpenBackend();
    auto statement = opened->Prepare("select 1 as a, 'x' as b");
    const RecordsetColumns columns(*statement);
    const int limit = RecordsetFilter::kMaxNesting;
    const SizeCase cases[] = {
        {Nested(limit), true},      {Nested(limit + 1), false},           {Nested(30'000), false},
        {Nested(1'000'000), false}, {std::string(1'000'000, '('), false}, {Chained(300'000), true}};
    for (const auto& [condition, accepted] : cases) {
        const auto filter = RecordsetFilter::Parse(condition, columns);
        ASSERT_EQ(filter.has_value(), accepted) << condition.size() << " characters";
        if (filter) {
            const Variant row[] = {Variant(1), Variant("x")};
            EXPECT_TRUE(filter->Matches([&](int column) { return row[column]; }));
        }
    }
}

}  // namespace
}  // namespace zel
