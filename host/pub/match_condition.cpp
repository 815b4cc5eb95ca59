#include "host/pub/match_condition.h"

#include <vector>

#include "host/database/sql_text.h"
#include "host/objects/trimmed_text.h"

namespace zel {
namespace {

constexpr char kEscape = '!';
constexpr const char* kEverything = "1=1";

bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9');
}

// A name or a dotted chain of names (Inventory.cInvCode), nothing that could end the condition.
bool IsPlainName(std::string_view name) {
    bool atStart = true;
    for (const char c : name) {
        if (c == '.' && !atStart) {
            atStart = true;
        } else if (atStart ? IsNameStart(c) : IsNameChar(c)) {
            atStart = false;
        } else {
            return false;
        }
    }
    return !atStart;
}

std::vector<std::string> UsableFields(std::string_view fields, std::string_view table) {
    const bool qualify = !table.empty() && IsPlainName(table);
    std::vector<std::string> usable;
    while (!fields.empty()) {
        const auto comma = fields.find(',');
        const std::string field = TrimmedLine(std::string(fields.substr(0, comma)));
        fields = comma == std::string_view::npos ? std::string_view() : fields.substr(comma + 1);
        if (!IsPlainName(field)) {
            continue;
        }
        const bool qualified = field.find('.') != std::string::npos;
        usable.push_back(qualify && !qualified ? std::string(table) + "." + field : field);
    }
    return usable;
}

}  // namespace

std::string MatchCondition(std::string_view text, std::string_view fields, std::string_view table) {
    const std::string typed = TrimmedLine(std::string(text));
    const auto usable = UsableFields(fields, table);
    if (typed.empty() || usable.empty()) {
        return kEverything;
    }
    const std::string test = LikeTest("%" + LikeLiteral(typed, kEscape) + "%", kEscape);
    std::string condition = "(";
    for (const auto& field : usable) {
        if (condition.size() > 1) {
            condition += " or ";
        }
        condition += field + test;
    }
    return condition + ")";
}

}  // namespace zel
