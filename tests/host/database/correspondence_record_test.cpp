#include "host/database/correspondence_record.h"

#include <gtest/gtest.h>

#include "host/objects/resource_texts.h"
#include "support/test_database.h"

namespace zel {
namespace {

// Builds the editor's record XML with one element replaced or added.
std::string EditorXml(const std::string& element = {}, const std::string& value = {}) {
    const std::pair<std::string, std::string> fields[] = {
        {"CWhCode", "01"},  {"cInvCode", "A001"},        {"cWhPersonCode", ""},
        {"itopsum", "100"}, {"ilowsum", "10"},           {"isafenum", "20"},
        {"iWastage", "1"},  {"iFrequency", "1"},         {"cFrequency", "周"},
        {"iDays", "3"},     {"dLastDate", "2005-01-01"}, {"cUserId", "demo"}};
    std::string xml = "<WhInvContrapose>";
    bool replaced = false;
    for (const auto& [name, text] : fields) {
        const bool isIt = name == element;
        replaced = replaced || isIt;
        xml += "<" + name + ">" + (isIt ? value : text) + "</" + name + ">";
    }
    if (!element.empty() && !replaced) {
        xml += "<" + element + ">" + value + "</" + element + ">";
    }
    return xml + "</WhInvContrapose>";
}

class CorrespondenceRecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.AddWarehouse("01", "成品库");
        db.AddInventory("A001", "螺钉");
        db.AddInventory("A002", "螺母");
        db.AddPerson("P01", "张三");
        service = db.OpenService();
    }

    bool Add(std::string xml) { return service->Add(xml, "WhInvContrapose", message); }
    bool Modify(std::string xml) { return service->Modify(xml, "WhInvContrapose", message); }
    long Rows() { return std::stol(db.Scalar("select count(*) from WhInvContrapose").ToString()); }
    Variant Stored(const std::string& column, const std::string& inventory = "A001") {
        return db.Scalar("select " + column + " from WhInvContrapose where cInvCode='" + inventory +
                         "'");
    }

    test::TestDatabase db;
    std::shared_ptr<IClsCommon> service;
    std::string message;
};

TEST_F(CorrespondenceRecordTest, AddStoresTheEditorRecordWithItsTypes) {
    ASSERT_TRUE(Add(EditorXml())) << message;
    EXPECT_EQ(Stored("iTopSum"), Variant(100));
    EXPECT_EQ(Stored("iLowSum"), Variant(10));
    EXPECT_EQ(Stored("cFrequency"), Variant("周"));
    EXPECT_EQ(Stored("iDays"), Variant(3));
    EXPECT_EQ(Stored("dLastDate"), Variant("2005-01-01"));
    EXPECT_TRUE(Stored("cWhPersonCode").IsNull());
    EXPECT_EQ(Stored("cCreatePerson"), Variant("demo"));
    EXPECT_FALSE(Stored("dModifyDate").IsNull());
}

TEST_F(CorrespondenceRecordTest, AddTakesTheBatchElementNamesAndEmptyValuesAsNull) {
    std::string xml =
        "<WhInvContrapose><CWhCode>01</CWhCode><cInvCode>A002</cInvCode><iTopSum>500</iTopSum>"
        "<iLowSum></iLowSum><iSafeNum></iSafeNum><iWastage>0.25</iWastage><iFrequency>"
        "</iFrequency><cFrequency></cFrequency><iDays></iDays><dLastDate></dLastDate>"
        "<cUserId>demo</cUserId></WhInvContrapose>";
    ASSERT_TRUE(Add(xml)) << message;
    EXPECT_EQ(Stored("iTopSum", "A002"), Variant(500));
    EXPECT_EQ(Stored("iWastage", "A002"), Variant(0.25));
    for (const char* column :
         {"iLowSum", "iSafeNum", "iFrequency", "cFrequency", "iDays", "dLastDate"}) {
        EXPECT_TRUE(Stored(column, "A002").IsNull()) << column;
    }
}

TEST_F(CorrespondenceRecordTest, AddOfAnExistingPairGivesTheDuplicateText) {
    ASSERT_TRUE(Add(EditorXml())) << message;
    EXPECT_FALSE(Add(EditorXml()));
    EXPECT_EQ(message, ResourceTexts::Instance().Text("Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.144_1"));
    EXPECT_EQ(message, "仓库存货对照已经存在！");
    // Codes compare like the host's: letter case and trailing blanks make no new pair.
    db.AddWarehouse("W1", "小写库");
    db.AddCorrespondence("W1 ", "A001");
    EXPECT_FALSE(Add(EditorXml("CWhCode", "w1")));
    EXPECT_EQ(message, "仓库存货对照已经存在！");
    EXPECT_EQ(Rows(), 2);
}

struct Refusal {
    const char* name;
    std::string element;
    std::string value;
    std::string fragment;  // part of the message
};

void PrintTo(const Refusal& refusal, std::ostream* out) {
    *out << refusal.name;
}

class CorrespondenceRecordRefusal : public CorrespondenceRecordTest,
                                    public ::testing::WithParamInterface<Refusal> {};

TEST_P(CorrespondenceRecordRefusal, ChangesNothingAndSaysWhy) {
    EXPECT_FALSE(Add(EditorXml(GetParam().element, GetParam().value)));
    EXPECT_NE(message.find(GetParam().fragment), std::string::npos) << message;
    EXPECT_EQ(Rows(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Values, CorrespondenceRecordRefusal,
    ::testing::Values(Refusal{"EmptyWarehouse", "CWhCode", "", "仓库编码不能为空"},
                      Refusal{"EmptyInventory", "cInvCode", " ", "存货编码不能为空"},
                      Refusal{"UnknownWarehouse", "CWhCode", "99", "仓库编码99不存在"},
                      Refusal{"UnknownInventory", "cInvCode", "Z9", "存货编码Z9不存在"},
                      Refusal{"UnknownPerson", "cWhPersonCode", "P99", "P99不存在"},
                      Refusal{"DecimalComma", "itopsum", "1,5", "最高库存必须是数字"},
                      Refusal{"FreeTextNumber", "ilowsum", "ten", "最低库存必须是数字"},
                      Refusal{"Exponent", "isafenum", "1e3", "安全库存必须是数字"},
                      Refusal{"TooManyWholeDigits", "itopsum", "123456789012345",
                              "整数部分最多14位"},
                      Refusal{"TooManyDecimals", "iWastage", "0.1234567", "小数部分最多6位"},
                      Refusal{"FractionalCycle", "iFrequency", "1.5", "盘点周期必须是整数"},
                      Refusal{"FractionalDay", "iDays", "2.5", "盘点日必须是整数"},
                      Refusal{"WeekDayPastSeven", "iDays", "8", "1到7"},
                      Refusal{"NoSuchDate", "dLastDate", "2026-02-30", "不是有效的日期"},
                      Refusal{"NoSuchMonth", "dLastDate", "2026-13-01", "不是有效的日期"},
                      Refusal{"DateAsText", "dLastDate", "yesterday", "不是有效的日期"},
                      Refusal{"UnknownUnit", "cFrequency", "年", "天、周或月"},
                      Refusal{"UnknownElement", "cColour", "red", "cColour"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST_F(CorrespondenceRecordTest, DayMustFitTheCycleUnit) {
    EXPECT_FALSE(Add(EditorXml("cFrequency", "天")));  // the record still carries iDays 3
    EXPECT_NE(message.find("不能设置盘点日"), std::string::npos) << message;
    std::string month = EditorXml("cFrequency", "月");
    ASSERT_TRUE(Add(month.replace(month.find("<iDays>3"), 8, "<iDays>31"))) << message;
    EXPECT_EQ(Stored("iDays"), Variant(31));
}

TEST_F(CorrespondenceRecordTest, DatesInTheAcceptedFormsAreStoredAsIso) {
    ASSERT_TRUE(Add(EditorXml("dLastDate", "2026/2/3"))) << message;
    EXPECT_EQ(Stored("dLastDate"), Variant("2026-02-03"));
}

TEST_F(CorrespondenceRecordTest, ValuesTravelAsBoundTextsNotAsSql) {
    db.AddInventory("A'; drop table Warehouse; --", "引号");
    std::string xml = EditorXml("cInvCode", "A'; drop table Warehouse; --");
    ASSERT_TRUE(Add(xml)) << message;
    EXPECT_EQ(Rows(), 1);
    EXPECT_EQ(db.Scalar("select count(*) from Warehouse"), Variant(1));
}

TEST_F(CorrespondenceRecordTest, MalformedXmlAndOtherTablesAreRefused) {
    EXPECT_FALSE(Add("<WhInvContrapose><CWhCode>01</CWhCode>"));
    EXPECT_FALSE(message.empty());
    std::string xml = EditorXml();
    EXPECT_FALSE(service->Add(xml, "Warehouse", message));
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(Rows(), 0);
}

TEST_F(CorrespondenceRecordTest, ModifyChangesOnlyTheElementsPresent) {
    db.AddCorrespondence("01", "A001",
                         {{"iTopSum", 100}, {"iSafeNum", 20}, {"cFrequency", "周"}, {"iDays", 3}});
    std::string xml =
        "<WhInvContrapose><CWhCode>01</CWhCode><cInvCode>A001</cInvCode><cWhPersonCode>P01"
        "</cWhPersonCode><itopsum>300</itopsum><cFrequency>周</cFrequency><cUserId>u2"
        "</cUserId></WhInvContrapose>";
    ASSERT_TRUE(Modify(xml)) << message;
    EXPECT_EQ(Stored("iTopSum"), Variant(300));
    EXPECT_EQ(Stored("iSafeNum"), Variant(20));
    EXPECT_EQ(Stored("iDays"), Variant(3));
    EXPECT_EQ(Stored("cWhPersonCode"), Variant("P01"));
    EXPECT_EQ(Stored("cModifyPerson"), Variant("u2"));
}

TEST_F(CorrespondenceRecordTest, ModifyToADayCycleClearsTheStoredDay) {
    db.AddCorrespondence("01", "A001", {{"cFrequency", "月"}, {"iDays", 15}});
    std::string xml =
        "<WhInvContrapose><CWhCode>01</CWhCode><cInvCode>A001</cInvCode><cWhPersonCode>"
        "</cWhPersonCode><iFrequency>2</iFrequency><cFrequency>天</cFrequency><cUserId>u"
        "</cUserId></WhInvContrapose>";
    ASSERT_TRUE(Modify(xml)) << message;
    EXPECT_EQ(Stored("cFrequency"), Variant("天"));
    EXPECT_TRUE(Stored("iDays").IsNull());
}

TEST_F(CorrespondenceRecordTest, ModifyChecksADayAgainstTheStoredUnit) {
    db.AddCorrespondence("01", "A001", {{"cFrequency", "周"}, {"iDays", 3}});
    std::string xml =
        "<WhInvContrapose><CWhCode>01</CWhCode><cInvCode>A001</cInvCode><iDays>9</iDays>"
        "</WhInvContrapose>";
    EXPECT_FALSE(Modify(xml));
    EXPECT_EQ(Stored("iDays"), Variant(3));
}

TEST_F(CorrespondenceRecordTest, ModifyOfARowThatIsGoneFails) {
    EXPECT_FALSE(Modify(EditorXml()));
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(Rows(), 0);
}

}  // namespace
}  // namespace zel
