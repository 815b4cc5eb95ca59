#include "core/record_xml_writer.h"

#include <gtest/gtest.h>

#include "editor/cycle_days.h"
#include "editor/grid_row_fields.h"

namespace korvel::test {
namespace {

TEST(RecordXml, ElementsStandInTheirOrderAndCaseAndBoxesOutOfReachAreLeftOut) {
    CorrespondenceRow fields;
    fields.Set(Field("cWhCode"), "01");
    fields.Set(Field("cInvCode"), "A001");
    fields.Set(Field("iTopSum"), "100");
    fields.Set(Field("iLowSum"), "10");
    fields.Set(Field("iSafeNum"), "20");
    fields.Set(Field("iWastage"), "1");
    fields.Set(Field("iFrequency"), "1");
    fields.Set(Field("cFrequency"), "周");
    fields.Set(Field("iDays"), "3");
    fields.Set(Field("dLastDate"), "2005-01-01");
    EXPECT_EQ(WriteRecordXml(RecordXmlForm::kEditor, fields, "demo"),
              "<WhInvContrapose><CWhCode>01</CWhCode><cInvCode>A001</cInvCode><cWhPersonCode>"
              "</cWhPersonCode><itopsum>100</itopsum><ilowsum>10</ilowsum><isafenum>20</isafenum>"
              "<iWastage>1</iWastage><iFrequency>1</iFrequency><cFrequency>周</cFrequency><iDays>3"
              "</iDays><dLastDate>2005-01-01</dLastDate><cUserId>demo</cUserId></WhInvContrapose>");
    fields.Unset(Field("iDays"));
    fields.Unset(Field("iTopSum"));
    const std::string xml = WriteRecordXml(RecordXmlForm::kEditor, fields, "demo");
    EXPECT_EQ(xml.find("iDays"), std::string::npos);
    EXPECT_EQ(xml.find("itopsum"), std::string::npos);
}

TEST(RecordXml, MarkupCharactersInValuesArriveIntact) {
    CorrespondenceRow fields;
    fields.Set(Field("cWhCode"), "R&D-01");
    fields.Set(Field("cInvCode"), "<A>");
    const std::string xml = WriteRecordXml(RecordXmlForm::kEditor, fields, "");
    EXPECT_NE(xml.find("<CWhCode>R&amp;D-01</CWhCode>"), std::string::npos);
    EXPECT_NE(xml.find("<cInvCode>&lt;A&gt;</cInvCode>"), std::string::npos);
}

// Each value lands in its own element: a value bound to the wrong column would be saved there.
TEST(RecordXml, EveryValueLandsInItsOwnElement) {
    CorrespondenceRow fields;
    fields.Set(Field("cWhCode"), "w");
    fields.Set(Field("cInvCode"), "i");
    fields.Set(Field("cWhPersonCode"), "p");
    fields.Set(Field("iTopSum"), "1");
    fields.Set(Field("iLowSum"), "2");
    fields.Set(Field("iSafeNum"), "3");
    fields.Set(Field("iWastage"), "4");
    fields.Set(Field("iFrequency"), "5");
    fields.Set(Field("cFrequency"), "月");
    fields.Set(Field("iDays"), "6");
    fields.Set(Field("dLastDate"), "7");
    EXPECT_EQ(WriteRecordXml(RecordXmlForm::kEditor, fields, "u"),
              "<WhInvContrapose><CWhCode>w</CWhCode><cInvCode>i</cInvCode><cWhPersonCode>p"
              "</cWhPersonCode><itopsum>1</itopsum><ilowsum>2</ilowsum><isafenum>3</isafenum>"
              "<iWastage>4</iWastage><iFrequency>5</iFrequency><cFrequency>月</cFrequency><iDays>6"
              "</iDays><dLastDate>7</dLastDate><cUserId>u</cUserId></WhInvContrapose>");
}

TEST(RecordXml, UnsetKeysPersonAndUnitGoEmptyWhileUnreachableBoxesAreLeftOut) {
    CorrespondenceRow fields;
    EXPECT_EQ(WriteRecordXml(RecordXmlForm::kEditor, fields, "u"),
              "<WhInvContrapose><CWhCode></CWhCode><cInvCode></cInvCode><cWhPersonCode>"
              "</cWhPersonCode><cFrequency></cFrequency><cUserId>u</cUserId></WhInvContrapose>");
}

TEST(CycleDays, AWeekHasSevenDaysAMonthThirtyOneAndADayNone) {
    EXPECT_EQ(CycleDays(kUnitWeek).size(), 7u);
    EXPECT_EQ(CycleDays(kUnitMonth).back(), "31");
    EXPECT_TRUE(CycleDays(kUnitDay).empty());
    EXPECT_TRUE(CycleDays(kUnitNone).empty());
    FieldCatalogue catalogue;
    catalogue.arrWeek = {"", "日", "一", "二", "三", "四", "五", "六"};
    EXPECT_EQ(WeekdayTip(catalogue, kUnitWeek, "3"), "二");
    EXPECT_EQ(WeekdayTip(catalogue, kUnitWeek, "8"), "");
    EXPECT_EQ(WeekdayTip(catalogue, kUnitWeek, "3x"), "");
    EXPECT_EQ(WeekdayTip(catalogue, kUnitMonth, "3"), "");
}

TEST(GridRowFields, HeadersFindTheirCaptionButEmptyOnesFindNothing) {
    FieldCatalogue catalogue;
    catalogue.arrFldCaption[0] = "存货编码";
    catalogue.arrFldCaption[5] = "Top";
    EXPECT_EQ(CaptionIndexOfHeader(catalogue, "存货编码"), 0);
    EXPECT_EQ(CaptionIndexOfHeader(catalogue, "TOP"), 5);
    EXPECT_EQ(CaptionIndexOfHeader(catalogue, ""), std::nullopt);
    EXPECT_EQ(CaptionIndexOfHeader(catalogue, "序号"), std::nullopt);
    EXPECT_FALSE(IsWrittenBack(13));
    EXPECT_FALSE(IsWrittenBack(14));
    EXPECT_TRUE(IsWrittenBack(16));
}

}  // namespace
}  // namespace korvel::test
