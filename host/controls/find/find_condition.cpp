#include "host/controls/find/find_condition.h"

#include <optional>

#include "host/database/sql_text.h"
#include "host/objects/host_date.h"
#include "host/objects/host_number.h"
#include "host/objects/host_text.h"
#include "host/objects/resource_texts.h"

namespace zel {
namespace {

constexpr char kLikeEscape = '\\';

FindCondition::Result Refused(const std::string& key, const std::vector<std::string>& values) {
    return {false, {}, ResourceTexts::Instance().Format(key, values)};
}

FindCondition::Result Made(std::string sql) {
    return {true, std::move(sql), {}};
}

// "-007.50" → "-7.5", "+0.0" → "0": only a sign, digits and one point reach the SQL.
std::optional<std::string> CanonicalNumber(const std::string& text) {
    if (!HostNumber::Parse(text)) {
        return std::nullopt;
    }
    std::string_view number = WithoutSurroundingBlanks(text);
    const bool negative = number.front() == '-';
    if (number.front() == '-' || number.front() == '+') {
        number.remove_prefix(1);
    }
    const auto point = number.find('.');
    std::string_view whole = number.substr(0, point);
    std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : number.substr(point + 1);
    while (!whole.empty() && whole.front() == '0') {
        whole.remove_prefix(1);
    }
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.remove_suffix(1);
    }
    std::string canonical = whole.empty() ? "0" : std::string(whole);
    if (!fraction.empty()) {
        canonical += "." + std::string(fraction);
    }
    return negative && canonical != "0" ? "-" + canonical : canonical;
}

std::string Like(const std::string& source, const std::string& pattern) {
    return source + LikeTest(pattern, kLikeEscape);
}

// A value as the SQL literal of the field's type: numbers in canonical form, dates as
// yyyy-mm-dd text, anything else as typed.
std::optional<std::string> Literal(const FindField& field, const std::string& value) {
    switch (field.type) {
        case FieldKind::kNumber:
            return CanonicalNumber(value);
        case FieldKind::kDate: {
            const auto date = HostDate::Parse(value);
            return date ? std::optional(SqlQuoted(date->ToIso())) : std::nullopt;
        }
        case FieldKind::kText:
            break;
    }
    return SqlQuoted(value);
}

const char* Symbol(FindOperator op) {
    switch (op) {
        case FindOperator::kLess:
            return " < ";
        case FindOperator::kLessOrEqual:
            return " <= ";
        case FindOperator::kGreater:
            return " > ";
        case FindOperator::kGreaterOrEqual:
            return " >= ";
        default:
            return " = ";
    }
}

bool NeedsSecondValue(FindOperator op) {
    return op == FindOperator::kBetween;
}

// Whether the literals of "between" came in the wrong order; the user may type the bounds in
// either box. Dates compare as their yyyy-mm-dd texts.
bool Reversed(const FindField& field, const std::string& low, const std::string& high) {
    if (field.type == FieldKind::kNumber) {
        return HostNumber::Parse(low)->Value().ToDouble().value_or(0) >
               HostNumber::Parse(high)->Value().ToDouble().value_or(0);
    }
    return field.type == FieldKind::kDate && low > high;
}

// The comparison of one line, or the message why its values do not fit the field.
FindCondition::Result Comparison(const FindField& field, const FindRow& row) {
    using enum FindOperator;
    const std::string& source = field.source;
    if (row.op == kIsEmpty) {
        return Made(field.type == FieldKind::kText ? source + " is null or " + source + " = ''"
                                                   : source + " is null");
    }
    const bool second = NeedsSecondValue(row.op);
    if (WithoutSurroundingBlanks(row.value).empty() ||
        (second && WithoutSurroundingBlanks(row.value2).empty())) {
        return Refused("Zel.HOST.FIND.noValue", {field.caption});
    }
    if (row.op == kContains) {
        return Made(Like(source, "%" + LikeLiteral(row.value, kLikeEscape) + "%"));
    }
    if (row.op == kBeginsWith) {
        return Made(Like(source, LikeLiteral(row.value, kLikeEscape) + "%"));
    }
    const auto low = Literal(field, row.value);
    const auto high = second ? Literal(field, row.value2) : low;
    if (!low || !high) {
        const std::string& wrong = low ? row.value2 : row.value;
        const char* key =
            field.type == FieldKind::kNumber ? "Zel.HOST.FIND.notNumber" : "Zel.HOST.FIND.notDate";
        return Refused(key, {field.caption, wrong});
    }
    if (row.op == kNotEqual) {
        // A field without a value differs from any value the user names.
        return Made(source + " <> " + *low + " or " + source + " is null");
    }
    if (row.op == kBetween) {
        const bool reversed = Reversed(field, *low, *high);
        return Made(source + " between " + (reversed ? *high : *low) + " and " +
                    (reversed ? *low : *high));
    }
    return Made(source + Symbol(row.op) + *low);
}

// Whether a line's comparison is an "or" of its own, which must be kept together when it is
// joined to other lines.
bool IsAlternative(const FindField& field, FindOperator op) {
    return op == FindOperator::kNotEqual ||
           (op == FindOperator::kIsEmpty && field.type == FieldKind::kText);
}

}  // namespace

FindCondition::FindCondition(std::vector<FindField> fields) : fields_(std::move(fields)) {}

const FindField* FindCondition::FieldNamed(const std::string& name) const {
    for (const auto& field : fields_) {
        if (field.name == name) {
            return &field;
        }
    }
    return nullptr;
}

FindCondition::Joining FindCondition::Join(const std::vector<FindRow>& rows,
                                           bool bracketEveryLine) const {
    Joining joining{Made({}), false};
    std::string& sql = joining.result.sql;
    for (const auto& row : rows) {
        const FindField* field = FieldNamed(row.field);
        if (field == nullptr) {
            continue;
        }
        auto comparison = Comparison(*field, row);
        if (!comparison.ok) {
            return {std::move(comparison), false};
        }
        if (!sql.empty()) {
            sql += row.orJoin ? " or " : " and ";
            joining.byOr = joining.byOr || row.orJoin;
        }
        const bool bracket = bracketEveryLine || IsAlternative(*field, row.op);
        sql += bracket ? "(" + comparison.sql + ")" : comparison.sql;
    }
    return joining;
}

FindCondition::Result FindCondition::Build(const std::vector<FindRow>& rows) const {
    auto joined = Join(rows, true).result;
    if (joined.ok) {
        joined.sql = "(" + (joined.sql.empty() ? std::string("1=1") : joined.sql) + ")";
    }
    return joined;
}

FindCondition::Result FindCondition::Joined(const std::vector<FindRow>& rows) const {
    auto [joined, byOr] = Join(rows, false);
    if (joined.ok && joined.sql.empty()) {
        joined.sql = "1=1";
    } else if (joined.ok && byOr) {
        joined.sql = "(" + joined.sql + ")";
    }
    return joined;
}

FindCondition::Result FindCondition::Checked(const FindField& field, const std::string& value) {
    if (WithoutSurroundingBlanks(value).empty()) {
        return Made({});
    }
    if (field.type == FieldKind::kNumber) {
        const auto number = CanonicalNumber(value);
        return number ? Made(*number) : Refused("Zel.HOST.FIND.notNumber", {field.caption, value});
    }
    if (field.type == FieldKind::kDate) {
        const auto date = HostDate::Parse(value);
        return date ? Made(date->ToIso())
                    : Refused("Zel.HOST.FIND.notDate", {field.caption, value});
    }
    return Made(value);
}

}  // namespace zel
