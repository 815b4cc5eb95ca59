#include "host/controls/print_data.h"

namespace zel {

std::optional<PrintData> PrintData::Parse(std::string_view) {
    return std::nullopt;
}

}  // namespace zel
