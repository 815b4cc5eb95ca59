#pragma once

#include <string>
#include <string_view>

namespace zel {

// The fields, comma separated, a reference of that kind ("inventory", "warehouse", "person", in
// any case) is matched on; "" for any other kind.
std::string ReferenceFilterFields(std::string_view kind);

}  // namespace zel
