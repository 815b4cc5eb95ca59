#include "host/database/recordset_columns.h"

#include "host/database/declared_type.h"
#include "host/database/sql_statement.h"
#include "host/objects/host_text.h"

namespace zel {

RecordsetColumns::RecordsetColumns(const SqlStatement& statement) {
    const int count = statement.ColumnCount();
    names_.reserve(static_cast<std::size_t>(count));
    sizes_.reserve(static_cast<std::size_t>(count));
    sources_.reserve(static_cast<std::size_t>(count));
    for (int column = 0; column < count; ++column) {
        names_.push_back(statement.ColumnName(column));
        sizes_.push_back(DeclaredType::Parse(statement.DeclaredType(column)).TextSize());
        sources_.push_back(statement.OriginName(column));
    }
}

int RecordsetColumns::ExactIndex(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (AsciiEqualIgnoringCase(names_[i], name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int RecordsetColumns::Index(std::string_view name) const {
    const int exact = ExactIndex(name);
    const auto dot = name.rfind('.');
    if (exact >= 0 || dot == std::string_view::npos) {
        return exact;
    }
    return ExactIndex(name.substr(dot + 1));
}

}  // namespace zel
