#include "host/database/sql_text.h"

namespace zel {

std::string SqlQuoted(std::string_view value) {
    std::string quoted = "'";
    for (const char c : value) {
        quoted += c;
        if (c == '\'') {
            quoted += '\'';
        }
    }
    quoted += '\'';
    return quoted;
}

}  // namespace zel
