#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/controls/import/zip_entry_stream.h"

namespace zel {

// The workbook's table of shared strings, which cells name by their place in it. It has to be
// held whole while the sheet is read, so its texts are kept in one block and bounded.
class XlsxSharedStrings {
public:
    static constexpr std::size_t kMaxTextBytes = std::size_t{256} << 20;
    static constexpr std::size_t kMaxItemBytes = std::size_t{8} << 20;
    static constexpr std::size_t kMaxItems = std::size_t{1} << 24;

    enum class Result { kRead, kTooLarge, kMalformed, kArchiveFault };

    // Reads the table from its entry, item by item.
    Result Read(ZipEntryStream& entry);
    std::size_t Count() const { return ends_.size(); }
    // The string at index; the caller checks index < Count().
    std::string_view At(std::size_t index) const;
    std::size_t HeldBytes() const {
        return texts_.capacity() + ends_.capacity() * sizeof(std::size_t);
    }

private:
    std::string texts_;
    std::vector<std::size_t> ends_;
};

}  // namespace zel
