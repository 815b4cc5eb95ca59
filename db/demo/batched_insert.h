#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/database/sql_backend.h"
#include "interfaces/variant.h"

namespace zel::demo {

// Inserts rows into one table, several of them per statement: on a server every statement costs
// a round trip and a run of the table's statement triggers, which a row at a time pays for each
// row. Rows are held until a statement is full or Flush() is called; a failure is told by the
// call that sent the statement, the reason in the backend's LastError().
class BatchedInsert {
public:
    // head: "insert into T (a, b)"; row: the values of one row, "(?, ?)".
    BatchedInsert(SqlBackend& backend, std::string head, std::string row, int rowsPerStatement);

    bool Add(std::vector<Variant> values);
    // Sends the rows held, if any.
    bool Flush();

private:
    std::string Statement(std::size_t rows) const;

    SqlBackend& backend_;
    std::string head_;
    std::string row_;
    std::size_t rowsPerStatement_;
    std::unique_ptr<SqlStatement> full_;
    std::vector<Variant> held_;
    std::size_t heldRows_ = 0;
};

}  // namespace zel::demo
