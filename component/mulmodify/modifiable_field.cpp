#include "mulmodify/modifiable_field.h"

#include <cctype>

#include "core/blank_trim.h"
#include "core/text_case.h"

namespace korvel {
namespace {

constexpr std::string_view kTablePrefix = "whinvcontrapose.";

bool AllDigits(std::string_view text) {
    for (const char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c)) == 0) {
            return false;
        }
    }
    return true;
}

std::string_view WithoutSign(std::string_view text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        text.remove_prefix(1);
    }
    return text;
}

}  // namespace

std::optional<ModifiableField> FindModifiableField(std::string_view name) {
    std::string bare = AsciiLower(name);
    if (bare.compare(0, kTablePrefix.size(), kTablePrefix) == 0) {
        bare.erase(0, kTablePrefix.size());
    }
    for (const CorrespondenceField* field : FieldsInDefinitionOrder()) {
        if (AsciiLower(field->definition.element) == bare) {
            return ModifiableField{std::string(field->definition.element), *field->modify};
        }
    }
    return std::nullopt;
}

bool IsDecimalNumber(std::string_view text) {
    const std::string_view magnitude = WithoutSign(TrimmedBlanks(text));
    const auto point = magnitude.find('.');
    const std::string_view whole = magnitude.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : magnitude.substr(point + 1);
    return (!whole.empty() || !fraction.empty()) && AllDigits(whole) && AllDigits(fraction);
}

bool IsWholeNumber(std::string_view text) {
    const std::string_view digits = WithoutSign(TrimmedBlanks(text));
    return !digits.empty() && AllDigits(digits);
}

}  // namespace korvel
