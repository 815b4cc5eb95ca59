#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zel {

// An object kind the multi-record modify looks up by code ("Inventory", "warehouse", "person",
// in any case): its table, its code and name columns and the queries over the objects an
// authorisation condition allows.
struct ReferenceObject {
    const char* table;
    const char* codeField;
    const char* nameField;
    const char* pickerColumns;  // what the picker lists, code and name first
    const char* classQuery;     // the classes the picker narrows its items by, or ""

    static std::optional<ReferenceObject> Of(std::string_view kind);

    std::string PickerQuery(const std::string& authCondition) const;
    // The code of the object whose code is value, if the condition allows it.
    std::string CodeQuery(const std::string& value, const std::string& authCondition) const;
};

}  // namespace zel
