#pragma once

#include <string>
#include <string_view>

#include "host/controls/ys_tree_view.h"
#include "interfaces/cls_common.h"

namespace korvel {

inline constexpr std::string_view kRootNodeKey = "r";

std::string WarehouseNodeKey(std::string_view code);
std::string WarehouseNodeText(std::string_view code, std::string_view name);
// The warehouse code of a node key: the key without its first character, trimmed; "" for the
// root, which means no warehouse.
std::string WarehouseCodeOfKey(std::string_view key);
// The warehouse name of a node text: the text after "(" code ") ", trimmed.
std::string WarehouseNameOfText(std::string_view text, std::string_view code);

// Fills the tree with the root and one node per warehouse the condition lets through, in code
// order. Returns the last warehouse node, or nullptr when there is none (a failed query counts
// as none); the caller selects it.
zel::YsTreeNode* BuildWarehouseTree(zel::YsTreeView& tree, zel::IClsCommon& db,
                                    std::string_view warehouseCondition,
                                    const std::string& rootText);

}  // namespace korvel
