#include "host/refer/reference_columns.h"

#include <algorithm>
#include <array>
#include <utility>

#include "host/refer/ascii_text.h"

namespace zel {
namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 7> kCaptions = {{
    {"cWhCode", "仓库编码"},
    {"cWhName", "仓库名称"},
    {"cInvCode", "存货编码"},
    {"cInvName", "存货名称"},
    {"cInvStd", "规格型号"},
    {"cPersonCode", "人员编码"},
    {"cPersonName", "人员名称"},
}};

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

std::string ColumnCaption(std::string_view fieldName) {
    for (const auto& [field, caption] : kCaptions) {
        if (AsciiEqualIgnoringCase(field, fieldName)) {
            return std::string(caption);
        }
    }
    return std::string(fieldName);
}

}  // namespace zel
