#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/correspondence_fields.h"

namespace korvel {

// One of the fields the multi-record modify window may change: a field of sFldDefXml, with the
// kind the field table gives it.
struct ModifiableField {
    using Kind = ModifyKind;

    std::string column;  // the column as the field definition names it ("iTopSum")
    Kind kind;

    // The key fields change row by row: each row's new pair may collide with an existing one.
    bool IsKey() const { return kind == Kind::kWarehouseCode || kind == Kind::kInventoryCode; }
    bool IsNumeric() const {
        return kind == Kind::kLimit || kind == Kind::kNumber || kind == Kind::kCount;
    }
    bool IsCode() const { return IsKey() || kind == Kind::kPersonCode; }
};

// The field a name denotes, bare ("iTopSum") or qualified ("whinvcontrapose.iTopSum"), in any
// letter case; nothing for a name outside the field definition.
std::optional<ModifiableField> FindModifiableField(std::string_view name);

// Whether the text, blanks around it aside, is a decimal number ("12", "-1.5", ".5").
bool IsDecimalNumber(std::string_view text);
// Whether the text, blanks around it aside, is a whole number ("12", "-3").
bool IsWholeNumber(std::string_view text);

}  // namespace korvel
