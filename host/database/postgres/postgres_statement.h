#pragma once

#include <libpq-fe.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/database/column_catalogue.h"
#include "host/database/postgres/pq_result.h"
#include "host/database/sql_statement.h"

namespace zel {

class PostgresConnection;

// One statement on a PostgreSQL connection. It is sent on its first step, with its values
// bound as parameters, in one round trip; its rows then arrive one by one as the server streams
// them, so that the first ones can be read while the rest are still coming.
class PostgresStatement final : public SqlStatement {
public:
    // sql numbers its parameters $1 … $parameters.
    PostgresStatement(std::shared_ptr<PostgresConnection> connection, std::string sql,
                      int parameters);
    PostgresStatement(const PostgresStatement&) = delete;
    PostgresStatement& operator=(const PostgresStatement&) = delete;
    ~PostgresStatement() override;

    bool BindNull(int index) override;
    bool BindInteger(int index, std::int64_t value) override;
    bool BindReal(int index, double value) override;
    bool BindText(int index, std::string_view value) override;

    StepResult Step() override;
    void Reset() override;

    int ColumnCount() const override;
    std::string ColumnName(int column) const override;
    std::string DeclaredType(int column) const override;
    std::string OriginName(int column) const override;

    SqlValueType ColumnType(int column) const override;
    std::int64_t ColumnInteger(int column) const override;
    double ColumnReal(int column) const override;
    std::string_view ColumnText(int column) const override;
    SqlCell Column(int column) const override;
    // A program that reads every list to its end has them planned for all their rows, whatever
    // the caller asks.
    void PlanForFirstRows() override;

    // Reads every row still to come into memory, freeing the connection for another statement.
    void TakeRest();

private:
    enum class Kind { Integer, Numeric, Real, Text };

    bool Send();
    bool SendThroughCursor(const std::vector<const char*>& values);
    // Once the rows through the cursor ended: closes it, or ends the transaction opened for it.
    void EndCursor();
    void StopStreaming();
    bool SendFetch(int rows);
    PqResult Pull();
    PqResult NextResult();
    StepResult Finish(PqResult last);
    void Discard();
    // The result columns, known once the first result arrived or the server described them.
    const PGresult* Shape() const;
    void Describe() const;
    void KeepShape(const PGresult* result) const;
    const ColumnCatalogue::Column* OriginOf(const PGresult* shape, int column) const;

    std::shared_ptr<PostgresConnection> connection_;
    std::string sql_;
    std::vector<std::optional<std::string>> values_;
    bool firstRows_ = false;       // planned for the first rows: read through a cursor
    bool cursorOpen_ = false;      // declared, and neither closed nor ended with its transaction
    bool ownTransaction_ = false;  // the cursor's transaction was opened for it
    int fetching_ = 0;             // rows the fetch under way asked for
    int fetched_ = 0;              // rows of the fetch under way read so far
    bool stopFetching_ = false;    // dropped: no fetch after the one under way
    bool sent_ = false;
    bool streaming_ = false;              // results still to come from the connection
    StepResult end_ = StepResult::Error;  // how the statement ended, once its last result came
    std::deque<PqResult> taken_;
    PqResult row_;
    mutable PqResult shape_;
    mutable std::vector<Kind> kinds_;
};

}  // namespace zel
