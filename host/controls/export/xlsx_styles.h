#pragma once

#include <string>
#include <vector>

#include "host/controls/export/export_columns.h"

namespace zel {

// The cell styles of an exported sheet: the bold header, the date format and one number format
// for each count of decimals the columns show.
class XlsxStyles {
public:
    static constexpr int kHeader = 1;
    static constexpr int kDate = 2;

    explicit XlsxStyles(const std::vector<ExportColumn>& columns);

    // The style of the column's numbers.
    int NumberStyle(const ExportColumn& column) const;
    // The styles part of the workbook.
    std::string Xml() const;

private:
    // Decimals of each number style, the first after kDate.
    std::vector<int> decimals_;
};

}  // namespace zel
