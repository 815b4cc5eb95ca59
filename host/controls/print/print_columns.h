#pragma once

#include <cstddef>
#include <vector>

#include "host/controls/print/print_data.h"
#include "host/controls/print/print_fonts.h"
#include "host/controls/print/print_style.h"

namespace zel {

struct PrintColumn {
    // The column in the print data.
    std::size_t dataCol = 0;
    // In points, at the table's natural size: the caption, the cell padding and the widest of
    // the texts measured.
    double width = 0;
    bool rightAligned = false;
};

// The padding left and right of a cell's text, in points.
double PrintCellPadding(const PrintFonts& fonts);

// The columns the style prints (the serial number only when the data says so), each as wide as
// its caption and its widest texts. Measuring every text would take seconds on a large list, so
// only the first rows are measured, with the longest text of each column by bytes and by
// characters; a wider text further down is cut short where it is drawn.
std::vector<PrintColumn> ChoosePrintColumns(const PrintData& data, const PrintStyle& style,
                                            const PrintFonts& fonts);

}  // namespace zel
