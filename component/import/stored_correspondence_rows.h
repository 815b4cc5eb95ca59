#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/login_context.h"

namespace korvel {

// The correspondence rows of the warehouses a file names, as stored, holding only what an
// import writes. A warehouse's rows are read in one streamed query the first time a row of the
// file names it.
class StoredCorrespondenceRows {
public:
    // The imported fields of a stored row in the order of ImportedFields(), as stored: numbers
    // written out exactly (see ExactNumber), "" for Null.
    using Values = std::vector<std::string>;

    explicit StoredCorrespondenceRows(const LoginContext& login) : login_(login) {}

    // Reads the warehouse's rows unless they are read; false with failure set when they could
    // not be.
    bool ReadWarehouse(const std::string& warehouseCode, std::string& failure);
    // nullptr when the warehouse holds no row for the item (or was not read).
    const Values* Find(std::string_view warehouseCode, std::string_view inventoryCode) const;

private:
    using Rows = std::unordered_map<std::string, Values>;

    const LoginContext& login_;
    std::unordered_map<std::string, Rows> warehouses_;
};

}  // namespace korvel
