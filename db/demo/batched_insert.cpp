#include "db/demo/batched_insert.h"

#include <algorithm>

namespace zel::demo {

BatchedInsert::BatchedInsert(SqlBackend& backend, std::string head, std::string row,
                             int rowsPerStatement)
    : backend_(backend),
      head_(std::move(head)),
      row_(std::move(row)),
      rowsPerStatement_(static_cast<std::size_t>(std::max(rowsPerStatement, 1))) {}

std::string BatchedInsert::Statement(std::size_t rows) const {
    std::string sql = head_ + " values ";
    sql.reserve(sql.size() + rows * (row_.size() + 2));
    for (std::size_t i = 0; i < rows; ++i) {
        if (i > 0) {
            sql += ", ";
        }
        sql += row_;
    }
    return sql;
}

bool BatchedInsert::Add(std::vector<Variant> values) {
    held_.insert(held_.end(), std::make_move_iterator(values.begin()),
                 std::make_move_iterator(values.end()));
    if (++heldRows_ < rowsPerStatement_) {
        return true;
    }
    // Every full statement has the same text, prepared once and run again.
    if (!full_) {
        full_ = backend_.Prepare(Statement(rowsPerStatement_));
    }
    const bool ran = full_ && full_->Run(held_);
    held_.clear();
    heldRows_ = 0;
    return ran;
}

bool BatchedInsert::Flush() {
    if (heldRows_ == 0) {
        return true;
    }
    const auto rest = backend_.Prepare(Statement(heldRows_));
    const bool ran = rest && rest->Run(held_);
    held_.clear();
    heldRows_ = 0;
    return ran;
}

}  // namespace zel::demo
