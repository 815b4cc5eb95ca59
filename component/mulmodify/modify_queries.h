#pragma once

#include <string>

#include "core/login_context.h"

namespace korvel {

// The SQL of the multi-record modify window. The condition is the user's, already wrapped in
// parentheses and narrowed; every value comes in as a complete literal or NULL.
struct ModifyQueries {
    // " from whinvcontrapose Left join Warehouse ... where " + condition + the read rights: the
    // joins make the warehouse and inventory columns, and the rights that name them, usable.
    static std::string MatchingTail(const std::string& condition, const LoginContext& login);
    // The warehouse and inventory codes of the rows a request would change.
    static std::string MatchingQuery(const std::string& condition, const LoginContext& login);
    // One statement over every matching row; field as delivered (bare or qualified).
    static std::string SetUpdate(const std::string& field, const std::string& newValue,
                                 const std::string& matchingTail);
    // The change of one row, named by its pair: the pair is unique, so it changes one row or none.
    static std::string RowUpdate(const std::string& field, const std::string& newValue,
                                 const std::string& warehouse, const std::string& inventory);
    static std::string PairCount(const std::string& warehouse, const std::string& inventory);
};

}  // namespace korvel
