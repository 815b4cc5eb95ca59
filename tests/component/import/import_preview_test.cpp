#include "import/import_preview.h"

#include <gtest/gtest.h>

#include <map>

#include "component/import/import_test_base.h"
#include "component/support/stock_limit_cases.h"
#include "host/controls/export/table_export.h"
#include "host/controls/print/print_data.h"
#include "mainwindow/print_all.h"

namespace korvel::test {
namespace {

// The preview's rows as "row verdict reason" lines, easy to compare as a whole.
std::vector<std::string> Lines(const ImportPreviewResult& result) {
    static const std::map<ImportVerdict, std::string> kNames = {
        {ImportVerdict::kNew, "new"},
        {ImportVerdict::kChanged, "changed"},
        {ImportVerdict::kUnchanged, "unchanged"},
        {ImportVerdict::kRefused, "refused"}};
    std::vector<std::string> lines;
    for (const ImportRowOutcome& row : result.rows) {
        std::string line = std::to_string(row.sourceRow) + " " + kNames.at(row.verdict);
        if (!row.reason.empty()) {
            line += " " + row.reason;
        }
        lines.push_back(line);
    }
    return lines;
}

// The fields of an outcome as "column before→after".
std::vector<std::string> Changes(const ImportRowOutcome& row) {
    std::vector<std::string> changes;
    for (const ImportFieldValue& value : row.fields) {
        changes.push_back(std::string(value.field->column) + " " + value.before + "→" +
                          value.after);
    }
    return changes;
}

class ImportPreviewTest : public ImportTestBase {
protected:
    void SetUp() override {
        ImportTestBase::SetUp();
        Bind();
    }
    std::string Refused(const std::string& key, const std::vector<std::string>& values = {}) {
        return "refused " + Text("Zel.AA.WHINVCONTRAPOSE.IMPORT." + key, values);
    }
};

TEST_F(ImportPreviewTest, EveryRefusedRowNamesItsReason) {
    database.AddCorrespondence("02", "A005", {{"iTopSum", 50}, {"iSafeNum", 40}});
    const auto result = PreviewLines({
        "cWhCode,cInvCode,iTopSum,iLowSum,iWastage,iFrequency,cFrequency,iDays,dLastDate,"
        "cWhPersonCode",
        "09,A001",
        "01,ZZZ",
        "01,OLD1",
        "01,A001,abc",
        "01,A002,,,,1.5",
        "01,A003,,,,,年",
        "01,A004,,,,,,,2024-02-30",
        "01,A005,,,,,,,,P9",
        "02,A001,10,20",
        "02,A002,,,150",
        "02,A003,,,,,天,3",
        "02,A004,,,,,周,8",
        "02,A005,50,45",
        "02,A006,,,,,月,0",
        ",A006",
        "01,",
        "01,a001,5",
        "01,A008,5",
    });
    ASSERT_EQ(result.status, ImportPreviewResult::Status::kDone) << result.message;
    EXPECT_EQ(Lines(result), (std::vector<std::string>{
                                 "2 " + Refused("unknown_warehouse", {"09"}),
                                 "3 " + Refused("unknown_inventory", {"ZZZ"}),
                                 "4 " + Refused("ended_inventory", {"OLD1", "2024-03-15"}),
                                 "5 " + Refused("not_a_number", {"iTopSum", "abc"}),
                                 "6 " + Refused("not_whole", {"iFrequency", "1.5"}),
                                 "7 " + Refused("unknown_unit", {"cFrequency", "年"}),
                                 "8 " + Refused("not_a_date", {"dLastDate", "2024-02-30"}),
                                 "9 " + Refused("unknown_person", {"cWhPersonCode", "P9"}),
                                 "10 refused " + Text("Zel.AA.WHINVCONTRAPOSE.LIMIT.order",
                                                      {Caption("iLowSum"), Caption("iTopSum")}),
                                 "11 refused " + Text("Zel.AA.WHINVCONTRAPOSE.LIMIT.wastage_above"),
                                 "12 refused " + Text("Zel.HOST.DB.days_not_allowed"),
                                 "13 refused " + Text("Zel.HOST.DB.bad_days_week"),
                                 "14 refused " + Text("Zel.AA.WHINVCONTRAPOSE.LIMIT.order",
                                                      {Caption("iLowSum"), Caption("iSafeNum")}),
                                 "15 refused " + Text("Zel.HOST.DB.bad_days_month"),
                                 "16 " + Refused("missing_warehouse"),
                                 "17 " + Refused("missing_inventory"),
                                 "18 " + Refused("duplicate", {"5"}),
                                 "19 new",
                             }));
    EXPECT_EQ(result.Count(ImportVerdict::kRefused), 17u);
    EXPECT_EQ(result.Count(ImportVerdict::kNew), 1u);
    EXPECT_EQ(result.rows[3].cells, (std::vector<std::string>{"01", "A001", "abc"}))
        << "a refused row keeps its cells";
}

TEST_F(ImportPreviewTest, RowsAreNewChangedOrUnchangedByTheirStoredValues) {
    database.AddCorrespondence("01", "A001",
                               {{"iTopSum", 12.5},
                                {"iLowSum", 2},
                                {"cFrequency", "周"},
                                {"iDays", 3},
                                {"dLastDate", "2024-01-05"},
                                {"cWhPersonCode", "P1"}});
    database.AddCorrespondence("01", "A002", {{"iTopSum", 100}});
    database.AddCorrespondence("01", "A004", {{"iLowSum", 3}});
    // Shown by the grid, and so exported, with the account's two decimals.
    database.AddCorrespondence("01", "A005", {{"iTopSum", 1.2345}});
    database.AddCorrespondence("01", "A006", {{"iTopSum", 1.2345}});
    const auto result = PreviewLines({
        "cWhCode,cInvCode,iTopSum,iLowSum,cFrequency,iDays,dLastDate,cWhPersonCode",
        "01,A001,12.50,2.000,周,3,2024/1/5,p1",
        "01,A002,150,,月,15,2024-3-1,李四",
        "01,A003,5,1,天,,,",
        "01,A004,,,,,,",
        " 01 ,a005,1.23,,,,,",
        "01,A006,1.24,,,,,",
    });
    ASSERT_EQ(result.status, ImportPreviewResult::Status::kDone) << result.message;
    EXPECT_EQ(Lines(result), (std::vector<std::string>{"2 unchanged", "3 changed", "4 new",
                                                       "5 changed", "6 unchanged", "7 changed"}));
    EXPECT_EQ(Changes(result.rows[1]),
              (std::vector<std::string>{"cWhPersonCode →P2", "iTopSum 100→150", "cFrequency →月",
                                        "iDays →15", "dLastDate →2024-03-01"}));
    EXPECT_EQ(Changes(result.rows[2]),
              (std::vector<std::string>{"iTopSum →5", "iLowSum →1", "cFrequency →天"}));
    EXPECT_EQ(Changes(result.rows[3]), std::vector<std::string>{"iLowSum 3→"});
    EXPECT_EQ(Changes(result.rows[5]), std::vector<std::string>{"iTopSum 1.2345→1.24"});
    EXPECT_EQ(result.rows[4].warehouseCode, "01");
    EXPECT_EQ(result.rows[4].inventoryCode, "A005") << "as the database spells it";
}

// The export of a warehouse lists the rows of items that have ended since: such a row comes back
// unchanged, and only a change to it is refused, as the editor refuses it.
TEST_F(ImportPreviewTest, TheRowOfAnEndedItemIsRefusedOnlyWhenItWouldBeWritten) {
    database.AddCorrespondence("01", "OLD1", {{"iTopSum", 40}});
    database.AddCorrespondence("02", "OLD1", {{"iTopSum", 40}});
    const auto result = PreviewLines({"cWhCode,cInvCode,iTopSum", "01,OLD1,40", "02,OLD1,41"});
    ASSERT_EQ(result.status, ImportPreviewResult::Status::kDone) << result.message;
    EXPECT_EQ(Lines(result),
              (std::vector<std::string>{
                  "2 unchanged", "3 " + Refused("ended_inventory", {"OLD1", "2024-03-15"})}));
}

TEST_F(ImportPreviewTest, TheStockLimitRuleJudgesTheRowAsItWouldBeStored) {
    for (const StockLimitCase& c : StockLimitCases()) {
        database.Execute("delete from WhInvContrapose");
        std::map<std::string, zel::Variant> stored;
        for (const auto& [column, value] : c.stored) {
            stored[column] = value;
        }
        database.AddCorrespondence("01", "A001", stored);
        const auto result = PreviewLines(
            {std::string("cWhCode,cInvCode,") + c.column, std::string("01,A001,") + c.value});
        ASSERT_EQ(result.rows.size(), 1u) << c.name;
        const ImportRowOutcome& row = result.rows[0];
        if (c.allowed) {
            EXPECT_EQ(row.verdict, ImportVerdict::kChanged) << c.name << ": " << row.reason;
            continue;
        }
        std::vector<std::string> captions;
        for (const char* column : c.refusalColumns) {
            captions.push_back(Caption(column));
        }
        EXPECT_EQ(row.verdict, ImportVerdict::kRefused) << c.name;
        EXPECT_EQ(row.reason, Text(c.refusalKey, captions)) << c.name;
    }
}

TEST_F(ImportPreviewTest, AUserLimitedToSomeWarehousesAndPersonsMayNotWriteTheOthers) {
    ASSERT_TRUE(database.Execute(
        "update aa_rowauth_object set bControlled=1 where cBusObCode in ('Warehouse', 'Person')"));
    ASSERT_TRUE(
        database.Execute("insert into aa_rowauth (cUserId, cBusObCode, cACCode, cRight) "
                         "values ('clerk', 'Warehouse', '01', 'W'), "
                         "('clerk', 'Warehouse', '02', 'R'), "
                         "('clerk', 'Person', 'P1', 'W'), "
                         "('clerk', 'Person', 'P2', 'R')"));
    database.AddCorrespondence("01", "A002", {{"cWhPersonCode", "P2"}});
    database.AddCorrespondence("02", "A004", {{"iTopSum", 5}});
    Bind("clerk");
    const auto result = PreviewLines({
        "cWhCode,cInvCode,iTopSum,cWhPersonCode",
        "01,A001,5,P1",
        "02,A001,5,P1",
        "01,A003,5,P2",
        "01,A002,5,P2",
        "02,A004,5,",
    });
    EXPECT_EQ(Lines(result), (std::vector<std::string>{
                                 "2 new",
                                 "3 " + Refused("no_warehouse_right", {"02"}),
                                 "4 " + Refused("no_person_right", {"P2"}),
                                 "5 changed",
                                 "6 unchanged",
                             }))
        << "a storekeeper the row already has may stay, a row that writes nothing needs no right";
}

TEST_F(ImportPreviewTest, TextsWrittenBehindAFormulaGuardAreReadBackAsStored) {
    database.AddPerson("-P3");
    database.AddPerson("@P4");
    database.AddCorrespondence("01", "A001", {{"cWhPersonCode", "-P3"}, {"iLowSum", -5}});
    const auto result = PreviewLines({
        "cWhCode,cInvCode,iLowSum,cWhPersonCode",
        "01,A001,-5,\"'-P3\"",
        "01,A002,,\"'@P4\"",
    });
    EXPECT_EQ(Lines(result), (std::vector<std::string>{"2 unchanged", "3 new"}));
    EXPECT_EQ(Changes(result.rows[1]), std::vector<std::string>{"cWhPersonCode →@P4"});
}

TEST_F(ImportPreviewTest, TheGridsOwnExportPreviewedAsItIsChangesNothing) {
    database.AddPerson("=P5", "王五");
    database.AddCorrespondence("01", "A001",
                               {{"iTopSum", 1.2345},
                                {"iLowSum", 0.5},
                                {"iSafeNum", 1},
                                {"iWastage", 2.5},
                                {"iFrequency", 2},
                                {"cFrequency", "月"},
                                {"iDays", 31},
                                {"dLastDate", "2024-02-29"},
                                {"cWhPersonCode", "=P5"}});
    database.AddCorrespondence("01", "A002", {{"cFrequency", "天"}, {"iFrequency", 7}});
    database.AddCorrespondence("01", "A003");
    database.AddCorrespondence("02", "A004", {{"iTopSum", 9}});
    Open();
    Click(*window, "r01");
    PrintSubject subject = MainGridSubject(context.catalogue);
    const auto data = zel::PrintData::Parse(WriteData(context, subject, window->Grid()));
    ASSERT_TRUE(data);
    const ExportLayout layout = PrepareExportLayout(context, subject, window->Grid());
    const std::string path = folder.filePath("export.csv").toStdString();
    std::string reason;
    ASSERT_TRUE(zel::WriteTableFile({path, zel::ExportFormat::kCsv}, *data, layout.types,
                                    layout.sizes, reason))
        << reason;

    const auto result = Preview(path, "01");
    ASSERT_EQ(result.status, ImportPreviewResult::Status::kDone) << result.message;
    EXPECT_EQ(Lines(result),
              (std::vector<std::string>{"2 unchanged", "3 unchanged", "4 unchanged"}));
}

TEST_F(ImportPreviewTest, ACancelStopsTheReadAndAFileThatEndsBadlyIsNamedWhere) {
    std::vector<std::string> lines{"cWhCode,cInvCode,iTopSum"};
    for (int row = 0; row < 3000; ++row) {
        lines.push_back("01,A001," + std::to_string(row));
    }
    zel::CsvTableReader reader(QString::fromStdString(WriteCsv(lines)));
    ASSERT_TRUE(reader.Open());
    std::vector<std::size_t> reported;
    ImportPreviewRequest request{
        ImportColumnMapping::Match(reader.Header(), context.catalogue, *context.login.pub), "",
        [&](std::size_t rows) {
            reported.push_back(rows);
            return reported.size() < 2;
        }};
    const auto cancelled = ImportPreview(context).Run(reader, request);
    EXPECT_EQ(cancelled.status, ImportPreviewResult::Status::kCancelled);
    EXPECT_EQ(reported, (std::vector<std::size_t>{1024, 2048}));

    const auto broken = PreviewLines({"cWhCode,cInvCode,iTopSum", "01,A001,1", "01,A002,\"2"});
    EXPECT_EQ(broken.status, ImportPreviewResult::Status::kReadFailed);
    EXPECT_EQ(broken.readError.row, 3u);
    EXPECT_FALSE(broken.message.empty());
}

}  // namespace
}  // namespace korvel::test
