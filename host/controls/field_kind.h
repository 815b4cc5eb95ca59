#pragma once

#include <string_view>

namespace zel {

enum class FieldKind { kText, kNumber, kDate };

// The kind a field's name gives by the host's naming rule: "i…" a number, "d…" a date (held as
// yyyy-mm-dd), anything else a text.
FieldKind KindOfField(std::string_view name);

}  // namespace zel
