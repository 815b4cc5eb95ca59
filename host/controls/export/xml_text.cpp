#include "host/controls/export/xml_text.h"

#include <algorithm>
#include <array>

namespace zel {
namespace {

// 0xEF leads the UTF-8 form of U+FFFE and U+FFFF.
constexpr unsigned char kNoncharacterLead = 0xEF;

constexpr std::array<bool, 256> kNeedsCare = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 0x20; ++c) {
        table[c] = c != '\t' && c != '\n';
    }
    for (const char c : std::string_view("&<>\"")) {
        table[static_cast<unsigned char>(c)] = true;
    }
    table[kNoncharacterLead] = true;
    return table;
}();

bool NeedsCare(char c) {
    return kNeedsCare[static_cast<unsigned char>(c)];
}

bool IsNoncharacter(std::string_view rest) {
    return rest.size() >= 3 && static_cast<unsigned char>(rest[1]) == 0xBF &&
           (static_cast<unsigned char>(rest[2]) & 0xFE) == 0xBE;
}

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

}  // namespace

void AppendXmlText(std::string& out, std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto plain = std::find_if(text.begin() + i, text.end(), NeedsCare);
        const auto start = text.begin() + i;
        out.append(start, plain);
        i = static_cast<std::size_t>(plain - text.begin());
        if (plain == text.end()) {
            break;
        }
        switch (*plain) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            // A carriage return written as it is would be read back as a line feed.
            case '\r':
                out += "&#13;";
                break;
            default:
                if (static_cast<unsigned char>(*plain) == kNoncharacterLead) {
                    if (IsNoncharacter(text.substr(i))) {
                        i += 3;
                    } else {
                        out += *plain;
                        ++i;
                    }
                    continue;
                }
                break;
        }
        ++i;
    }
}

bool HasOuterWhiteSpace(std::string_view text) {
    return !text.empty() && (IsWhiteSpace(text.front()) || IsWhiteSpace(text.back()));
}

std::size_t Utf8SequenceLength(char lead) {
    const auto byte = static_cast<unsigned char>(lead);
    return byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
}

}  // namespace zel
