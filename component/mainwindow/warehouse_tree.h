#pragma once

#include <string>
#include <string_view>

#include "core/login_context.h"
#include "host/controls/ys_tree_view.h"

namespace korvel {

inline constexpr std::string_view kRootNodeKey = "r";

std::string WarehouseNodeKey(std::string_view code);
std::string WarehouseNodeText(std::string_view code, std::string_view name);
// The warehouse code of a node key: the key without its first character, trimmed; "" for the
// root, which means no warehouse.
std::string WarehouseCodeOfKey(std::string_view key);
// The warehouse name of a node text: the text after "(" code ") ", trimmed.
std::string WarehouseNameOfText(std::string_view text, std::string_view code);

// Fills the tree with the root and one node per warehouse the login may read, in code order.
// Returns the last warehouse node, or nullptr when there is none; the caller selects it. A query
// that failed, or whose rows stopped coming, is told to the user and also gives nullptr.
zel::YsTreeNode* BuildWarehouseTree(zel::YsTreeView& tree, const LoginContext& login,
                                    const std::string& rootText);

}  // namespace korvel
