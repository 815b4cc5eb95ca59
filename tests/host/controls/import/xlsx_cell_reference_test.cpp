#include "host/controls/import/xlsx_cell_reference.h"

#include <gtest/gtest.h>

#include <ostream>

#include "support/case_name.h"

namespace zel {
namespace {

struct ReferenceCase {
    const char* name;
    const char* reference;
    std::size_t column;
};

void PrintTo(const ReferenceCase& c, std::ostream* out) {
    *out << c.name;
}

class CellReferenceTest : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(CellReferenceTest, NumbersColumnsFromA) {
    EXPECT_EQ(ReferenceColumn(GetParam().reference), GetParam().column);
}

INSTANTIATE_TEST_SUITE_P(
    References, CellReferenceTest,
    ::testing::Values(ReferenceCase{"a", "A1", 1}, ReferenceCase{"z", "Z9", 26},
                      ReferenceCase{"aa", "AA10", 27}, ReferenceCase{"last", "XFD1048576", 16384},
                      ReferenceCase{"pastLast", "XFE1", 16385}, ReferenceCase{"noRow", "A", 0},
                      ReferenceCase{"noColumn", "12", 0}, ReferenceCase{"lowerCase", "a1", 0},
                      ReferenceCase{"absolute", "$A$1", 0}, ReferenceCase{"tooLong", "AAAAA1", 0}),
    [](const auto& info) { return test::CaseName(info.param.name, info.index); });

}  // namespace
}  // namespace zel
