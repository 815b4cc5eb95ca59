#include "host/controls/import/table_reader_factory.h"

#include <QFile>
#include <string_view>

#include "host/controls/import/csv_table_reader.h"
#include "host/controls/import/xlsx_table_reader.h"

namespace zel {
namespace {

constexpr std::string_view kZipSignature = "PK\x03\x04";
// A compound document: a workbook of the older binary format, or one saved with a password.
constexpr std::string_view kCompoundSignature = "\xD0\xCF\x11\xE0";

// Such a file is no CSV, and the workbook reader says why it cannot be read.
bool BeginsAsWorkbook(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray start = file.read(kZipSignature.size());
    return start == QByteArrayView(kZipSignature) || start == QByteArrayView(kCompoundSignature);
}

}  // namespace

TableFormat DetectTableFormat(const QString& path) {
    return path.endsWith(".xlsx", Qt::CaseInsensitive) || BeginsAsWorkbook(path)
               ? TableFormat::kXlsx
               : TableFormat::kCsv;
}

std::unique_ptr<TableReader> OpenTableReader(const QString& path, TableFormat format,
                                             const std::string& sheet) {
    if (format == TableFormat::kAuto) {
        format = DetectTableFormat(path);
    }
    std::unique_ptr<TableReader> reader;
    if (format == TableFormat::kXlsx) {
        reader = std::make_unique<XlsxTableReader>(path, sheet);
    } else {
        reader = std::make_unique<CsvTableReader>(path);
    }
    reader->Open();
    return reader;
}

}  // namespace zel
