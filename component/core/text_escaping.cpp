#include "core/text_escaping.h"

namespace korvel {

namespace {

void AppendSqlEscaped(std::string& text, std::string_view value) {
    for (const char c : value) {
        text += c;
        if (c == '\'') {
            text += '\'';
        }
    }
}

}  // namespace

std::string SqlEscaped(std::string_view value) {
    std::string escaped;
    escaped.reserve(value.size());
    AppendSqlEscaped(escaped, value);
    return escaped;
}

// Built in one string rather than as "'" + ... + "'": GCC 12 at -O3 warns (-Wrestrict) on the
// inlined concatenation of a literal with a temporary string.
std::string SqlQuoted(std::string_view value) {
    std::string quoted;
    quoted.reserve(value.size() + 2);
    quoted += '\'';
    AppendSqlEscaped(quoted, value);
    quoted += '\'';
    return quoted;
}

std::string XmlEscaped(std::string_view value) {
    std::string escaped;
    escaped.reserve(value.size());
    for (const char c : value) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '\'':
                escaped += "&apos;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

}  // namespace korvel
