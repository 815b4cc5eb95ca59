#include "core/const.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <pugixml.hpp>

#include "fake_services.h"
#include "support/scripted_dialogs.h"

namespace korvel::test {
namespace {

const std::string kDictionaryQuery = "select * from aa_columndic where ckey='Inventory' ";

std::string ExpectedFile(const std::string& name) {
    std::ifstream file(std::string(WHINV_SOURCE_DIR) + "/tests/component/core/expected/" + name,
                       std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    return text;
}

struct CatalogueFixture : ::testing::Test {
    zel::test::ScriptedDialogs dialogs;
    std::shared_ptr<Journal> journal = std::make_shared<Journal>();
    std::shared_ptr<FakePub> pub = std::make_shared<FakePub>(journal, dialogs);
    std::shared_ptr<FakeDb> db = std::make_shared<FakeDb>(journal);
    std::shared_ptr<FakeRecordset> dictionary =
        std::make_shared<FakeRecordset>(std::vector<FakeRecordset::Row>{});
    ComponentContext context;

    void SetUp() override {
        pub->texts = HostTexts();
        pub->captions = DictionaryCaptions();
        db->results[kDictionaryQuery] = dictionary;
        context.login.pub = pub;
        context.login.db = db;
    }
    // The attributes of one field of the definition, read back as XML.
    pugi::xml_node Field(pugi::xml_document& document, const char* name) {
        EXPECT_TRUE(document.load_string(context.catalogue.sFldDefXml.c_str()));
        return document.child("whinvcontrapose").child(name);
    }
};

TEST_F(CatalogueFixture, FieldDefinitionMatchesTheConditionControlFormatExactly) {
    InitCatalogue(context);
    EXPECT_EQ(context.catalogue.sFldDefXml, ExpectedFile("fld_def.xml"));
}

TEST_F(CatalogueFixture, FieldDefinitionCarriesTheQuantityDigits) {
    context.quantity.digits = 4;
    InitCatalogue(context);
    const auto& xml = context.catalogue.sFldDefXml;
    EXPECT_NE(xml.find("最高库存'  reftype='decdgt'  bmulmodify='1'  decdgt='4' />"),
              std::string::npos);
    EXPECT_NE(xml.find("最低库存'  reftype='decdgt'  bmulmodify='1' decdgt='4'  />"),
              std::string::npos);
    EXPECT_EQ(xml.find("decdgt='2'"), std::string::npos);
}

TEST_F(CatalogueFixture, AsksTheHostInTheFixedOrderAndClosesTheDictionary) {
    InitCatalogue(context);
    std::vector<std::string> expected = {"Zel.AA.ARCHIVE.whinvcontrapose",
                                         "Zel.AA.ARCHIVE.whinvcontraposetable"};
    for (int day = 1; day <= 7; ++day) {
        expected.push_back("Zel.AA.ARCHIVE.COMMON.week" + std::to_string(day));
    }
    const std::vector<std::string> rest = {
        "Zel.AA.ARCHIVE.COMMON.cdrequency_day", "Zel.AA.ARCHIVE.COMMON.cdrequency_week",
        "Zel.AA.ARCHIVE.COMMON.cdrequency_month", "Zel.AA.ARCHIVE.FIELD.cinvcode",
        "Zel.AA.ARCHIVE.FIELD.cinvname", "Zel.AA.ARCHIVE.FIELD.cinvstd",
        "Zel.AA.ARCHIVE.FIELD.cgroupcode", "Zel.AA.ARCHIVE.FIELD.main_ccomunitcode",
        "caption iTopSum", "caption iLowSum", "caption iSafeNum", "caption iWastage",
        "caption iFrequency", "caption cFrequency", "caption iDays", "caption dLastDate",
        "Zel.AA.ARCHIVE.FIELD.cgroupname", "Zel.AA.ARCHIVE.FIELD.main_ccomunitname",
        "Zel.AA.WHINVCONTRAPOSE.cpersoncode", "Zel.AA.WHINVCONTRAPOSE.cpersonname",
        // the field definition
        "Zel.AA.ARCHIVE.FIELD.cwhcode", "caption cInvCode", "caption iTopSum", "caption iLowSum",
        "caption iSafeNum", "caption iWastage", "caption iFrequency", "caption cFrequency",
        "caption dLastDate", "Zel.AA.WHINVCONTRAPOSE.cpersoncode"};
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(pub->calls, expected);
    EXPECT_EQ(db->statements, std::vector<std::string>{kDictionaryQuery});
    EXPECT_FALSE(dictionary->IsOpen());
}

TEST_F(CatalogueFixture, FillsTheListsAtTheirIndexes) {
    InitCatalogue(context);
    const auto& c = context.catalogue;
    EXPECT_EQ(c.sModuleTitle, "仓库存货对照");
    EXPECT_EQ(c.sTableTitle, "仓库存货对照表");
    EXPECT_EQ(c.arrWeek[0], "");
    EXPECT_EQ(c.arrWeek[1], "星期日");
    EXPECT_EQ(c.arrWeek[7], "星期六");
    EXPECT_EQ(c.arrFreqValue, (std::vector<std::string>{"天", "周", "月"}));
    EXPECT_EQ(c.arrFldName[0], "cInvCode");
    EXPECT_EQ(c.arrFldName[13], "cWhPersonCode");
    EXPECT_EQ(c.arrFldName[14], "Person.cPersonName");
    EXPECT_EQ(c.arrFldName[15], "");
    const std::pair<int, std::string> captions[] = {{0, "存货编码"},        {4, "主计量单位编码"},
                                                    {5, "最高库存"},        {8, "合理损耗率"},
                                                    {12, "上次盘点日期"},   {13, "计量单位组名称"},
                                                    {14, "主计量单位名称"}, {15, "库管员编码"},
                                                    {16, "库管员名称"},     {17, ""}};
    for (const auto& [index, caption] : captions) {
        EXPECT_EQ(c.arrFldCaption[index], caption) << index;
    }
}

TEST_F(CatalogueFixture, CaptionsAndUnitTextsAreEscapedInTheDefinition) {
    pub->captions["iTopSum"] = "Top & <max> 'x' \"y\"";
    pub->texts["Zel.AA.ARCHIVE.COMMON.cdrequency_week"] = "W'k";
    InitCatalogue(context);
    EXPECT_NE(context.catalogue.sFldDefXml.find(
                  "showfldname='Top &amp; &lt;max&gt; &apos;x&apos; &quot;y&quot;'"),
              std::string::npos);
    pugi::xml_document document;
    EXPECT_STREQ(Field(document, "whinvcontrapose.iTopSum").attribute("showfldname").value(),
                 "Top & <max> 'x' \"y\"");
    EXPECT_STREQ(Field(document, "whinvcontrapose.cFrequency").attribute("enumval").value(),
                 "天;W'k;月");
}

TEST_F(CatalogueFixture, WithoutTheDictionaryTheRestIsStillBuilt) {
    db->results.clear();
    InitCatalogue(context);
    const auto& c = context.catalogue;
    EXPECT_EQ(c.arrFldCaption[5], "");
    EXPECT_EQ(c.arrFldCaption[16], "库管员名称");
    pugi::xml_document document;
    EXPECT_STREQ(Field(document, "whinvcontrapose.CWhCode").attribute("showfldname").value(),
                 "仓库编码");
    EXPECT_STREQ(Field(document, "whinvcontrapose.iDays").name(), "");
}

TEST_F(CatalogueFixture, ARebuildForgetsThePreviousCatalogue) {
    InitCatalogue(context);
    db->results.clear();
    InitCatalogue(context);
    EXPECT_EQ(context.catalogue.arrFldCaption[5], "");
}

TEST(GetEnumVal, GivesTheUnitTextsOnlyForTheCycleUnit) {
    FieldCatalogue catalogue;
    catalogue.arrFreqText = {"day", "week", "month"};
    const std::pair<const char*, const char*> cases[] = {{"cFrequency", "day;week;month"},
                                                         {"CFREQUENCY", "day;week;month"},
                                                         {"cfrequency", "day;week;month"},
                                                         {"iDays", ""},
                                                         {"cFrequency2", ""},
                                                         {"", ""}};
    for (const auto& [field, expected] : cases) {
        EXPECT_EQ(GetEnumVal(catalogue, field), expected) << field;
    }
}

TEST(NullToStr, GivesEmptyTextForNullAndUnreadableValues) {
    const std::pair<std::optional<zel::Variant>, const char*> cases[] = {
        {std::nullopt, ""},           {zel::Variant(), ""},       {zel::Variant(0), "0"},
        {zel::Variant("abc"), "abc"}, {zel::Variant(1.5), "1.5"}, {zel::Variant(""), ""}};
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(NullToStr(value), expected);
    }
}

}  // namespace
}  // namespace korvel::test
