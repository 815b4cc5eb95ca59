#include "host/refer/ascii_text.h"

namespace zel {

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

}  // namespace zel
