#include "host/database/sqlite/sqlite_statement.h"

#include <sqlite3.h>

#include "host/database/sqlite/statement_cache.h"

namespace zel {

SqliteStatement::~SqliteStatement() {
    if (const auto cache = cache_.lock()) {
        cache->Give(std::move(sql_), statement_);
    } else {
        sqlite3_finalize(statement_);
    }
}

bool SqliteStatement::BindNull(int index) {
    return sqlite3_bind_null(statement_, index) == SQLITE_OK;
}

bool SqliteStatement::BindInteger(int index, std::int64_t value) {
    return sqlite3_bind_int64(statement_, index, value) == SQLITE_OK;
}

bool SqliteStatement::BindReal(int index, double value) {
    return sqlite3_bind_double(statement_, index, value) == SQLITE_OK;
}

bool SqliteStatement::BindText(int index, std::string_view value) {
    return sqlite3_bind_text64(statement_, index, value.data(), value.size(), SQLITE_TRANSIENT,
                               SQLITE_UTF8) == SQLITE_OK;
}

StepResult SqliteStatement::Step() {
    switch (sqlite3_step(statement_)) {
        case SQLITE_ROW:
            return StepResult::Row;
        case SQLITE_DONE:
            return StepResult::Done;
        default:
            return StepResult::Error;
    }
}

void SqliteStatement::Reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

int SqliteStatement::ColumnCount() const {
    return sqlite3_column_count(statement_);
}

std::string SqliteStatement::ColumnName(int column) const {
    const char* name = sqlite3_column_name(statement_, column);
    return name != nullptr ? name : "";
}

std::string SqliteStatement::DeclaredType(int column) const {
    const char* type = sqlite3_column_decltype(statement_, column);
    return type != nullptr ? type : "";
}

std::string SqliteStatement::OriginName(int column) const {
    const char* table = sqlite3_column_table_name(statement_, column);
    const char* name = sqlite3_column_origin_name(statement_, column);
    return table != nullptr && name != nullptr ? std::string(table) + "." + name : "";
}

SqlValueType SqliteStatement::ColumnType(int column) const {
    switch (sqlite3_column_type(statement_, column)) {
        case SQLITE_INTEGER:
            return SqlValueType::Integer;
        case SQLITE_FLOAT:
            return SqlValueType::Real;
        case SQLITE_NULL:
            return SqlValueType::Null;
        default:
            // Blobs are read as their bytes.
            return SqlValueType::Text;
    }
}

std::int64_t SqliteStatement::ColumnInteger(int column) const {
    return sqlite3_column_int64(statement_, column);
}

double SqliteStatement::ColumnReal(int column) const {
    return sqlite3_column_double(statement_, column);
}

std::string_view SqliteStatement::ColumnText(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    if (text == nullptr) {
        return {};
    }
    return {text, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column))};
}

// One look-up of the engine's value instead of one per question: the value stays the engine's own
// until the next step, and the connection serves one thread, so nothing can change it meanwhile.
SqlCell SqliteStatement::Column(int column) const {
    sqlite3_value* value = sqlite3_column_value(statement_, column);
    switch (sqlite3_value_type(value)) {
        case SQLITE_INTEGER:
            return {SqlValueType::Integer, sqlite3_value_int64(value), 0, {}};
        case SQLITE_FLOAT:
            return {SqlValueType::Real, 0, sqlite3_value_double(value), {}};
        case SQLITE_NULL:
            return {};
        default: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
            const auto size = static_cast<std::size_t>(sqlite3_value_bytes(value));
            return {SqlValueType::Text, 0, 0,
                    text != nullptr ? std::string_view(text, size) : std::string_view()};
        }
    }
}

}  // namespace zel
