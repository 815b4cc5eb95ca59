#include "host/database/table_record.h"

#include <gtest/gtest.h>

#include <memory>

#include <QDate>
#include <map>

#include "host/database/sql_backend.h"
#include "host/login/login.h"
#include "host/objects/inventory_in_use.h"
#include "host/objects/resource_texts.h"
#include "support/nested_elements.h"
#include "support/test_database.h"

namespace zel {
namespace {

using Changes = std::map<std::string, std::string>;

// The editor's record XML with the texts of some elements replaced; other names are added.
std::string EditorXml(const Changes& changes) {
    const std::pair<std::string, std::string> fields[] = {
        {"CWhCode", "01"},  {"cInvCode", "A001"},        {"cWhPersonCode", ""},
        {"itopsum", "100"}, {"ilowsum", "10"},           {"isafenum", "20"},
        {"iWastage", "1"},  {"iFrequency", "1"},         {"cFrequency", "周"},
        {"iDays", "3"},     {"dLastDate", "2005-01-01"}, {"cUserId", "demo"}};
    Changes added = changes;
    std::string xml = "<WhInvContrapose>";
    for (const auto& [name, text] : fields) {
        const auto change = added.find(name);
        xml +=
            "<" + name + ">" + (change == added.end() ? text : change->second) + "</" + name + ">";
        if (change != added.end()) {
            added.erase(change);
        }
    }
    for (const auto& [name, text] : added) {
        xml += "<" + name + ">" + text + "</" + name + ">";
    }
    return xml + "</WhInvContrapose>";
}

std::string EditorXml(const std::string& element = {}, const std::string& value = {}) {
    return element.empty() ? EditorXml(Changes{}) : EditorXml(Changes{{element, value}});
}

std::string IsoDay(int daysFromToday) {
    return QDate::currentDate().addDays(daysFromToday).toString(Qt::ISODate).toStdString();
}

class CorrespondenceRecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.AddWarehouse("01", "成品库");
        db.AddInventory("A001", "螺钉");
        db.AddInventory("A002", "螺母");
        db.AddPerson("P01", "张三");
        // A second administrator, so that changes by another user than the creator can be seen.
        db.Execute("insert into aa_user (cUserId, cUserName, bAdmin) values ('u2', '李四', 1)");
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
    ::testing::Values(
        Refusal{"EmptyWarehouse", "CWhCode", "", "仓库编码不能为空"},
        Refusal{"EmptyInventory", "cInvCode", " ", "存货编码不能为空"},
        Refusal{"UnknownWarehouse", "CWhCode", "99", "仓库编码99不存在"},
        Refusal{"UnknownInventory", "cInvCode", "Z9", "存货编码Z9不存在"},
        Refusal{"UnknownEscapedCode", "cInvCode", "R&amp;D", "存货编码R&D不存在"},
        Refusal{"UnknownPerson", "cWhPersonCode", "P99", "P99不存在"},
        Refusal{"DecimalComma", "itopsum", "1,5", "最高库存必须是数字"},
        Refusal{"FreeTextNumber", "ilowsum", "ten", "最低库存必须是数字"},
        Refusal{"Exponent", "isafenum", "1e3", "安全库存必须是数字"},
        Refusal{"TooManyWholeDigits", "itopsum", "123456789012345", "整数部分最多14位"},
        Refusal{"TooManyDecimals", "iWastage", "0.1234567", "小数部分最多6位"},
        Refusal{"FractionalCycle", "iFrequency", "1.5", "盘点周期必须是整数"},
        Refusal{"CycleTooLong", "iFrequency", "1234567890", "盘点周期超出范围：最多9位整数！"},
        Refusal{"FractionalDay", "iDays", "2.5", "盘点日必须是整数"},
        Refusal{"WeekDayPastSeven", "iDays", "8", "1到7"},
        Refusal{"WeekDayZero", "iDays", "0", "1到7"},
        Refusal{"NoSuchDate", "dLastDate", "2026-02-30", "不是有效的日期"},
        Refusal{"NoSuchMonth", "dLastDate", "2026-13-01", "不是有效的日期"},
        Refusal{"DateAsText", "dLastDate", "yesterday", "不是有效的日期"},
        Refusal{"UnknownUnit", "cFrequency", "年", "天、周或月"},
        Refusal{"UnknownElement", "cColour", "red", "cColour"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST_F(CorrespondenceRecordTest, DayMustFitTheCycleUnit) {
    EXPECT_FALSE(Add(EditorXml("cFrequency", "天")));  // the record still carries iDays 3
    EXPECT_EQ(message, "盘点周期单位不是周或月时，不能设置盘点日！");
    EXPECT_FALSE(Add(EditorXml({{"cFrequency", "月"}, {"iDays", "32"}})));
    EXPECT_EQ(message, "按月盘点时，盘点日必须在1到31之间！");
    EXPECT_EQ(Rows(), 0);
    ASSERT_TRUE(Add(EditorXml({{"cFrequency", "月"}, {"iDays", "31"}}))) << message;
    EXPECT_EQ(Stored("iDays"), Variant(31));
}

TEST_F(CorrespondenceRecordTest, ADayWithoutAUnitIsRefused) {
    EXPECT_FALSE(Add(EditorXml({{"cFrequency", ""}, {"iDays", "3"}})));
    EXPECT_EQ(message, "盘点周期单位不是周或月时，不能设置盘点日！");
    EXPECT_EQ(Rows(), 0);
    ASSERT_TRUE(Add(EditorXml({{"cFrequency", ""}, {"iDays", ""}}))) << message;
    EXPECT_TRUE(Stored("cFrequency").IsNull());
}

TEST_F(CorrespondenceRecordTest, EscapedCharactersAreStoredAsThemselves) {
    db.AddWarehouse("W<1>", "尖括号库");
    db.AddInventory("R&D-01", "研发件");
    ASSERT_TRUE(Add(EditorXml({{"CWhCode", "W&lt;1&gt;"}, {"cInvCode", "R&amp;D-01"}}))) << message;
    EXPECT_EQ(db.Scalar("select cWhCode || '|' || cInvCode from WhInvContrapose"),
              Variant("W<1>|R&D-01"));
}

TEST_F(CorrespondenceRecordTest, AnItemPastItsEndDateIsNotAttached) {
    db.AddInventory("A003", "停用件", {{"dEDate", IsoDay(-1)}});
    EXPECT_FALSE(Add(EditorXml("cInvCode", "A003")));
    EXPECT_EQ(message, "存货A003已过停用日期，不能添加仓库存货对照！");
    EXPECT_EQ(Rows(), 0);
}

TEST_F(CorrespondenceRecordTest, AnEndedItemsRowsStayChangeable) {
    db.AddInventory("A004", "明天停用", {{"dEDate", IsoDay(1)}});
    ASSERT_TRUE(Add(EditorXml("cInvCode", "A004"))) << message;
    db.Execute("update Inventory set dEDate='2000-01-01' where cInvCode='A004'");
    ASSERT_TRUE(Modify(EditorXml({{"cInvCode", "A004"}, {"itopsum", "300"}}))) << message;
    EXPECT_EQ(Stored("iTopSum", "A004"), Variant(300));
}

// The same day rule as the pickers' end-date filter: an item ending on the business date has
// ended there.
TEST_F(CorrespondenceRecordTest, AnItemEndsOnItsEndDate) {
    db.AddInventory("A003", "停用件", {{"dEDate", "2026-03-10"}});
    const auto opened = db.OpenBackend();
    SqlBackend& backend = *opened;
    auto record = TableRecord::Parse(EditorXml("cInvCode", "A003"), "WhInvContrapose", message);
    ASSERT_TRUE(record) << message;
    EXPECT_TRUE(record->Check(backend, true, "2026-03-09", message)) << message;
    EXPECT_FALSE(record->Check(backend, true, "2026-03-10", message));
    EXPECT_EQ(message, "存货A003已过停用日期，不能添加仓库存货对照！");
}

struct EndDateCase {
    const char* name;
    Variant endDate;
    bool attached;
};

void PrintTo(const EndDateCase& endDate, std::ostream* out) {
    *out << endDate.name;
}

class CorrespondenceRecordBusinessDate : public CorrespondenceRecordTest,
                                         public ::testing::WithParamInterface<EndDateCase> {};

// The login's business date decides, not the computer's, and Add agrees with the end-date filter
// the editor's look-up uses (the public service's GetEndDateFilter gives this condition).
TEST_P(CorrespondenceRecordBusinessDate, DecidesWhetherAnItemIsStillInUse) {
    Login::Values login;
    login.curDate = "2026-01-15";
    db.Environment()->session = std::make_shared<Login>(login);
    db.AddInventory("A003", "停用件", {{"dEDate", GetParam().endDate}});
    const std::string filter = InventoryInUseCondition("'2026-01-15'");
    EXPECT_EQ(db.Scalar("select count(*) from Inventory where cInvCode='A003' and " + filter),
              Variant(GetParam().attached ? 1 : 0));
    EXPECT_EQ(Add(EditorXml("cInvCode", "A003")), GetParam().attached) << message;
    EXPECT_EQ(Rows(), GetParam().attached ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    EndDates, CorrespondenceRecordBusinessDate,
    ::testing::Values(EndDateCase{"NeverEnds", Variant(), true},
                      EndDateCase{"EndsAfterTheBusinessDate", Variant("2026-06-01"), true},
                      EndDateCase{"EndsTheDayAfter", Variant("2026-01-16"), true},
                      EndDateCase{"EndsOnTheBusinessDate", Variant("2026-01-15"), false},
                      EndDateCase{"EndedBefore", Variant("2025-12-31"), false}),
    [](const ::testing::TestParamInfo<EndDateCase>& info) { return std::string(info.param.name); });

TEST_F(CorrespondenceRecordTest, CodesAreStoredAsTheirMasterRowsSpellThem) {
    db.AddWarehouse("R&D-01", "研发库");
    db.AddInventory("Ab-7", "样件");
    ASSERT_TRUE(Add(
        EditorXml({{"CWhCode", "r&amp;d-01 "}, {"cInvCode", " aB-7"}, {"cWhPersonCode", "p01"}})))
        << message;
    EXPECT_EQ(db.Scalar("select cWhCode || '|' || cInvCode || '|' || cWhPersonCode from "
                        "WhInvContrapose"),
              Variant("R&D-01|Ab-7|P01"));
    ASSERT_TRUE(Modify(EditorXml({{"CWhCode", "R&amp;D-01"},
                                  {"cInvCode", "AB-7"},
                                  {"cWhPersonCode", "P01 "},
                                  {"itopsum", "7"}})))
        << message;
    EXPECT_EQ(db.Scalar("select cInvCode || '|' || iTopSum from WhInvContrapose"),
              Variant("Ab-7|7"));
}

TEST_F(CorrespondenceRecordTest, TextAfterTheRecordIsRefusedNotIgnored) {
    const std::string record = EditorXml();
    for (const std::string& tail :
         {std::string("junk"), EditorXml("cInvCode", "A002"), std::string("<x/>")}) {
        EXPECT_FALSE(Add(record + tail)) << tail;
        EXPECT_EQ(message, "记录格式有误，无法保存！");
    }
    EXPECT_EQ(Rows(), 0);
    ASSERT_TRUE(Add(record + "\n  ")) << message;
    EXPECT_EQ(Rows(), 1);
}

TEST_F(CorrespondenceRecordTest, AFieldHoldingElementsIsRefusedAtAnyDepth) {
    for (const int depth : {1, 30'000, 1'000'000}) {
        EXPECT_FALSE(Add(EditorXml("itopsum", test::NestedElements(depth, "7")))) << depth;
        EXPECT_EQ(message, "记录的字段iTopSum中含有下级元素，字段中只能是文字，无法保存！");
    }
    EXPECT_EQ(Rows(), 0);
}

TEST_F(CorrespondenceRecordTest, ARefusalQuotesAtMostSixtyCharactersOfAValue) {
    std::string latin(58, 'x');
    EXPECT_FALSE(Add(EditorXml("cInvCode", latin + "yz" + std::string(500, 'q'))));
    EXPECT_EQ(message, "存货编码" + latin + "yz…不存在！");
    std::string wide;
    for (int i = 0; i < 70; ++i) {
        wide += "码";
    }
    EXPECT_FALSE(Add(EditorXml("cInvCode", wide)));
    EXPECT_EQ(message, "存货编码" + wide.substr(0, 60 * std::string("码").size()) + "…不存在！");
    EXPECT_FALSE(Add(EditorXml("cInvCode", latin + "yz")));
    EXPECT_EQ(message, "存货编码" + latin + "yz不存在！");
}

TEST_F(CorrespondenceRecordTest, ARefusalLeavesTheDatabaseFreeForTheNextWrite) {
    EXPECT_FALSE(Add(EditorXml("CWhCode", "99")));
    EXPECT_TRUE(db.Execute("insert into Warehouse (cWhCode, cWhName) values ('02', '原料库')"));
    ASSERT_TRUE(Add(EditorXml("CWhCode", "02"))) << message;
    EXPECT_EQ(Rows(), 1);
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
        "</cWhPersonCode><iFrequency>2</iFrequency><cFrequency>天</cFrequency><cUserId>u2"
        "</cUserId></WhInvContrapose>";
    ASSERT_TRUE(Modify(xml)) << message;
    EXPECT_EQ(Stored("cFrequency"), Variant("天"));
    EXPECT_TRUE(Stored("iDays").IsNull());
}

TEST_F(CorrespondenceRecordTest, ModifyChecksADayAgainstTheStoredUnit) {
    db.AddCorrespondence("01", "A001", {{"cFrequency", "周"}, {"iDays", 3}});
    std::string xml =
        "<WhInvContrapose><CWhCode>01</CWhCode><cInvCode>A001</cInvCode><iDays>9</iDays>"
        "<cUserId>demo</cUserId></WhInvContrapose>";
    EXPECT_FALSE(Modify(xml));
    EXPECT_EQ(message, "按周盘点时，盘点日必须在1到7之间！");
    EXPECT_EQ(Stored("iDays"), Variant(3));
}

TEST_F(CorrespondenceRecordTest, ModifyRefusesEmptyCodesAndLeavesTheRow) {
    db.AddCorrespondence("01", "A001", {{"iTopSum", 100}});
    const std::pair<const char*, const char*> cases[] = {{"CWhCode", "仓库编码不能为空！"},
                                                         {"cInvCode", "存货编码不能为空！"}};
    for (const auto& [element, expected] : cases) {
        EXPECT_FALSE(Modify(EditorXml({{element, " "}, {"itopsum", "300"}}))) << element;
        EXPECT_EQ(message, expected);
    }
    EXPECT_EQ(Rows(), 1);
    EXPECT_EQ(Stored("iTopSum"), Variant(100));
}

TEST_F(CorrespondenceRecordTest, ModifyOfARowAnotherUserDeletedIsRefusedAndAddsNothing) {
    db.AddCorrespondence("01", "A002");
    EXPECT_FALSE(Modify(EditorXml()));
    EXPECT_EQ(message, "仓库存货对照不存在，可能已被他人删除！");
    EXPECT_EQ(Rows(), 1);
    EXPECT_TRUE(Stored("cInvCode").IsNull());
}

// The writer knows no table of its own: a record of another table of the schema is written by
// the same rules, its key and references read from the schema.
TEST_F(CorrespondenceRecordTest, ARecordOfAnotherTableIsWrittenByItsOwnKey) {
    const std::string added =
        "<Warehouse><cWhCode>09 </cWhCode><cWhName>新库</cWhName><cUserId>demo</cUserId>"
        "</Warehouse>";
    ASSERT_TRUE(service->Add(added, "Warehouse", message)) << message;
    ASSERT_TRUE(
        service->Modify("<Warehouse><CWHCODE>09</CWHCODE><cWhAddress>东门</cWhAddress>"
                        "<cUserId>demo</cUserId></Warehouse>",
                        "warehouse", message))
        << message;
    EXPECT_EQ(db.Scalar("select cWhName || '|' || cWhAddress from Warehouse where cWhCode='09'"),
              Variant("新库|东门"));
    EXPECT_FALSE(service->Add(added, "Warehouse", message));
    EXPECT_EQ(message, "记录已经存在！");
    EXPECT_FALSE(
        service->Add("<Warehouse><cWhName>无码</cWhName><cUserId>demo</cUserId>"
                     "</Warehouse>",
                     "Warehouse", message));
    EXPECT_EQ(message, "仓库编码不能为空！");
    EXPECT_FALSE(service->Add(EditorXml(), "NoSuchTable", message));
    EXPECT_EQ(message, "不能保存到表NoSuchTable！");
}

TEST_F(CorrespondenceRecordTest, ColumnsTheWriterOrTheDatabaseFillsAreNotTakenFromTheRecord) {
    for (const char* column : {"cCreatePerson", "cModifyPerson", "dModifyDate", "dNextDate"}) {
        EXPECT_FALSE(Add(EditorXml(column, "x"))) << column;
        EXPECT_EQ(message, std::string("记录中含有无法识别的字段：") + column);
    }
    EXPECT_EQ(Rows(), 0);
}

// Warehouses, items and persons are all controlled; u01 may write warehouse 01, item A001 and
// person P01, and only read warehouse 02 and item A002.
class CorrespondenceRecordRights : public CorrespondenceRecordTest {
protected:
    void SetUp() override {
        CorrespondenceRecordTest::SetUp();
        db.AddWarehouse("02", "原料库");
        db.AddPerson("P02", "王五");
        ASSERT_TRUE(db.Execute("update aa_rowauth_object set bControlled=1"));
        ASSERT_TRUE(db.Execute("insert into aa_user (cUserId, cUserName) values ('u01', 'x')"));
        ASSERT_TRUE(
            db.Execute("insert into aa_rowauth values ('u01','Warehouse','01','W'), "
                       "('u01','Inventory','A001','W'), ('u01','Person','P01','W'), "
                       "('u01','Warehouse','02','R'), ('u01','Inventory','A002','R')"));
    }

    static std::string AsU01(Changes changes) {
        changes["cUserId"] = "u01";
        return EditorXml(changes);
    }
};

TEST_F(CorrespondenceRecordRights, AddOfWritableCodesIsStored) {
    ASSERT_TRUE(Add(AsU01({{"cWhPersonCode", "P01"}}))) << message;
    EXPECT_EQ(Stored("cCreatePerson"), Variant("u01"));
}

TEST_F(CorrespondenceRecordRights, AddOfACodeTheUserMayNotWriteStoresNothing) {
    const std::pair<Changes, const char*> cases[] = {
        {{{"CWhCode", "02"}}, "没有仓库的写权限：02"},
        {{{"cInvCode", "A002"}}, "没有存货的写权限：A002"},
        {{{"cWhPersonCode", "P02"}}, "没有人员的写权限：P02"},
    };
    for (const auto& [changes, expected] : cases) {
        EXPECT_FALSE(Add(AsU01(changes))) << expected;
        EXPECT_EQ(message, expected);
    }
    EXPECT_EQ(Rows(), 0);
}

TEST_F(CorrespondenceRecordRights, AUserTheAccountDoesNotKnowStoresNothing) {
    EXPECT_FALSE(Add(EditorXml("cUserId", "ghost")));
    EXPECT_EQ(message, "操作员ghost不存在，没有写权限！");
    EXPECT_FALSE(Add(EditorXml("cUserId", "")));
    EXPECT_EQ(message, "操作员不存在，没有写权限！");
    std::string noUser =
        "<WhInvContrapose><CWhCode>01</CWhCode><cInvCode>A001</cInvCode>"
        "</WhInvContrapose>";
    EXPECT_FALSE(Add(noUser));
    EXPECT_EQ(Rows(), 0);
}

// A row that names no business object is one of the account's own settings.
TEST_F(CorrespondenceRecordRights, OnlyAnAdministratorWritesARowThatNamesNoBusinessObject) {
    EXPECT_FALSE(
        service->Add("<Warehouse><cWhCode>09</cWhCode><cWhName>新库</cWhName>"
                     "<cUserId>u01</cUserId></Warehouse>",
                     "Warehouse", message));
    EXPECT_EQ(message, "只有管理员可以修改Warehouse！");
    EXPECT_EQ(db.Scalar("select count(*) from Warehouse where cWhCode='09'"), Variant(0));
}

TEST_F(CorrespondenceRecordRights, ModifyOfARowTheUserMayNotWriteLeavesIt) {
    db.AddCorrespondence("02", "A001", {{"iTopSum", 100}});
    db.AddCorrespondence("01", "A001", {{"iTopSum", 100}, {"cWhPersonCode", "P01"}});
    EXPECT_FALSE(Modify(AsU01({{"CWhCode", "02"}, {"itopsum", "300"}})));
    EXPECT_EQ(message, "没有仓库的写权限：02");
    EXPECT_FALSE(Modify(AsU01({{"cWhPersonCode", "P02"}, {"itopsum", "300"}})));
    EXPECT_EQ(message, "没有人员的写权限：P02");
    EXPECT_EQ(db.Scalar("select group_concat(iTopSum || cWhCode || ifnull(cWhPersonCode, '-')) "
                        "from (select * from WhInvContrapose order by cWhCode) as t"),
              Variant("10001P01,10002-"));
}

}  // namespace
}  // namespace zel
