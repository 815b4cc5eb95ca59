#pragma once

#include <string>
#include <string_view>

namespace zel {

// Appends the number a grid text shows (grouping commas allowed) as a workbook stores it;
// false, with nothing appended, when the text is no finite number.
bool AppendXlsxNumber(std::string& out, std::string_view text);
// Whether AppendXlsxNumber takes the text as a number.
bool IsXlsxNumber(std::string_view text);

// Appends the workbook's day number of a date the host reads (HostDate; a workbook has no day
// before 1900, the host's first year either); false, with nothing appended, when the text is
// no such date.
bool AppendXlsxDate(std::string& out, std::string_view text);

}  // namespace zel
