// The spreadsheet round trip as a user makes it: the main window exports a warehouse, the file is
// changed in LibreOffice Calc (headless; LibreOffice then writes the workbook in its own manner,
// with its own shared strings, rich-text runs and number formats) or in a text editor, and
// whinv-import brings it back. Every row and field of the table is compared before and after.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/import/run_import.h"
#include "component/support/main_window_fixture.h"
#include "core/correspondence_fields.h"
#include "support/flat_ods_sheet.h"
#include "support/libre_office.h"

namespace korvel::test {
namespace {

// One field of one row: warehouse, item, column.
using CellKey = std::tuple<std::string, std::string, std::string>;
using TableSnapshot = std::map<CellKey, std::string>;

constexpr const char* kColumns[] = {
    "iTopSum", "iLowSum",   "iSafeNum",      "iWastage",      "iFrequency",    "cFrequency",
    "iDays",   "dLastDate", "cWhPersonCode", "cCreatePerson", "cModifyPerson", "dModifyDate"};

// What the save itself records on a row it changes, beside the values the file gives.
bool IsBookkeeping(const std::string& column) {
    return column == "cModifyPerson" || column == "dModifyDate";
}

// 12.345678000 and 12.345678 are the same number; each engine writes its own trailing zeros.
std::string PlainNumber(std::string text) {
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    return text;
}

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

struct ImportRun {
    int status = -1;
    std::string told;  // standard output
};

// A warehouse of a demo account, as the demo fills one: items named in two scripts (LibreOffice
// keeps such names as rich-text runs), limits with and without decimals, one with more decimals
// than the account shows (four here), every cycle unit, storekeepers, rows never counted, the row
// of an item that has ended since; a second warehouse the import must leave alone.
class ImportRoundTripTest : public MainWindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(database.Execute(
            "update AccInformation set cValue = '4' where cName = 'iStrsQuanDecDgt'"));
        database.AddWarehouse("01", "成品库");
        database.AddWarehouse("02", "原料库");
        database.AddPerson("P01", "张三");
        database.AddPerson("P02", "李四");
        const char* names[] = {
            "Copper wire 4mm² 铜线", "Timing pulley 08B-1", "螺钉 M6×20",
            "Flange gasket DN50",    "轴承 6204-2RS",       "O-ring 40×3 密封圈"};
        for (int i = 0; i < 6; ++i) {
            database.AddInventory(Item(i), names[i], {{"cInvStd", "规格" + std::to_string(i)}});
        }
        database.AddInventory(Item(6), "停用件", {{"dEDate", "2024-01-01"}});
        database.AddCorrespondence("01", Item(0),
                                   {{"iTopSum", 100},
                                    {"iLowSum", 10.5},
                                    {"iSafeNum", 20.25},
                                    {"iWastage", 0.5},
                                    {"cFrequency", "周"},
                                    {"iFrequency", 1},
                                    {"iDays", 4},
                                    {"dLastDate", "2024-02-29"},
                                    {"cWhPersonCode", "P01"}});
        database.AddCorrespondence("01", Item(1),
                                   {{"iTopSum", 250},
                                    {"iLowSum", 2},
                                    // Shown, and so exported, as 3.1416.
                                    {"iSafeNum", 3.141593},
                                    {"cFrequency", "月"},
                                    {"iFrequency", 2},
                                    {"iDays", 31},
                                    {"dLastDate", "2024-01-31"},
                                    {"cWhPersonCode", "P02"}});
        database.AddCorrespondence("01", Item(2),
                                   {{"iTopSum", 80.75},
                                    {"cFrequency", "天"},
                                    {"iFrequency", 30},
                                    {"cWhPersonCode", "P01"}});
        database.AddCorrespondence("01", Item(3),
                                   {{"iTopSum", 60},
                                    {"iLowSum", 5},
                                    {"cFrequency", "天"},
                                    {"iFrequency", 7},
                                    {"dLastDate", "2023-12-01"}});
        database.AddCorrespondence("01", Item(4), {});
        database.AddCorrespondence("01", Item(6), {{"iTopSum", 5}, {"cWhPersonCode", "P02"}});
        database.AddCorrespondence("02", Item(0), {{"iTopSum", 9}, {"cWhPersonCode", "P02"}});
        database.AddCorrespondence("02", Item(5), {{"iLowSum", 3}});
    }

    static std::string Item(int i) { return "A00" + std::to_string(i + 1); }

    // The grid's caption of a field, which the export writes as its column's header.
    std::string Caption(std::string_view column) const {
        const auto index = static_cast<std::size_t>(FieldNamed(column)->catalogue.captionIndex);
        return context.catalogue.arrFldCaption[index];
    }

    // The main window's own export of warehouse 01: the command, the save dialog, the file.
    std::string Export(const std::string& name, int filter) {
        FrmWhInvContra& shown = window ? *window : Open();
        Click(shown, "r01");
        Pump();
        const std::string path = database.Folder() + "/" + name;
        database.Dialogs().QueueModal([&](QDialog& dialog) {
            auto& files = dynamic_cast<QFileDialog&>(dialog);
            files.selectNameFilter(files.nameFilters().at(filter));
            files.selectFile(QString::fromStdString(path));
            return static_cast<int>(QDialog::Accepted);
        });
        shown.ExecCommand("SaveFile");
        Pump();
        EXPECT_FALSE(ReadAll(path).empty()) << "the export wrote no " << path;
        return path;
    }

    ImportRun Import(const std::string& file) {
        zel::ImportRequest request;
        request.file = file;
        request.database = database.DatabaseArgument();
        request.configPath = database.Folder() + "/none.ini";
        request.date = "2024-03-15";
        // The export of one warehouse has no warehouse column.
        request.warehouse = "01";
        testing::internal::CaptureStdout();
        ImportRun run;
        run.status = zel::RunImport(request, database.Environment());
        run.told = testing::internal::GetCapturedStdout();
        return run;
    }

    TableSnapshot Snapshot() {
        std::string sql = "select cWhCode, cInvCode";
        for (const char* column : kColumns) {
            sql += std::string(", ") + column;
        }
        TableSnapshot snapshot;
        const auto rows = database.OpenService()->OpenX(sql + " from WhInvContrapose");
        EXPECT_TRUE(rows);
        for (; rows && !rows->Eof(); rows->MoveNext()) {
            for (std::size_t i = 0; i < std::size(kColumns); ++i) {
                snapshot[{rows->Fields(0)->ToString(), rows->Fields(1)->ToString(), kColumns[i]}] =
                    rows->Fields(static_cast<int>(i + 2))->ToString();
            }
        }
        return snapshot;
    }

    long HistoryEntries() {
        return static_cast<long>(
            database.Scalar("select count(*) from whinv_change").ToDouble().value_or(-1));
    }

    // The cells whose value differs, the bookkeeping of the save aside, as "warehouse item
    // column: before -> after".
    static std::vector<std::string> Changes(const TableSnapshot& before,
                                            const TableSnapshot& after) {
        std::vector<std::string> changes;
        for (const auto& [key, value] : after) {
            const auto& [warehouse, item, column] = key;
            const auto old = before.find(key);
            const std::string was = old == before.end() ? "(none)" : old->second;
            if (was != value && !IsBookkeeping(column)) {
                changes.push_back(warehouse + " " + item + " " + column + ": " + was + " -> " +
                                  value);
            }
        }
        if (before.size() != after.size()) {
            changes.push_back("rows added or removed");
        }
        return changes;
    }

    // The rows of the table whose bookkeeping changed.
    static std::vector<std::string> RowsTouched(const TableSnapshot& before,
                                                const TableSnapshot& after) {
        std::vector<std::string> touched;
        for (const auto& [key, value] : after) {
            const auto& [warehouse, item, column] = key;
            if (column == "dModifyDate" && before.at(key) != value) {
                touched.push_back(warehouse + " " + item);
            }
        }
        return touched;
    }
};

// A number typed with six decimals, a storekeeper code, a date: exactly those three cells change,
// the number with every decimal, and the import is one step of the history.
TEST_F(ImportRoundTripTest, ThreeCellsChangedInLibreOfficeChangeExactlyThoseThree) {
    const std::string exported = Export("export.xlsx", 1);
    const TableSnapshot before = Snapshot();
    const long entries = HistoryEntries();
    zel::test::LibreOffice office(database.Folder());
    ASSERT_TRUE(office.Convert({exported}, "fods", database.Folder())) << office.Error();

    zel::test::FlatOdsSheet sheet;
    ASSERT_TRUE(sheet.Load(database.Folder() + "/export.fods"));
    const std::size_t items = sheet.ColumnOf("存货编码");
    ASSERT_NE(items, 0u) << "no item column in the export";
    const std::size_t top = sheet.ColumnOf(Caption("iTopSum"));
    const std::size_t storekeeper = sheet.ColumnOf(Caption("cWhPersonCode"));
    const std::size_t counted = sheet.ColumnOf(Caption("dLastDate"));
    ASSERT_TRUE(top && storekeeper && counted) << "captions: " << sheet.Text(1, 2) << " ...";
    sheet.SetNumber(sheet.RowOf(items, Item(1)), top, "12.345678");
    sheet.SetText(sheet.RowOf(items, Item(2)), storekeeper, "P02");
    sheet.SetDate(sheet.RowOf(items, Item(3)), counted, "2024-03-01");
    ASSERT_TRUE(sheet.Save(database.Folder() + "/edited.fods"));
    ASSERT_TRUE(office.Convert({database.Folder() + "/edited.fods"}, "xlsx", database.Folder()))
        << office.Error();

    const ImportRun run = Import(database.Folder() + "/edited.xlsx");
    EXPECT_EQ(run.status, 0) << run.told;
    EXPECT_NE(run.told.find("修改 3 行"), std::string::npos) << run.told;
    const TableSnapshot after = Snapshot();
    std::vector<std::string> changes = Changes(before, after);
    ASSERT_EQ(changes.size(), 3u) << testing::PrintToString(changes);
    EXPECT_EQ(PlainNumber(after.at({"01", Item(1), "iTopSum"})), "12.345678");
    EXPECT_EQ(after.at({"01", Item(2), "cWhPersonCode"}), "P02");
    EXPECT_EQ(after.at({"01", Item(3), "dLastDate"}).substr(0, 10), "2024-03-01");
    // The save may stamp the rows it wrote, and no other.
    const std::vector<std::string> written{"01 " + Item(1), "01 " + Item(2), "01 " + Item(3)};
    const std::vector<std::string> touched = RowsTouched(before, after);
    EXPECT_TRUE(touched.empty() || touched == written) << testing::PrintToString(touched);
    EXPECT_EQ(HistoryEntries(), entries + 1);
}

// The export itself, and the export opened and saved in LibreOffice without a change: every row
// unchanged, nothing written, no history.
TEST_F(ImportRoundTripTest, AnExportImportedUnchangedChangesNothing) {
    const std::string exported = Export("export.xlsx", 1);
    const TableSnapshot before = Snapshot();
    const long entries = HistoryEntries();
    zel::test::LibreOffice office(database.Folder());
    const std::string saved = database.Folder() + "/saved";
    QDir().mkpath(QString::fromStdString(saved));
    ASSERT_TRUE(office.Convert({exported}, "xlsx", saved)) << office.Error();

    for (const std::string& file : {exported, saved + "/export.xlsx"}) {
        const ImportRun run = Import(file);
        EXPECT_EQ(run.status, 0) << file << "\n" << run.told;
        EXPECT_NE(run.told.find("新增 0 行，修改 0 行，不变 6 行，拒绝 0 行"), std::string::npos)
            << file << "\n"
            << run.told;
        EXPECT_EQ(Changes(before, Snapshot()), std::vector<std::string>{}) << file;
        EXPECT_EQ(Snapshot(), before) << file;
        EXPECT_EQ(HistoryEntries(), entries) << file;
    }
}

// The cells of a CSV line; the export's cells here hold no comma or quote.
std::vector<std::string> SplitLine(const std::string& line) {
    std::vector<std::string> cells;
    std::stringstream stream(line);
    for (std::string cell; std::getline(stream, cell, ',');) {
        cells.push_back(cell);
    }
    return cells;
}

// The same three changes typed into the CSV export with a text editor.
TEST_F(ImportRoundTripTest, ThreeCellsChangedInTheCsvExportChangeExactlyThoseThree) {
    const std::string exported = Export("export.csv", 0);
    const TableSnapshot before = Snapshot();
    const ImportRun unchanged = Import(exported);
    EXPECT_EQ(unchanged.status, 0) << unchanged.told;
    EXPECT_NE(unchanged.told.find("修改 0 行，不变 6 行"), std::string::npos) << unchanged.told;
    ASSERT_EQ(Snapshot(), before);

    std::stringstream text(ReadAll(exported));
    std::vector<std::vector<std::string>> lines;
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(SplitLine(line));
    }
    ASSERT_GT(lines.size(), 1u);
    auto column = [&](const std::string& caption) {
        const auto& header = lines.front();
        return static_cast<std::size_t>(std::find(header.begin(), header.end(), caption) -
                                        header.begin());
    };
    auto cell = [&](const std::string& item, std::size_t at) -> std::string& {
        for (auto& line : lines) {
            if (std::find(line.begin(), line.end(), item) != line.end()) {
                line.resize(std::max(line.size(), at + 1));
                return line[at];
            }
        }
        ADD_FAILURE() << "no line for " << item;
        return lines.front()[0];
    };
    cell(Item(1), column(Caption("iTopSum"))) = "12.345678";
    cell(Item(2), column(Caption("cWhPersonCode"))) = "P02";
    cell(Item(3), column(Caption("dLastDate"))) = "2024-03-01";
    std::ofstream edited(database.Folder() + "/edited.csv", std::ios::binary);
    for (const auto& line : lines) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            edited << (i ? "," : "") << line[i];
        }
        edited << "\r\n";
    }
    edited.close();

    const ImportRun run = Import(database.Folder() + "/edited.csv");
    EXPECT_EQ(run.status, 0) << run.told;
    const TableSnapshot after = Snapshot();
    ASSERT_EQ(Changes(before, after).size(), 3u) << testing::PrintToString(Changes(before, after));
    EXPECT_EQ(PlainNumber(after.at({"01", Item(1), "iTopSum"})), "12.345678");
    EXPECT_EQ(after.at({"01", Item(2), "cWhPersonCode"}), "P02");
    EXPECT_EQ(after.at({"01", Item(3), "dLastDate"}).substr(0, 10), "2024-03-01");
}

}  // namespace
}  // namespace korvel::test
