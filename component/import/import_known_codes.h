#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/component_context.h"

namespace korvel {

// A warehouse, item or person the user may read, as the database spells its code.
struct KnownCode {
    std::string code;
    // Within the user's write right.
    bool writable = false;
    // Items only: not ended on the business date.
    bool inUse = true;
};

// Every warehouse, item and person within the user's read rights, read once in bulk (a query per
// table, its rows streamed) so that the rows of a file are judged without a query each.
class ImportKnownCodes {
public:
    // False with failure set when a table could not be read.
    bool Read(const ComponentContext& context, std::string& failure);

    // nullptr when the code is unknown or outside the read right.
    const KnownCode* Warehouse(std::string_view code) const;
    const KnownCode* Inventory(std::string_view code) const;
    const KnownCode* Person(std::string_view code) const;
    // The person of that code, else the only person of that name; nullptr otherwise.
    const KnownCode* PersonByCodeOrName(std::string_view text) const;

private:
    using Codes = std::unordered_map<std::string, KnownCode>;

    static const KnownCode* Find(const Codes& codes, std::string_view code);

    Codes warehouses_;
    Codes inventories_;
    Codes persons_;
    // Person name key → code key; "" where two persons share the name.
    std::unordered_map<std::string, std::string> personNames_;
};

}  // namespace korvel
