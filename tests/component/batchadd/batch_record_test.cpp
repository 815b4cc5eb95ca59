#include "batchadd/batch_record.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(BatchRecord, WritesTheElementsInOrderWithEmptyValuesAndEscapedTexts) {
    const BatchRecord record{"W&1", "A'1<", {"500", "", "", "", "", "", "", ""}, "demo"};
    EXPECT_EQ(record.Xml(),
              "<WhInvContrapose><CWhCode>W&amp;1</CWhCode><cInvCode>A&apos;1&lt;</cInvCode>"
              "<iTopSum>500</iTopSum><iLowSum></iLowSum><iSafeNum></iSafeNum>"
              "<iWastage></iWastage><iFrequency></iFrequency><cFrequency></cFrequency>"
              "<iDays></iDays><dLastDate></dLastDate><cUserId>demo</cUserId></WhInvContrapose>");
}

TEST(BatchRecord, ReadsTheDefaultsOfOneItemUnderBothConditionsWithTheCodeQuoted) {
    EXPECT_EQ(BatchRecord::DefaultsQuery("O'Brien&1", "(1=1)", "(dEDate is null)"),
              "select top 1 iTopSum,iLowSum,iSafeNum,iWastage,iFrequency,cFrequency,iDays,"
              "dLastDate from Inventory where cInvCode='O''Brien&1' and (1=1) and "
              "(dEDate is null)");
}

TEST(BatchRecord, GivesEmptyDefaultsWithoutARow) {
    const auto defaults = BatchRecord::DefaultsOf(nullptr);
    for (const std::string& value : defaults) {
        EXPECT_EQ(value, "");
    }
}

}  // namespace
}  // namespace korvel
