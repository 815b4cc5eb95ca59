#pragma once

#include <string>
#include <string_view>

namespace zel {

class FlexGrid;

// The heading lines of a printed list.
struct PrintHeading {
    std::string_view title;
    std::string_view account;
    std::string_view userCode;
    std::string_view userName;
    // The business date, yyyy-mm-dd.
    std::string_view date;
    bool serialNumbers = true;
    // The warehouse the rows are of, as the heading names it; empty: no warehouse line.
    std::string_view warehouse;
};

// Appends the print data of the grid (the elements PrintData::Parse reads) to data: the heading,
// the header row and every row as the grid shows it. Written straight into the text, so that a
// grid of many thousand rows costs one pass and no document in memory.
void AppendPrintData(std::string& data, const PrintHeading& heading, FlexGrid& grid);

}  // namespace zel
