#pragma once

#include <map>
#include <string>
#include <string_view>

namespace zel {

class IClsCommon;

// The headers of a picker's columns: the caption the host's column dictionary (aa_columndic)
// gives a column under the picker's dictionary key, else the resource text of the field
// ("Zel.AA.ARCHIVE.FIELD." + the name in lower case), else the column's own name.
class ColumnCaptions {
public:
    ColumnCaptions() = default;
    // Column name → caption, as the dictionary holds them under one key.
    explicit ColumnCaptions(const std::map<std::string, std::string>& dictionary);

    // The dictionary's captions under the key ("Inventory", in any case); none when the
    // dictionary cannot be read, so that a picker still opens on a database without one.
    static ColumnCaptions Read(IClsCommon& db, std::string_view dictionaryKey);

    std::string Of(std::string_view column) const;

private:
    std::map<std::string, std::string> dictionary_;  // by column name in ASCII lower case
};

}  // namespace zel
