#include "host/refer/held_rows_recordset.h"

#include "host/refer/ascii_text.h"

namespace zel {

HeldRowsRecordset::HeldRowsRecordset(std::vector<Column> columns,
                                     std::vector<std::vector<Variant>> rows)
    : columns_(std::move(columns)), rows_(std::move(rows)) {}

std::shared_ptr<HeldRowsRecordset> HeldRowsRecordset::Copy(const RecordsetCursor& source,
                                                           const std::vector<int>& rows) {
    const IRecordset& items = source.Recordset();
    std::vector<Column> columns;
    for (int column = 0; column < items.FieldCount(); ++column) {
        columns.push_back(
            {items.FieldName(column), items.FieldDefinedSize(column), items.FieldSource(column)});
    }
    std::vector<std::vector<Variant>> values;
    for (const int row : rows) {
        std::vector<Variant>& copied = values.emplace_back();
        for (int column = 0; column < items.FieldCount(); ++column) {
            copied.push_back(source.Value(row, column));
        }
    }
    return std::make_shared<HeldRowsRecordset>(std::move(columns), std::move(values));
}

void HeldRowsRecordset::MoveNext() {
    if (!Eof()) {
        ++position_;
    }
}

long HeldRowsRecordset::RecordCount() const {
    return open_ ? static_cast<long>(rows_.size()) : 0;
}

void HeldRowsRecordset::Close() {
    open_ = false;
    rows_.clear();
    position_ = 0;
}

std::string HeldRowsRecordset::FieldName(int index) const {
    return HasColumn(index) ? columns_[static_cast<std::size_t>(index)].name : std::string();
}

int HeldRowsRecordset::FieldIndex(std::string_view name) const {
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (AsciiEqualIgnoringCase(columns_[i].name, name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int HeldRowsRecordset::FieldDefinedSize(int index) const {
    return HasColumn(index) ? columns_[static_cast<std::size_t>(index)].definedSize : 0;
}

std::string HeldRowsRecordset::FieldSource(int index) const {
    return HasColumn(index) ? columns_[static_cast<std::size_t>(index)].source : "";
}

std::optional<Variant> HeldRowsRecordset::Fields(int index) const {
    if (Eof() || !HasColumn(index)) {
        return std::nullopt;
    }
    return rows_[position_][static_cast<std::size_t>(index)];
}

std::optional<Variant> HeldRowsRecordset::Fields(std::string_view name) const {
    return Fields(FieldIndex(name));
}

bool HeldRowsRecordset::SetFilter(std::string_view condition) {
    return open_ && IsBlank(condition);
}

}  // namespace zel
