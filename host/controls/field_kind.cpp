#include "host/controls/field_kind.h"

#include "host/objects/host_text.h"

namespace zel {

FieldKind KindOfField(std::string_view name) {
    switch (name.empty() ? '\0' : AsciiLower(name.front())) {
        case 'i':
            return FieldKind::kNumber;
        case 'd':
            return FieldKind::kDate;
        default:
            return FieldKind::kText;
    }
}

}  // namespace zel
