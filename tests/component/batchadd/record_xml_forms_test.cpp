#include <gtest/gtest.h>

#include "batchadd/batch_record.h"
#include "component/support/main_window_fixture.h"
#include "core/record_xml_writer.h"

namespace korvel::test {
namespace {

// The editor's record and batch add's are spelled apart (the editor sends "itopsum" and an
// empty person, batch add "iTopSum" and no person), each as the service has always been sent
// it; for one row both must store the same values.
class RecordXmlForms : public MainWindowTest {
protected:
    void SetUp() override {
        for (const char* warehouse : {"01", "02"}) {
            database.AddWarehouse(warehouse);
        }
        database.AddInventory("A&1");
        BindContext();
    }

    void Add(RecordXmlForm form, const std::string& warehouse) {
        CorrespondenceRow row = BatchRecord::RowOf(warehouse, "A&1", nullptr);
        const std::pair<const CorrespondenceField*, const char*> values[] = {
            {&Field("iTopSum"), "100.5"}, {&Field("iLowSum"), "10"},
            {&Field("iSafeNum"), "20"},   {&Field("iWastage"), "0.25"},
            {&Field("iFrequency"), "2"},  {&Field("cFrequency"), "周"},
            {&Field("iDays"), "3"},       {&Field("dLastDate"), "2024-01-31"}};
        for (const auto& [field, value] : values) {
            row.Set(*field, value);
        }
        std::string message;
        ASSERT_TRUE(
            context.login.db->Add(WriteRecordXml(form, row, "demo"), "WhInvContrapose", message))
            << message;
    }

    std::string Stored(const std::string& warehouse, const CorrespondenceField& field) {
        return database
            .Scalar("select " + std::string(field.column) +
                    " from WhInvContrapose where cWhCode='" + warehouse + "'")
            .ToString();
    }
};

TEST_F(RecordXmlForms, TheEditorAndBatchAddStoreTheSameRowAlike) {
    Add(RecordXmlForm::kEditor, "01");
    Add(RecordXmlForm::kBatchAdd, "02");
    for (const CorrespondenceField* field : FieldsInRecordXmlOrder()) {
        if (field->column != "cWhCode") {
            EXPECT_EQ(Stored("01", *field), Stored("02", *field)) << field->column;
        }
    }
    // Not two empty rows alike.
    EXPECT_EQ(Stored("02", Field("cFrequency")), "周");
}

TEST(RecordXmlFormsText, TheSameRowDiffersOnlyInTheSpellingEachWindowAlwaysSent) {
    CorrespondenceRow row = BatchRecord::RowOf("01", "A001", nullptr);
    row.Set(Field("iTopSum"), "5");
    EXPECT_EQ(WriteRecordXml(RecordXmlForm::kEditor, row, "u"),
              "<WhInvContrapose><CWhCode>01</CWhCode><cInvCode>A001</cInvCode><cWhPersonCode>"
              "</cWhPersonCode><itopsum>5</itopsum><ilowsum></ilowsum><isafenum></isafenum>"
              "<iWastage></iWastage><iFrequency></iFrequency><cFrequency></cFrequency><iDays>"
              "</iDays><dLastDate></dLastDate><cUserId>u</cUserId></WhInvContrapose>");
    EXPECT_EQ(WriteRecordXml(RecordXmlForm::kBatchAdd, row, "u"),
              "<WhInvContrapose><CWhCode>01</CWhCode><cInvCode>A001</cInvCode><iTopSum>5</iTopSum>"
              "<iLowSum></iLowSum><iSafeNum></iSafeNum><iWastage></iWastage><iFrequency>"
              "</iFrequency><cFrequency></cFrequency><iDays></iDays><dLastDate></dLastDate>"
              "<cUserId>u</cUserId></WhInvContrapose>");
}

}  // namespace
}  // namespace korvel::test
