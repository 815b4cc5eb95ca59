#pragma once

#include <pugixml.hpp>

#include <optional>
#include <string>
#include <string_view>

namespace zel {

// A node's name without its namespace prefix: workbooks may write <x:row> as well as <row>.
std::string_view LocalName(const pugi::xml_node& node);
pugi::xml_node FirstChild(const pugi::xml_node& node, std::string_view localName);

// The text of a shared or inline string: its plain text, or its rich-text runs joined; the
// reading aids of East Asian texts (phonetic runs) left out.
std::string StringItemText(const pugi::xml_node& item);

// A text as a workbook stores it with characters XML cannot hold written _xHHHH_ (and a
// literal "_x" written _x005F_x), made plain.
std::string UnescapedText(std::string_view text);

// yyyy-mm-dd of a day number in a cell formatted as a date; nullopt when the number is no day
// between 1900 (or 1904) and 9999. Day numbers count 1900 as a leap year, as the programs that
// write them do: day 60 is 1900-02-29, which no calendar has; day 61 is 1900-03-01.
std::optional<std::string> SerialDate(std::string_view number, bool date1904);

}  // namespace zel
