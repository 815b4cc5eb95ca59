#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <set>
#include <string>

#include "core/correspondence_fields.h"
#include "host/database/sql_backend.h"
#include "support/test_database.h"

namespace korvel {
namespace {

using Names = std::set<std::string>;

std::string Lower(std::string_view name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// Columns the database service fills on every save, beside the fields a user edits.
const Names kServiceColumns = {"ccreateperson", "cmodifyperson", "dmodifydate"};

// The columns of a correspondence row that the field table says a save writes, and the
// service's own.
Names SavedColumns() {
    Names names = kServiceColumns;
    for (const CorrespondenceField& field : kCorrespondenceFields) {
        if (field.recordXml.order != kNoPosition) {
            names.insert(Lower(field.column));
        }
    }
    return names;
}

// Every history trigger records every column of the correspondence row, each of which the
// field table knows: a column added to the table and the field table but not to the triggers
// would go unrecorded.
class ChangeHistoryFieldsTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.AddWarehouse("01", "成品库");
        db.AddWarehouse("02", "原料库");
        db.AddInventory("A001", "螺钉");
        db.AddInventory("A002", "螺母");
        db.AddPerson("P01");
        db.AddPerson("P02");
        reader = db.OpenBackend();
    }

    Names Column(const std::string& sql) const {
        Names names;
        auto statement = reader->Prepare(sql);
        EXPECT_TRUE(statement) << reader->LastError();
        while (statement && statement->Step() == zel::StepResult::Row) {
            names.insert(Lower(statement->ColumnText(0)));
        }
        return names;
    }

    // The columns a writer sets: a generated column is derived from them and not recorded.
    Names TableColumns() const {
        return Column(db.OnServer() ? "select column_name from information_schema.columns "
                                      "where table_name = 'whinvcontrapose' "
                                      "and is_generated = 'NEVER'"
                                    : "select name from pragma_table_info('WhInvContrapose')");
    }

    // The fields of the entries the statement wrote.
    Names RecordedBy(const std::string& sql) {
        const auto before = db.Scalar("select coalesce(max(iChange), 0) from whinv_change");
        EXPECT_TRUE(db.Execute(sql)) << sql;
        return Column("select cField from whinv_change_value where iChange > " + before.ToString());
    }

    zel::test::TestDatabase db;
    std::unique_ptr<zel::SqlBackend> reader;
};

TEST_F(ChangeHistoryFieldsTest, EachKindOfChangeRecordsEveryColumnOfTheRow) {
    ASSERT_EQ(TableColumns(), SavedColumns());
    // Every column holds a value, and the change gives each another.
    const struct {
        const char* kind;
        const char* sql;
    } writes[] = {
        {"add",
         "insert into WhInvContrapose (cWhCode, cInvCode, iTopSum, iLowSum, iSafeNum, iWastage, "
         "iFrequency, cFrequency, iDays, dLastDate, cWhPersonCode, cCreatePerson, cModifyPerson, "
         "dModifyDate) values ('01', 'A001', 100, 10, 20, 0.5, 1, '周', 3, '2026-01-05', 'P01', "
         "'demo', 'demo', '2026-01-05 10:00:00')"},
        {"change",
         "update WhInvContrapose set cWhCode = '02', cInvCode = 'A002', iTopSum = 200, "
         "iLowSum = 11, iSafeNum = 21, iWastage = 0.25, iFrequency = 2, cFrequency = '月', "
         "iDays = 28, dLastDate = '2026-02-05', cWhPersonCode = 'P02', cCreatePerson = 'wang', "
         "cModifyPerson = 'wang', dModifyDate = '2026-02-05 10:00:00'"},
        {"delete", "delete from WhInvContrapose"},
    };
    for (const auto& write : writes) {
        EXPECT_EQ(RecordedBy(write.sql), SavedColumns()) << write.kind;
    }
}

}  // namespace
}  // namespace korvel
