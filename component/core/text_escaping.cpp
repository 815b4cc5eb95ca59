#include "core/text_escaping.h"

namespace korvel {

std::string SqlEscaped(std::string_view value) {
    std::string escaped;
    escaped.reserve(value.size());
    for (const char c : value) {
        escaped += c;
        if (c == '\'') {
            escaped += '\'';
        }
    }
    return escaped;
}

std::string SqlQuoted(std::string_view value) {
    return "'" + SqlEscaped(value) + "'";
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
