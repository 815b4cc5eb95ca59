#pragma once

#include <optional>

#include "interfaces/variant.h"

namespace zel::demo {

// An empty setting is stored as NULL.
template <typename T>
Variant OptionalValue(const std::optional<T>& value) {
    return value ? Variant(*value) : Variant();
}

}  // namespace zel::demo
