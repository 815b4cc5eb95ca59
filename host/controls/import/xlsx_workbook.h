#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/controls/import/zip_entry_stream.h"

namespace zel {

struct XlsxSheet {
    std::string name;
    // The worksheet's entry in the archive.
    std::string path;
};

// What a workbook's small parts say about how to read its sheets.
struct XlsxWorkbook {
    // In the order the workbook shows them.
    std::vector<XlsxSheet> sheets;
    // Empty when the workbook has no such part.
    std::string sharedStringsPath;
    std::string stylesPath;
    // Day numbers count from 1904 instead of 1900.
    bool date1904 = false;
};

// Bytes a workbook's small parts (workbook, relationships, styles) may inflate to.
constexpr std::uint64_t kMaxXlsxSmallPartBytes = std::uint64_t{64} << 20;

// Finds the workbook through the package's relationships and lists its sheets; kMissingEntry
// when the archive holds no readable workbook.
ZipFault ReadXlsxWorkbook(const ZipArchiveReader& zip, XlsxWorkbook& workbook);

}  // namespace zel
