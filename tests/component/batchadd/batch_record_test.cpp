#include "batchadd/batch_record.h"

#include <gtest/gtest.h>

#include "core/record_xml_writer.h"

namespace korvel {
namespace {

TEST(BatchRecord, WritesTheElementsInOrderWithEmptyValuesAndEscapedTexts) {
    CorrespondenceRow row = BatchRecord::RowOf("W&1", "A'1<", nullptr);
    row.Set(Field("iTopSum"), "500");
    EXPECT_EQ(WriteRecordXml(RecordXmlForm::kBatchAdd, row, "demo"),
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
    const CorrespondenceRow row = BatchRecord::RowOf("W", "A", nullptr);
    for (const CorrespondenceField* field : FieldsInBatchOrder()) {
        if (field->batch.itemDefault) {
            EXPECT_EQ(row.Value(*field), "") << field->column;
        }
    }
}

}  // namespace
}  // namespace korvel
