#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "interfaces/recordset.h"

namespace zel {

// Rows held in memory under named columns: the rows a user picked, copied out of their query
// so that they outlive it, or a table built row by row such as a failure report.
class HeldRowsRecordset final : public IRecordset {
public:
    struct Column {
        std::string name;
        int definedSize = 0;
        std::string source;
        // What a window shows over the column.
        std::string caption;
    };

    explicit HeldRowsRecordset(std::vector<Column> columns,
                               std::vector<std::vector<Variant>> rows = {});

    // One value per column: missing ones are Null, extra ones dropped.
    void Append(std::vector<Variant> row);
    const std::vector<Column>& Columns() const { return columns_; }
    // Each column's caption, or its name when it has none.
    std::vector<std::string> Captions() const;
    std::size_t RowCount() const { return rows_.size(); }
    const Variant& Value(std::size_t row, std::size_t column) const { return rows_[row][column]; }

    bool Bof() const override { return !open_ || rows_.empty(); }
    bool Eof() const override { return !open_ || position_ >= rows_.size(); }
    void MoveFirst() override { position_ = 0; }
    void MoveNext() override;
    long RecordCount() const override;
    bool IsOpen() const override { return open_; }
    void Close() override;

    int FieldCount() const override { return static_cast<int>(columns_.size()); }
    std::string FieldName(int index) const override;
    int FieldIndex(std::string_view name) const override;
    int FieldDefinedSize(int index) const override;
    std::string FieldSource(int index) const override;

    std::optional<Variant> Fields(int index) const override;
    std::optional<Variant> Fields(std::string_view name) const override;

    // The rows are final: an empty condition is accepted, any other refused.
    bool SetFilter(std::string_view condition) override;

private:
    bool HasColumn(int index) const { return index >= 0 && index < FieldCount(); }

    std::vector<Column> columns_;
    std::vector<std::vector<Variant>> rows_;
    std::size_t position_ = 0;
    bool open_ = true;
};

}  // namespace zel
