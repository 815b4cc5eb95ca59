#include "host/controls/import/table_reader_factory.h"

#include <QFile>
#include <string_view>

#include "host/controls/import/csv_table_reader.h"
#include "host/controls/import/xlsx_table_reader.h"

namespace zel {
namespace {

constexpr std::string_view kZipSignature = "PK\x03\x04";

bool BeginsAsZip(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) &&
           file.read(kZipSignature.size()) == QByteArrayView(kZipSignature);
}

}  // namespace

TableFormat DetectTableFormat(const QString& path) {
    return path.endsWith(".xlsx", Qt::CaseInsensitive) || BeginsAsZip(path) ? TableFormat::kXlsx
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
