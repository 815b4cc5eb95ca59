// The print control's data over any text: what it reads has one cell per caption in every row,
// and no more cells than the text has bytes (a grid's data writes every cell, "<C/>" at least).
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "host/controls/print/print_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto read =
        zel::PrintData::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read) {
        return 0;
    }
    const std::size_t width = read->headers.size();
    if (read->rightAligned.size() != width || read->cells.size() != read->RowCount() * width ||
        read->cells.size() > size) {
        std::abort();
    }
    std::size_t bytes = 0;
    for (std::size_t row = 0; row < read->RowCount(); ++row) {
        for (std::size_t col = 0; col < width; ++col) {
            bytes += read->Cell(row, col).size();
        }
    }
    if (bytes > size) {
        std::abort();
    }
    return 0;
}
