#include "host/refer/reference_columns.h"

#include <algorithm>

#include "host/refer/ascii_text.h"

namespace zel {
namespace {

bool IsInternalId(std::string_view fieldName) {
    return AsciiEqualIgnoringCase(fieldName, "iId");
}

void AddOnce(std::vector<int>& shown, int column) {
    if (column >= 0 && std::find(shown.begin(), shown.end(), column) == shown.end()) {
        shown.push_back(column);
    }
}

}  // namespace

std::vector<int> ShownColumns(const IRecordset& items, const ReferenceKind& kind) {
    std::vector<int> shown;
    if (!kind.codeField.empty()) {
        AddOnce(shown, items.FieldIndex(kind.codeField));
        AddOnce(shown, items.FieldIndex(kind.nameField));
    }
    for (int column = 0; column < items.FieldCount(); ++column) {
        if (static_cast<int>(shown.size()) == kMaxShownColumns) {
            break;
        }
        if (!IsInternalId(items.FieldName(column))) {
            AddOnce(shown, column);
        }
    }
    return shown;
}

}  // namespace zel
