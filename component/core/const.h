#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/component_context.h"
#include "core/field_catalogue.h"
#include "interfaces/variant.h"

namespace korvel {

// Rebuilds the field catalogue, sFldDefXml last. Needs pub and db bound and the quantity
// digits loaded.
void InitCatalogue(ComponentContext& context);

// For cFrequency (any case) the three unit texts joined by ";"; otherwise "".
std::string GetEnumVal(const FieldCatalogue& catalogue, std::string_view fieldName);

// "" for Null or a value that cannot be read, else the value as text.
std::string NullToStr(const std::optional<zel::Variant>& value);

}  // namespace korvel
