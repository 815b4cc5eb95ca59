#include "import/import_apply.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/correspondence_fields.h"
#include "core/login_context.h"
#include "history/change_restore.h"
#include "history/restore_plan.h"
#include "host/host_services.h"
#include "host/login/login.h"
#include "host/objects/object_registry.h"
#include "support/test_database.h"

namespace korvel {
namespace {

ImportRowOutcome Row(std::size_t sourceRow, const char* warehouse, const char* item,
                     ImportVerdict verdict, std::vector<ImportFieldValue> fields) {
    return {.sourceRow = sourceRow,
            .warehouseCode = warehouse,
            .inventoryCode = item,
            .verdict = verdict,
            .fields = std::move(fields),
            .reason = {},
            .cells = {}};
}

ImportFieldValue TopSum(const char* before, const char* after) {
    return {&Field("iTopSum"), before, after};
}

// The import of a spreadsheet into the correspondence table of a real account, as the preview
// hands its rows over.
class ImportApplyTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.AddWarehouse("01");
        db.AddWarehouse("02");
        for (const char* item : {"A001", "A002", "A003", "O'Neil"}) {
            db.AddInventory(item);
        }
        db.AddPerson("P1");
        db.AddCorrespondence("01", "A001", {{"iTopSum", 1.5}, {"iSafeNum", 3}});
        db.AddCorrespondence("01", "A002", {{"iTopSum", 2}});
        zel::Login::Values values;
        values.userId = "demo";
        values.curDate = "2026-01-15";
        values.ysDBName = zel::test::TestDatabase::kAccount;
        db.Environment()->session = std::make_shared<zel::Login>(values);
        zel::RegisterHostServices(registry, db.Environment());
        login.login = std::make_shared<zel::Login>(values);
        login.sCurDate = values.curDate;
        login.pub = zel::CreateObjectAs<zel::IPub>(registry, "ZelPub.IPub");
        login.db = db.OpenService();
        ASSERT_TRUE(login.pub && login.db);
        for (std::string* condition : {&login.sAuthInv, &login.sAuthInvW, &login.sAuthWh,
                                       &login.sAuthWhW, &login.sAuthPerson, &login.sAuthPersonW}) {
            *condition = "(1=1)";
        }
        before = Table();
        beforeWhole = RestorableFieldsOfEveryRow();
        lastEntry =
            std::stoll(db.Scalar("select coalesce(max(iChange), 0) from whinv_change").ToString());
    }

    // "warehouse/item:topsum/safe/person" of every row, in key order.
    std::string Table() {
        std::string text;
        const auto rows = login.db->OpenX(
            "select cWhCode, cInvCode, cast(iTopSum as varchar), cast(iSafeNum as varchar), "
            "cWhPersonCode from WhInvContrapose order by cWhCode, cInvCode");
        for (; rows && !rows->Eof(); rows->MoveNext()) {
            text += rows->Fields(0)->ToString() + "/" + rows->Fields(1)->ToString() + ":" +
                    rows->Fields(2)->ToString() + "/" + rows->Fields(3)->ToString() + "/" +
                    rows->Fields(4)->ToString() + " ";
        }
        return text;
    }

    // Every field a restore puts back, of every row, in key order.
    std::string RestorableFieldsOfEveryRow() {
        std::string columns;
        for (const CorrespondenceField* field : RestorableFields()) {
            columns += (columns.empty() ? "" : ", ") + std::string("cast(") +
                       std::string(field->column) + " as varchar)";
        }
        std::string text;
        const auto rows = login.db->OpenX("select " + columns +
                                          " from WhInvContrapose order by cWhCode, cInvCode");
        for (; rows && !rows->Eof(); rows->MoveNext()) {
            for (int i = 0; i < rows->FieldCount(); ++i) {
                text += rows->Fields(i)->ToString() + "|";
            }
            text += "\n";
        }
        return text;
    }

    std::vector<long long> NewEntries() {
        std::vector<long long> entries;
        const auto rows = login.db->OpenX("select iChange from whinv_change where iChange > " +
                                          std::to_string(lastEntry) + " order by iChange");
        for (; rows && !rows->Eof(); rows->MoveNext()) {
            entries.push_back(std::stoll(rows->Fields(0)->ToString()));
        }
        return entries;
    }

    // One new row, one changed, and the verdicts that write nothing.
    static std::vector<ImportRowOutcome> Plain() {
        return {Row(2, "01", "A001", ImportVerdict::kChanged, {TopSum("1.5", "1.234567")}),
                Row(3, "02", "O'Neil", ImportVerdict::kNew,
                    {TopSum("", "7"), {&Field("cWhPersonCode"), "", "P1"}}),
                Row(4, "01", "A002", ImportVerdict::kUnchanged, {}),
                Row(5, "01", "A003", ImportVerdict::kRefused, {TopSum("", "9")})};
    }

    zel::test::TestDatabase db;
    zel::ObjectRegistry registry;
    LoginContext login;
    std::string before;
    std::string beforeWhole;
    long long lastEntry = 0;
};

TEST_F(ImportApplyTest, WritesNewAndChangedRowsOnlyAsOneUndoableStep) {
    for (const ImportApplyMode mode :
         {ImportApplyMode::kAllOrNothing, ImportApplyMode::kValidRowsOnly}) {
        const auto result = ApplyImport(login, Plain(), mode);
        ASSERT_EQ(result.end, ImportApplyEnd::kApplied) << result.error;
        EXPECT_EQ(result.added, 1u);
        EXPECT_EQ(result.changed, 1u);
        EXPECT_TRUE(result.refused.empty());
        EXPECT_EQ(Table(), "01/A001:1.234567/3/ 01/A002:2// 02/O'Neil:7//P1 ");

        // One entry of its own kind, which the history's undo takes back whole: every field of
        // every row is as it was.
        EXPECT_EQ(result.historyEntries, NewEntries());
        ASSERT_EQ(result.historyEntries.size(), 1u);
        EXPECT_EQ(db.Scalar("select cKind from whinv_change where iChange = " +
                            std::to_string(result.historyEntries.front()))
                      .ToString(),
                  "import");
        const RestorePlan plan = PlanRestore(login, RestoreScope::OfEntries(result.historyEntries));
        ASSERT_TRUE(plan.read) << plan.error;
        EXPECT_TRUE(plan.decision.changedSince.empty());
        const RestoreOutcome undone = WriteRestore(login, plan);
        ASSERT_TRUE(undone.done) << undone.error;
        EXPECT_EQ(RestorableFieldsOfEveryRow(), beforeWhole);
        lastEntry = std::stoll(db.Scalar("select max(iChange) from whinv_change").ToString());
    }
}

struct RefusalCase {
    const char* name;
    // What another user does between the preview and the apply.
    const char* meanwhile;
    ImportRowOutcome row;
};

void PrintTo(const RefusalCase& c, std::ostream* out) {
    *out << c.name;
}

class ImportApplyRefusalTest : public ImportApplyTest,
                               public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ImportApplyRefusalTest, AllOrNothingWritesNoneAndValidRowsOnlySkipsTheRow) {
    const RefusalCase& c = GetParam();
    if (*c.meanwhile != '\0') {
        ASSERT_TRUE(db.Execute(c.meanwhile));
        before = Table();
        lastEntry = std::stoll(db.Scalar("select max(iChange) from whinv_change").ToString());
    }
    std::vector<ImportRowOutcome> rows = Plain();
    rows.push_back(c.row);

    const auto all = ApplyImport(login, rows, ImportApplyMode::kAllOrNothing);
    EXPECT_EQ(all.end, ImportApplyEnd::kFailed);
    ASSERT_EQ(all.refused.size(), 1u);
    EXPECT_EQ(all.refused[0].sourceRow, 9u);
    EXPECT_NE(all.error.find("9"), std::string::npos) << all.error;
    EXPECT_NE(all.error.find(all.refused[0].reason), std::string::npos) << all.error;
    EXPECT_EQ(Table(), before);
    EXPECT_TRUE(NewEntries().empty());

    const auto valid = ApplyImport(login, rows, ImportApplyMode::kValidRowsOnly);
    ASSERT_EQ(valid.end, ImportApplyEnd::kApplied) << valid.error;
    EXPECT_EQ(valid.added + valid.changed, 2u);
    ASSERT_EQ(valid.refused.size(), 1u);
    EXPECT_EQ(valid.refused[0].sourceRow, 9u);
    EXPECT_FALSE(valid.refused[0].reason.empty());
    EXPECT_NE(Table().find("01/A001:1.234567/3/"), std::string::npos) << Table();
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, ImportApplyRefusalTest,
    ::testing::Values(
        RefusalCase{"ChangedSinceThePreview",
                    "update WhInvContrapose set iTopSum=5 where "
                    "cInvCode='A002'",
                    Row(9, "01", "A002", ImportVerdict::kChanged, {TopSum("2", "8")})},
        RefusalCase{"DeletedSinceThePreview", "delete from WhInvContrapose where cInvCode='A002'",
                    Row(9, "01", "A002", ImportVerdict::kChanged, {TopSum("2", "8")})},
        RefusalCase{"AddedSinceThePreview",
                    "insert into WhInvContrapose (cWhCode, cInvCode) values ('02', 'A003')",
                    Row(9, "02", "A003", ImportVerdict::kNew, {TopSum("", "8")})},
        RefusalCase{"RefusedByTheSchema", "",
                    Row(9, "02", "A002", ImportVerdict::kNew, {{&Field("cFrequency"), "", "X"}})},
        RefusalCase{"UnknownItem", "", Row(9, "02", "NOSUCH", ImportVerdict::kNew, {})},
        RefusalCase{"NotANumber", "",
                    Row(9, "02", "A002", ImportVerdict::kNew, {TopSum("", "1O")})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImportApplyTest, WritesOnlyRowsTheLoginMayWrite) {
    login.sAuthWhW = "(Warehouse.CWhCode in ('01'))";
    auto rows = Plain();
    const auto all = ApplyImport(login, rows, ImportApplyMode::kAllOrNothing);
    EXPECT_EQ(all.end, ImportApplyEnd::kFailed);
    EXPECT_EQ(Table(), before);
    const auto valid = ApplyImport(login, rows, ImportApplyMode::kValidRowsOnly);
    ASSERT_EQ(valid.end, ImportApplyEnd::kApplied) << valid.error;
    EXPECT_EQ(valid.changed, 1u);
    EXPECT_EQ(valid.added, 0u);
    ASSERT_EQ(valid.refused.size(), 1u);
    EXPECT_EQ(valid.refused[0].inventoryCode, "O'Neil");
}

TEST_F(ImportApplyTest, ReportsProgressByChunkAndACancelWritesNothing) {
    db.AddThousandCorrespondences("02");
    before = Table();
    std::vector<ImportRowOutcome> rows;
    for (int i = 1; i <= 1000; ++i) {
        char item[8];
        std::snprintf(item, sizeof item, "B%04d", i);
        rows.push_back(Row(static_cast<std::size_t>(i) + 1, "02", item, ImportVerdict::kChanged,
                           {{&Field("iSafeNum"), "", "4"}}));
    }
    std::vector<std::size_t> progress;
    int asked = 0;
    const auto cancelled =
        ApplyImport(login, rows, ImportApplyMode::kValidRowsOnly,
                    {.progress = [&](std::size_t done, std::size_t) { progress.push_back(done); },
                     .cancelRequested = [&] { return ++asked == 2; }});
    EXPECT_EQ(cancelled.end, ImportApplyEnd::kCancelled);
    EXPECT_EQ(cancelled.changed, 0u);
    EXPECT_EQ(Table(), before);
    EXPECT_EQ(progress, std::vector<std::size_t>({500}));

    progress.clear();
    const auto applied =
        ApplyImport(login, rows, ImportApplyMode::kAllOrNothing,
                    {.progress = [&](std::size_t done, std::size_t) { progress.push_back(done); },
                     .cancelRequested = {}});
    ASSERT_EQ(applied.end, ImportApplyEnd::kApplied) << applied.error;
    EXPECT_EQ(applied.changed, 1000u);
    EXPECT_EQ(progress, std::vector<std::size_t>({500, 1000}));
}

}  // namespace
}  // namespace korvel
