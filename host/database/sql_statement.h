#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "interfaces/variant.h"

namespace zel {

enum class SqlValueType { Null, Integer, Real, Text };

enum class StepResult { Row, Done, Error };

// One value of the current row; a text is valid until the next Step.
struct SqlCell {
    SqlValueType type = SqlValueType::Null;
    std::int64_t integer = 0;
    double real = 0;
    std::string_view text;
};

// One prepared statement of a SqlBackend. Parameters are numbered from 1, columns from 0.
// A statement stays usable after its backend object is gone; the connection closes once the
// last statement is finalised.
class SqlStatement {
public:
    virtual ~SqlStatement() = default;

    virtual bool BindNull(int index) = 0;
    virtual bool BindInteger(int index, std::int64_t value) = 0;
    virtual bool BindReal(int index, double value) = 0;
    virtual bool BindText(int index, std::string_view value) = 0;
    bool Bind(int index, const Variant& value);

    // After Error, the backend's LastError tells why.
    virtual StepResult Step() = 0;
    // Ready to run again from the start, with no values bound.
    virtual void Reset() = 0;
    // A statement run many times, such as an insert per row: binds values from 1, runs to the
    // end and resets; false when a value or the run fails.
    bool Run(const std::vector<Variant>& values);
    // Before the first step: the caller reads the rows as they come and shows the first ones at
    // once, so an engine that plans for the whole result (a sort of every row before the first is
    // sent) plans for the first rows instead.
    virtual void PlanForFirstRows() {}

    // The result's columns, known before the first step too; a server's statement learns them
    // with its first answer, and asked before it, costs round trips of their own.
    virtual int ColumnCount() const = 0;
    virtual std::string ColumnName(int column) const = 0;
    // The type text the table declares for a result column ("varchar(20)"); empty for
    // expressions.
    virtual std::string DeclaredType(int column) const = 0;
    // "Table.column" of a result column read straight from a table; empty for expressions.
    virtual std::string OriginName(int column) const = 0;

    // Values of the current row.
    virtual SqlValueType ColumnType(int column) const = 0;
    virtual std::int64_t ColumnInteger(int column) const = 0;
    virtual double ColumnReal(int column) const = 0;
    // Valid until the next Step.
    virtual std::string_view ColumnText(int column) const = 0;
    // The type and the value at once, for a reader that takes every cell of every row.
    virtual SqlCell Column(int column) const;
    Variant ColumnValue(int column) const;
};

inline bool SqlStatement::Bind(int index, const Variant& value) {
    if (value.IsInteger()) {
        return BindInteger(index, std::stoll(value.ToString()));
    }
    if (value.IsReal()) {
        return BindReal(index, *value.ToDouble());
    }
    if (value.IsText()) {
        return BindText(index, value.ToString());
    }
    return BindNull(index);
}

inline bool SqlStatement::Run(const std::vector<Variant>& values) {
    bool done = true;
    for (std::size_t i = 0; done && i < values.size(); ++i) {
        done = Bind(static_cast<int>(i) + 1, values[i]);
    }
    done = done && Step() == StepResult::Done;
    Reset();
    return done;
}

inline SqlCell SqlStatement::Column(int column) const {
    switch (ColumnType(column)) {
        case SqlValueType::Integer:
            return {SqlValueType::Integer, ColumnInteger(column), 0, {}};
        case SqlValueType::Real:
            return {SqlValueType::Real, 0, ColumnReal(column), {}};
        case SqlValueType::Text:
            return {SqlValueType::Text, 0, 0, ColumnText(column)};
        case SqlValueType::Null:
            break;
    }
    return {};
}

inline Variant SqlStatement::ColumnValue(int column) const {
    switch (ColumnType(column)) {
        case SqlValueType::Integer:
            return Variant(ColumnInteger(column));
        case SqlValueType::Real:
            return Variant(ColumnReal(column));
        case SqlValueType::Text:
            return Variant(std::string(ColumnText(column)));
        case SqlValueType::Null:
            break;
    }
    return {};
}

}  // namespace zel
