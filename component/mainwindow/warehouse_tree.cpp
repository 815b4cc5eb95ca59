#include "mainwindow/warehouse_tree.h"

#include "core/blank_trim.h"
#include "core/const.h"
#include "core/database_failure.h"
#include "mainwindow/grid_query.h"

namespace korvel {
// Appended rather than concatenated: GCC 12 at -O3 warns (-Wrestrict) inside the inlined
// concatenation of temporaries.
std::string WarehouseNodeKey(std::string_view code) {
    std::string key(kRootNodeKey);
    key += code;
    return key;
}

std::string WarehouseNodeText(std::string_view code, std::string_view name) {
    std::string text = "(";
    text.append(code).append(") ").append(name);
    return text;
}

std::string WarehouseCodeOfKey(std::string_view key) {
    return key.empty() ? std::string() : std::string(TrimmedBlanks(key.substr(1)));
}

std::string WarehouseNameOfText(std::string_view text, std::string_view code) {
    const std::size_t prefix = code.size() + 2;
    return prefix >= text.size() ? std::string() : std::string(TrimmedBlanks(text.substr(prefix)));
}

zel::YsTreeNode* BuildWarehouseTree(zel::YsTreeView& tree, const LoginContext& login,
                                    const std::string& rootText) {
    const std::string rootKey(kRootNodeKey);
    const auto rootAlone = [&] {
        tree.Nodes().Clear();
        tree.Nodes().Add({}, zel::YsTreeNodes::kLast, rootKey, rootText);
    };
    rootAlone();
    const auto warehouses = OpenOrTell(login, WarehouseListQuery(login.sAuthWh));
    if (!warehouses) {
        return nullptr;
    }
    zel::YsTreeNode* last = nullptr;
    for (; !warehouses->Eof(); warehouses->MoveNext()) {
        const std::string code(TrimmedBlanks(NullToStr(warehouses->Fields("cWhCode"))));
        auto* node =
            tree.Nodes().Add(rootKey, zel::YsTreeNodes::kChild, WarehouseNodeKey(code),
                             WarehouseNodeText(code, NullToStr(warehouses->Fields("CWhName"))));
        if (node) {
            last = node;
        }
    }
    if (ReadWholeOrTell(login, *warehouses)) {
        return last;
    }
    // A list cut short is no list of the warehouses: it keeps the root alone.
    rootAlone();
    return nullptr;
}

}  // namespace korvel
