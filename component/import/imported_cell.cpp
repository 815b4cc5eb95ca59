#include "import/imported_cell.h"

#include "core/blank_trim.h"
#include "core/check_cycle.h"
#include "host/objects/host_date.h"
#include "import/exact_number.h"
#include "mulmodify/modifiable_field.h"

namespace korvel {
namespace {

ImportedCell Value(std::string value, const KnownCode* person = nullptr) {
    return {std::move(value), nullptr, person};
}

ImportedCell Refused(const char* key) {
    ImportedCell refused;
    refused.refusal = key;
    return refused;
}

ImportedCell ReadNumber(const CorrespondenceField& field, std::string_view text) {
    auto number = ExactNumber(text);
    if (!number) {
        return Refused("Zel.AA.WHINVCONTRAPOSE.IMPORT.not_a_number");
    }
    if (field.kind == FieldKind::kWhole && !IsWholeNumber(*number)) {
        return Refused("Zel.AA.WHINVCONTRAPOSE.IMPORT.not_whole");
    }
    return Value(std::move(*number));
}

ImportedCell ReadUnit(std::string_view text, const FieldCatalogue& catalogue) {
    CycleUnit unit = CycleUnitOfText(catalogue, text);
    if (unit == kUnitNone) {
        unit = CycleUnitOfCode(text);
    }
    if (unit == kUnitNone) {
        return Refused("Zel.AA.WHINVCONTRAPOSE.IMPORT.unknown_unit");
    }
    return Value(std::string(CycleUnitCode(unit)));
}

ImportedCell ReadDate(std::string_view text) {
    const auto date = zel::HostDate::ParseDayOf(text);
    if (!date) {
        return Refused("Zel.AA.WHINVCONTRAPOSE.IMPORT.not_a_date");
    }
    return Value(date->ToIso());
}

ImportedCell ReadPerson(std::string_view text, const ImportKnownCodes& known) {
    const KnownCode* person = known.PersonByCodeOrName(text);
    if (!person) {
        return Refused("Zel.AA.WHINVCONTRAPOSE.IMPORT.unknown_person");
    }
    return Value(person->code, person);
}

}  // namespace

std::string CellForMessage(std::string_view cell) {
    constexpr std::size_t kMostBytes = 60;
    if (cell.size() <= kMostBytes) {
        return std::string(cell);
    }
    std::size_t end = kMostBytes;
    while (end > 0 && (static_cast<unsigned char>(cell[end]) & 0xC0) == 0x80) {
        --end;
    }
    return std::string(cell.substr(0, end)) + "…";
}

ImportedCell ReadImportedCell(const CorrespondenceField& field, std::string_view cell,
                              const FieldCatalogue& catalogue, const ImportKnownCodes& known) {
    const std::string_view text = TrimmedBlanks(cell);
    if (text.empty()) {
        return {};
    }
    switch (field.kind) {
        case FieldKind::kQuantity:
        case FieldKind::kNumber:
        case FieldKind::kWhole:
            return ReadNumber(field, text);
        case FieldKind::kUnit:
            return ReadUnit(text, catalogue);
        case FieldKind::kDate:
            return ReadDate(text);
        case FieldKind::kCode:
            return ReadPerson(text, known);
        case FieldKind::kText:
            break;
    }
    return Value(std::string(text));
}

}  // namespace korvel
