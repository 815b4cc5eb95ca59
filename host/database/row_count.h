#pragma once

#include <optional>

namespace zel {

// The number of rows of a query, counted elsewhere while the caller reads them.
class RowCount {
public:
    virtual ~RowCount() = default;
    // Without waiting: nullopt while counting, and for good when the count failed.
    virtual std::optional<long> Result() const = 0;
};

}  // namespace zel
