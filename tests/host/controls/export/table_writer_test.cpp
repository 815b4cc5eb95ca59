#include "host/controls/export/table_writer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>

#include "host/controls/export/csv_table_writer.h"
#include "host/controls/export/xlsx_table_writer.h"
#include "host/objects/resource_texts.h"

namespace zel {
namespace {

struct WriterCase {
    const char* name;
    std::function<std::unique_ptr<TableWriter>(const std::string&)> make;
};

const WriterCase kWriters[] = {
    {"csv", [](const std::string& path) { return std::make_unique<CsvTableWriter>(path); }},
    {"xlsx", [](const std::string& path) { return std::make_unique<XlsxTableWriter>(path); }},
};

const TableHeading kHeading{
    "盘点", "", {"编码", "数量", "日期"}, {{}, {FieldKind::kNumber, 0}, {}}};

class TableWriterTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const {
        return QDir(dir.path()).filePath(QString::fromStdString(name)).toStdString();
    }

    // The bytes of the files this process has open in the folder. A file that replaces another
    // only once it is whole may have no name there until then, but it is open.
    std::uintmax_t OpenBytes() const {
        std::uintmax_t bytes = 0;
        const std::string folder = dir.path().toStdString() + "/";
        for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
            std::error_code gone;
            const std::string target = std::filesystem::read_symlink(entry.path(), gone).string();
            if (!gone && target.rfind(folder, 0) == 0) {
                bytes += std::filesystem::file_size(entry.path(), gone);
            }
        }
        return bytes;
    }

    std::size_t FileCount() const {
        const auto files = std::filesystem::directory_iterator(dir.path().toStdString());
        return static_cast<std::size_t>(std::distance(begin(files), end(files)));
    }

    QTemporaryDir dir;
};

// Rows reach the disk while they are added, not when the table is finished: a long table is
// never held whole. Until it is finished the file at the path stays the earlier one, and a table
// dropped half-way leaves nothing of itself.
TEST_F(TableWriterTest, RowsReachTheDiskAsTheyComeAndADroppedTableLeavesTheEarlierFile) {
    constexpr std::uintmax_t kWrittenBytes = 4 << 20;
    for (const WriterCase& writerCase : kWriters) {
        SCOPED_TRACE(writerCase.name);
        const std::string name = std::string("table.") + writerCase.name;
        {
            QFile earlier(QString::fromStdString(Path(name)));
            ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
            earlier.write("earlier");
        }
        {
            std::unique_ptr<TableWriter> writer = writerCase.make(Path(name));
            ASSERT_TRUE(writer->Begin(kHeading)) << writer->Reason();
            // Digits a compressor cannot shrink much.
            std::mt19937_64 random(7);
            // Far more than the writers gather before they write.
            for (int batch = 0; batch < 400 && OpenBytes() < kWrittenBytes; ++batch) {
                for (int row = 0; row < 1000; ++row) {
                    const std::string code = std::to_string(random());
                    const std::string quantity = std::to_string(random() % 100000);
                    const std::vector<std::string_view> cells{code, quantity, "2024-02-29"};
                    ASSERT_TRUE(writer->AddRow(cells)) << writer->Reason();
                }
            }
            EXPECT_GE(OpenBytes(), kWrittenBytes);
            QFile current(QString::fromStdString(Path(name)));
            ASSERT_TRUE(current.open(QIODevice::ReadOnly));
            EXPECT_EQ(current.readAll().toStdString(), "earlier");
        }
        EXPECT_EQ(OpenBytes(), 0u);
        EXPECT_EQ(FileCount(), 1u);
        std::filesystem::remove(Path(name));
    }
}

// A sheet holds 1,048,576 rows, the header's included: the row after them is refused, and the
// workbook is never written.
TEST_F(TableWriterTest, AWorkbookRefusesTheRowBeyondTheSheetsLast) {
    XlsxTableWriter writer(Path("long.xlsx"));
    ASSERT_TRUE(writer.Begin({"", "", {"a"}, {}}));
    const std::vector<std::string_view> cells{""};
    for (std::size_t row = 1; row < XlsxTableWriter::kMostRows; ++row) {
        ASSERT_TRUE(writer.AddRow(cells)) << row;
    }
    EXPECT_FALSE(writer.AddRow(cells));
    EXPECT_EQ(writer.Reason(), ResourceTexts::Instance().Text("Zel.HOST.EXPORT.too_large"));
    EXPECT_FALSE(writer.Finish());
    EXPECT_FALSE(std::filesystem::exists(Path("long.xlsx")));
}

}  // namespace
}  // namespace zel
