#include "batchadd/class_code_parent.h"

#include "core/blank_trim.h"

namespace korvel {

std::string ParentClassCode(std::string_view code, std::string_view codingRule) {
    std::string parent;
    size_t taken = 0;
    for (const char digit : codingRule) {
        parent = std::string(code.substr(0, std::min(taken, code.size())));
        if (digit < '0' || digit > '9') {
            break;
        }
        taken += static_cast<size_t>(digit - '0');
        if (taken >= code.size() || TrimmedBlanks(code.substr(taken)).empty()) {
            break;
        }
    }
    return parent;
}

}  // namespace korvel
