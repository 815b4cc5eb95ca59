#include "host/pub/reference_filter_fields.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace zel {
namespace {

TEST(ReferenceFilterFields, EachKindMatchesOnItsCodeAndNameWhateverTheCase) {
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"inventory", "cInvCode,cInvName,cInvStd"},
        {"Inventory", "cInvCode,cInvName,cInvStd"},
        {"WAREHOUSE", "cWhCode,cWhName"},
        {"person", "cPersonCode,cPersonName"},
        {"Person", "cPersonCode,cPersonName"},
        {"customer", ""},
        {"", ""},
        {"person ", ""},
    };
    for (const auto& [kind, fields] : cases) {
        EXPECT_EQ(ReferenceFilterFields(kind), fields) << kind;
    }
}

}  // namespace
}  // namespace zel
