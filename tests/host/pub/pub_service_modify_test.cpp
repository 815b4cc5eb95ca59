#include <gtest/gtest.h>

#include <QTableView>

#include "host/login/login.h"
#include "host/objects/object_registry.h"
#include "host/objects/resource_texts.h"
#include "host/pub/failure_report.h"
#include "host/pub/modify_report_dialog.h"
#include "host/pub/pub_service.h"
#include "interfaces/refer_client.h"
#include "support/date_cases.h"
#include "support/test_database.h"

namespace zel {
namespace {

std::string Text(const std::string& key, const std::vector<std::string>& values = {}) {
    return ResourceTexts::Instance().Format(key, values);
}

// Opens the item query on the test account as the host's picker would, and "chooses" the row
// whose first column is the code it was told to choose.
class ScriptedPicker final : public IReferClient {
public:
    ScriptedPicker(std::shared_ptr<IClsCommon> db, std::string choice)
        : db_(std::move(db)), choice_(std::move(choice)) {}

    bool StrRefInit(const std::shared_ptr<ILogin>& login, bool multiSelect,
                    const std::string& classQuery, const std::string& itemQuery, const std::string&,
                    const std::string& referenceType) override {
        loginSeen = login.get();
        multiSelectSeen = multiSelect;
        classQuerySeen = classQuery;
        itemQuerySeen = itemQuery;
        typeSeen = referenceType;
        items_ = db_->OpenX(itemQuery);
        return items_ != nullptr && (classQuery.empty() || db_->OpenX(classQuery) != nullptr);
    }
    void Show() override { ++shown; }
    std::shared_ptr<IRecordset> recmx() override {
        std::vector<HeldRowsRecordset::Column> columns;
        for (int i = 0; i < items_->FieldCount(); ++i) {
            columns.push_back({items_->FieldName(i), 0, "", ""});
        }
        for (items_->MoveFirst(); !items_->Eof(); items_->MoveNext()) {
            if (items_->Fields(0)->ToString() == choice_) {
                auto chosen = std::make_shared<HeldRowsRecordset>(std::move(columns));
                std::vector<Variant> values;
                for (int i = 0; i < items_->FieldCount(); ++i) {
                    values.push_back(*items_->Fields(i));
                }
                chosen->Append(values);
                return chosen;
            }
        }
        return nullptr;
    }

    const ILogin* loginSeen = nullptr;
    bool multiSelectSeen = true;
    std::string classQuerySeen;
    std::string itemQuerySeen;
    std::string typeSeen;
    int shown = 0;

private:
    std::shared_ptr<IClsCommon> db_;
    std::string choice_;
    std::shared_ptr<IRecordset> items_;
};

class PubModifyTest : public ::testing::Test {
protected:
    PubModifyTest() {
        database.AddWarehouse("01", "成品库");
        database.AddWarehouse("02", "原料库");
        database.AddWarehouse("O'K", "引号库");
        database.AddInventory("A001", "螺钉");
        database.AddInventory("A002", "螺母");
        database.AddPerson("P01", "张三");
        db = database.OpenService();
    }

    test::ScriptedDialogs& Dialogs() { return database.Dialogs(); }

    std::string InventoryAuth(const std::string& code) {
        return "(Inventory.iId in (" +
               database.Scalar("select iId from Inventory where cInvCode='" + code + "'")
                   .ToString() +
               "))";
    }

    std::shared_ptr<ScriptedPicker> UsePicker(const std::string& choice) {
        auto picker = std::make_shared<ScriptedPicker>(db, choice);
        registry.Register("YsReferC.YsReferClient", [picker](IObjectFactory&) { return picker; });
        return picker;
    }

    test::TestDatabase database;
    std::shared_ptr<IClsCommon> db;
    ObjectRegistry registry;
    PubService pub{database.Environment(), registry};
    Login login{Login::Values{"u01", "2024-03-01", test::TestDatabase::kAccount, "001", ""}};
    QWidget window;
};

struct ExistsCase {
    const char* name;
    const char* kind;
    const char* value;
    bool emptyRefused;
    const char* authCondition;
    bool exists;
    const char* messageKey;  // "" for no message
};

class PubIFExistsTest : public PubModifyTest, public ::testing::WithParamInterface<ExistsCase> {};

TEST_P(PubIFExistsTest, AnswersAndTellsWhy) {
    const ExistsCase& c = GetParam();
    EXPECT_EQ(pub.IFExists(*db, c.kind, "仓库编码", c.value, c.emptyRefused, "", c.authCondition),
              c.exists);
    if (std::string(c.messageKey).empty()) {
        EXPECT_TRUE(Dialogs().Messages().empty());
        return;
    }
    ASSERT_EQ(Dialogs().Messages().size(), 1U);
    EXPECT_EQ(Dialogs().Messages()[0].text, Text(c.messageKey, {"仓库编码", c.value}));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, PubIFExistsTest,
    ::testing::Values(ExistsCase{"Found", "warehouse", "01", true, "(1=1)", true, ""},
                      ExistsCase{"KindInAnyCase", "WAREHOUSE", "02", true, "(1=1)", true, ""},
                      ExistsCase{"CaseOfTheCodeAsTheDatabaseCompares", "Inventory", "a001", true,
                                 "(1=1)", true, ""},
                      ExistsCase{"NoConditionAllowsAll", "person", "P01", false, "", true, ""},
                      ExistsCase{"NotFound", "warehouse", "09", true, "(1=1)", false,
                                 "Zel.HOST.MODIFY.code_not_found"},
                      ExistsCase{"NotAllowed", "warehouse", "02", true,
                                 "(Warehouse.cWhCode in ('01'))", false,
                                 "Zel.HOST.MODIFY.code_not_found"},
                      ExistsCase{"OrInTheConditionDoesNotWiden", "warehouse", "09", true,
                                 "Warehouse.cWhCode='01' or 1=1", false,
                                 "Zel.HOST.MODIFY.code_not_found"},
                      ExistsCase{"Apostrophe", "warehouse", "O'K", true, "(1=1)", true, ""},
                      ExistsCase{"ApostropheCannotEscape", "warehouse", "x' or '1'='1", true,
                                 "(1=1)", false, "Zel.HOST.MODIFY.code_not_found"},
                      ExistsCase{"EmptyRefused", "warehouse", "", true, "(1=1)", false,
                                 "Zel.HOST.MODIFY.empty_code"},
                      ExistsCase{"BlankRefused", "inventory", "  ", true, "(1=1)", false,
                                 "Zel.HOST.MODIFY.empty_code"},
                      ExistsCase{"EmptyClears", "Person", "", false, "(1=2)", true, ""},
                      ExistsCase{"UnknownKind", "Department", "01", true, "(1=1)", false,
                                 "Zel.HOST.MODIFY.code_unchecked"},
                      ExistsCase{"BrokenCondition", "warehouse", "01", true, "(no_such_column=1)",
                                 false, "Zel.HOST.MODIFY.code_unchecked"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PubModifyTest, InventoryIsAllowedByItsId) {
    EXPECT_TRUE(
        pub.IFExists(*db, "inventory", "存货编码", "A001", true, "", InventoryAuth("A001")));
    EXPECT_FALSE(
        pub.IFExists(*db, "inventory", "存货编码", "A002", true, "", InventoryAuth("A001")));
}

// The host's date check takes what every other reader of dates takes.
TEST_F(PubModifyTest, DatesAreThoseTheDateRuleReads) {
    for (const test::DateCase& c : test::kDateCases) {
        const bool valid = c.stored != nullptr;
        Dialogs().Clear();
        EXPECT_EQ(pub.CheckDateStyle(c.text, "上次盘点日期"), valid) << c.text;
        ASSERT_EQ(Dialogs().Messages().size(), valid ? 0U : 1U) << c.text;
        if (!valid) {
            EXPECT_EQ(Dialogs().Messages()[0].text,
                      Text("Zel.HOST.MODIFY.bad_date", {"上次盘点日期", c.text}));
        }
    }
}

TEST_F(PubModifyTest, TheReportCollectsRowsUnderItsCaptions) {
    std::shared_ptr<IRecordset> report;
    pub.ModifyInitMsg(report, "cWhCode,cInvCode,cErrMsg", "仓库编码,存货编码,修改失败原因");
    ASSERT_NE(report, nullptr);
    pub.ModifyAddMsg(report, {"01", "A001", "已存在"});
    pub.ModifyAddMsg(report, {"02", "A002", "已存在"});
    EXPECT_EQ(report->RecordCount(), 2);
    report->MoveFirst();
    EXPECT_EQ(report->Fields("cinvcode")->ToString(), "A001");
    report->MoveNext();
    EXPECT_EQ(report->Fields("cErrMsg")->ToString(), "已存在");
    const auto& table = dynamic_cast<const HeldRowsRecordset&>(*report);
    EXPECT_EQ(table.Captions(), (std::vector<std::string>{"仓库编码", "存货编码", "修改失败原因"}));
}

TEST_F(PubModifyTest, RowsForAReportNotMadeHereAreDropped) {
    std::shared_ptr<IRecordset> none;
    pub.ModifyAddMsg(none, {"01", "A001", "x"});
    EXPECT_EQ(none, nullptr);
    std::shared_ptr<IRecordset> foreign = db->OpenX("select cWhCode from Warehouse");
    const long before = foreign->RecordCount();
    pub.ModifyAddMsg(foreign, {"09"});
    EXPECT_EQ(foreign->RecordCount(), before);
}

TEST_F(PubModifyTest, TheReportIsShownModallyOverTheWindow) {
    std::shared_ptr<IRecordset> report;
    pub.ModifyInitMsg(report, "cWhCode,cInvCode,cErrMsg", "仓库编码,存货编码,修改失败原因");
    pub.ModifyAddMsg(report, {"01", "A001", "已存在"});
    QString title;
    int rows = 0;
    QWidget* parent = nullptr;
    Dialogs().QueueModal([&](QDialog& shown) {
        auto& dialog = dynamic_cast<ModifyReportDialog&>(shown);
        title = dialog.windowTitle();
        rows = dialog.Table().model()->rowCount();
        parent = dialog.parentWidget();
        return static_cast<int>(QDialog::Accepted);
    });
    pub.ModifyShowMsg(window, login, *db, report);
    EXPECT_EQ(Dialogs().ModalCount(), 1);
    EXPECT_EQ(title.toStdString(), Text("Zel.HOST.MODIFY.report_title"));
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(parent, &window);
}

TEST_F(PubModifyTest, AnEmptyOrMissingReportShowsNothing) {
    std::shared_ptr<IRecordset> report;
    pub.ModifyShowMsg(window, login, *db, report);
    pub.ModifyInitMsg(report, "cWhCode,cInvCode,cErrMsg", "a,b,c");
    pub.ModifyShowMsg(window, login, *db, report);
    std::shared_ptr<IRecordset> foreign = db->OpenX("select cWhCode from Warehouse");
    pub.ModifyShowMsg(window, login, *db, foreign);
    EXPECT_EQ(Dialogs().ModalCount(), 0);
}

struct PickCase {
    const char* kind;
    const char* authCondition;
    const char* choice;
    const char* code;
    const char* name;
    const char* query;
    bool classes;
};

TEST_F(PubModifyTest, ThePickerOffersTheAllowedObjectsOfTheKind) {
    const std::vector<PickCase> cases = {
        {"warehouse", "(Warehouse.cWhCode in ('01','02'))", "02", "02", "原料库",
         "select cWhCode,cWhName,cWhAddress,cWhPerson from Warehouse where 1=1 and "
         "((Warehouse.cWhCode in ('01','02'))) order by cWhCode",
         false},
        {"Inventory", "(1=1)", "A002", "A002", "螺母",
         "select cInvCode,cInvName,cInvStd,cInvCCode from Inventory where 1=1 and ((1=1)) "
         "order by cInvCode",
         true},
        {"PERSON", "", "P01", "P01", "张三",
         "select cPersonCode,cPersonName,cDepCode from Person where 1=1 order by cPersonCode",
         false},
    };
    for (const PickCase& c : cases) {
        const auto picker = UsePicker(c.choice);
        bool ok = false;
        std::string code;
        std::string name;
        std::shared_ptr<IRecordset> row;
        pub.showRef(window, c.kind, login, ok, c.authCondition, code, name, row);
        EXPECT_TRUE(ok) << c.kind;
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(name, c.name);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->Fields(0)->ToString(), c.code);
        EXPECT_EQ(picker->itemQuerySeen, c.query);
        EXPECT_EQ(picker->classQuerySeen.empty(), !c.classes);
        EXPECT_EQ(picker->typeSeen, c.kind);
        EXPECT_EQ(picker->loginSeen, &login);
        EXPECT_FALSE(picker->multiSelectSeen);
        EXPECT_EQ(picker->shown, 1);
    }
}

TEST_F(PubModifyTest, NothingChosenLeavesEverythingAsItWas) {
    const auto expectUnchanged = [this](const std::string& kind, const std::string& condition) {
        bool ok = true;
        std::string code = "old";
        std::string name = "旧";
        std::shared_ptr<IRecordset> row;
        pub.showRef(window, kind, login, ok, condition, code, name, row);
        EXPECT_FALSE(ok) << kind << condition;
        EXPECT_EQ(code, "old");
        EXPECT_EQ(name, "旧");
        EXPECT_EQ(row, nullptr);
    };
    expectUnchanged("warehouse", "(1=1)");  // no picker registered
    const auto picker = UsePicker("nothing");
    expectUnchanged("warehouse", "(1=1)");  // shown, nothing chosen
    EXPECT_EQ(picker->shown, 1);
    expectUnchanged("warehouse", "(no_such_column=1)");  // the picker cannot open its query
    expectUnchanged("Department", "(1=1)");
    EXPECT_EQ(picker->shown, 1);
    EXPECT_TRUE(Dialogs().Messages().empty());
}

TEST_F(PubModifyTest, EveryTextHasItsValues) {
    const std::vector<std::pair<std::string, int>> keys = {
        {"Zel.HOST.MODIFY.empty_code", 1},     {"Zel.HOST.MODIFY.code_not_found", 2},
        {"Zel.HOST.MODIFY.code_unchecked", 2}, {"Zel.HOST.MODIFY.bad_date", 2},
        {"Zel.HOST.MODIFY.report_title", 0},   {"Zel.HOST.MODIFY.copy", 0},
        {"Zel.HOST.MODIFY.export", 0},         {"Zel.HOST.MODIFY.close", 0},
    };
    for (const auto& [key, values] : keys) {
        ASSERT_TRUE(ResourceTexts::Instance().Contains(key)) << key;
        const std::string text = ResourceTexts::Instance().Text(key);
        for (int i = 1; i <= 3; ++i) {
            EXPECT_EQ(text.find("%" + std::to_string(i)) != std::string::npos, i <= values) << key;
        }
    }
}

}  // namespace
}  // namespace zel
