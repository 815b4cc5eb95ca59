#include "setaside/put_back_row.h"

#include <charconv>
#include <cmath>

#include "core/blank_trim.h"
#include "host/objects/host_date.h"

namespace korvel {
namespace {

template <class Number>
bool ReadsAs(const std::string& text) {
    Number number{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if constexpr (std::is_floating_point_v<Number>) {
        return error == std::errc() && stop == end && std::isfinite(number);
    }
    return error == std::errc() && stop == end;
}

std::optional<std::string> UnitText(const std::string& code, const FieldCatalogue& catalogue) {
    for (std::size_t i = 0; i < catalogue.arrFreqValue.size() && i < catalogue.arrFreqText.size();
         ++i) {
        if (!code.empty() && catalogue.arrFreqValue[i] == code) {
            return catalogue.arrFreqText[i];
        }
    }
    return std::nullopt;
}

std::optional<std::string> Readable(const CorrespondenceField& field, const std::string& stored,
                                    const FieldCatalogue& catalogue) {
    const std::string text(TrimmedBlanks(stored));
    switch (field.kind) {
        case FieldKind::kCode:
        case FieldKind::kText:
            return text.empty() ? std::nullopt : std::optional(text);
        case FieldKind::kQuantity:
        case FieldKind::kNumber:
            return ReadsAs<double>(text) ? std::optional(text) : std::nullopt;
        case FieldKind::kWhole:
            return ReadsAs<long long>(text) ? std::optional(text) : std::nullopt;
        case FieldKind::kUnit:
            return UnitText(text, catalogue);
        case FieldKind::kDate: {
            const auto date = zel::HostDate::Parse(text);
            return date ? std::optional(date->ToIso()) : std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace

CorrespondenceRow RowToPutBack(const SetAsideRow& kept, const FieldCatalogue& catalogue) {
    CorrespondenceRow row;
    for (const CorrespondenceField& field : kCorrespondenceFields) {
        if (field.editor.value == EditorValue::kNone) {
            continue;
        }
        const auto stored = kept.ValueOf(field.column);
        if (const auto value = stored ? Readable(field, *stored, catalogue) : std::nullopt) {
            row.Set(field, *value);
        }
    }
    return row;
}

}  // namespace korvel
