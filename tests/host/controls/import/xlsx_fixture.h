#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zel {

// Parts of a workbook made by hand, entry name and content, for tests that need what the
// program's own export never writes.
using ZipParts = std::vector<std::pair<std::string, std::string>>;

// The parts of a workbook with the sheets given as (name, content of <sheetData>), in order,
// with the shared strings and styles parts given (left out when empty).
ZipParts WorkbookParts(const std::vector<std::pair<std::string, std::string>>& sheets,
                       const std::string& sharedStrings = {}, const std::string& styles = {});

// Writes the parts as a zip archive through the export's own zip writer.
bool WriteZip(const std::string& path, const ZipParts& parts);

// Writes the parts uncompressed, so that a test can change a byte of an entry's content.
bool WriteStoredZip(const std::string& path, const ZipParts& parts);

// Writes a workbook whose first sheet's entry inflates to `size` zero bytes, while its headers
// declare `declaredSize`; the deflated zeros are repeated from one compressed block, so the
// file stays a few megabytes and quick to make however large the entry.
bool WriteZeroSheetWorkbook(const std::string& path, std::uint64_t size,
                            std::uint64_t declaredSize);

}  // namespace zel
