#include "host/controls/find/field_definition.h"

#include <gtest/gtest.h>

#include <string>

#include "support/nested_elements.h"

namespace zel {
namespace {

// Only the attributes of the root's own elements are read, so whatever a field element holds,
// however deep, is never walked.
TEST(FieldDefinitionTest, ReadsTheFieldsWhateverTheyHold) {
    for (const int depth : {1, 30'000, 1'000'000}) {
        const auto definition = FieldDefinition::Read(
            "<t><t.iTopSum showfldname='最高库存' reftype='decdgt' bmulmodify='1'>" +
                test::NestedElements(depth) + "</t.iTopSum></t>",
            nullptr);
        ASSERT_TRUE(definition.ok()) << definition.message;
        ASSERT_EQ(definition.fields.size(), 1U);
        EXPECT_EQ(definition.fields.front().find.caption, "最高库存");
        EXPECT_EQ(definition.fields.front().find.type, FieldKind::kNumber);
    }
}

}  // namespace
}  // namespace zel
