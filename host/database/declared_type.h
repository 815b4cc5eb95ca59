#pragma once

#include <string>
#include <string_view>

namespace zel {

// A column type as a table declares it: "varchar(20)", "decimal(20, 6)", "integer".
struct DeclaredType {
    std::string name;  // lower case, without the sizes: "varchar", "decimal"
    int size = 0;      // first number in parentheses (length, or precision); 0 when none
    int scale = 0;     // second number in parentheses; 0 when none

    static DeclaredType Parse(std::string_view declaration);
    bool IsText() const;  // char, varchar, nchar, nvarchar, text ...
    bool IsDecimal() const { return name == "decimal" || name == "numeric"; }
    // The declared length of a text column; 0 for other columns and for texts without one.
    int TextSize() const { return IsText() ? size : 0; }
};

}  // namespace zel
