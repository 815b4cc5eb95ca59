#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/controls/print/cell_texts.h"

namespace zel {

// The print data of the print control, read from the XML that the host's GetData wrote: the
// heading lines and the grid's header and rows as the grid shows them.
//
//   <Title>…</Title><Account>…</Account><User code="…">name</User><Date>yyyy-mm-dd</Date>
//   <Warehouse>01 成品库</Warehouse><SerialNumbers>1</SerialNumbers>
//   <Header><C align="right">序号</C><C>存货编码</C>…</Header>
//   <Rows><R><C>1</C><C>A001</C>…</R>…</Rows>
//
// inside the root element the caller chose. The first column is the grid's serial number.
struct PrintData {
    std::string title;
    std::string account;
    // The user's name, or the code when the user has no name.
    std::string user;
    std::string date;
    // The warehouse the rows are of, as the heading names it; empty when the list names none.
    std::string warehouse;
    // Whether the serial-number column is printed.
    bool serialNumbers = true;
    // Column captions; a row has one cell per caption.
    std::vector<std::string> headers;
    // Row after row, headers.size() cells each.
    CellTexts cells;
    std::string userCode;
    // One flag per caption: the column's texts are right-aligned (numbers) in the grid.
    std::vector<bool> rightAligned;

    std::size_t RowCount() const { return headers.empty() ? 0 : cells.size() / headers.size(); }
    std::string_view Cell(std::size_t row, std::size_t col) const {
        return cells[row * headers.size() + col];
    }

    // nullopt when the text is not print data.
    static std::optional<PrintData> Parse(std::string_view xml);
};

}  // namespace zel
