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

std::string LikeLiteral(std::string_view text, char escape) {
    std::string escaped;
    for (const char c : text) {
        if (c == '%' || c == '_' || c == '[' || c == escape) {
            escaped += escape;
        }
        escaped += c;
    }
    return escaped;
}

std::string LikeTest(std::string_view pattern, char escape) {
    return " like " + SqlQuoted(pattern) + " escape " + SqlQuoted(std::string_view(&escape, 1));
}

}  // namespace zel
