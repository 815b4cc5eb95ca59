#include "host/objects/held_rows_recordset.h"

#include "host/objects/host_text.h"

namespace zel {

HeldRowsRecordset::HeldRowsRecordset(std::vector<Column> columns,
                                     std::vector<std::vector<Variant>> rows)
    : columns_(std::move(columns)), rows_(std::move(rows)) {}

void HeldRowsRecordset::Append(std::vector<Variant> row) {
    row.resize(columns_.size());
    rows_.push_back(std::move(row));
}

std::vector<std::string> HeldRowsRecordset::Captions() const {
    std::vector<std::string> captions;
    for (const Column& column : columns_) {
        captions.push_back(column.caption.empty() ? column.name : column.caption);
    }
    return captions;
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
    return open_ && WithoutSurroundingBlanks(condition).empty();
}

}  // namespace zel
