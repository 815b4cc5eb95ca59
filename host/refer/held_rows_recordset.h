#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/refer/recordset_cursor.h"
#include "interfaces/recordset.h"

namespace zel {

// The few rows a user picked, copied out of the item query with every column, its name, its
// declared size and each value's type, so that they outlive the picker and its query.
class HeldRowsRecordset final : public IRecordset {
public:
    struct Column {
        std::string name;
        int definedSize = 0;
        std::string source;
    };

    HeldRowsRecordset(std::vector<Column> columns, std::vector<std::vector<Variant>> rows);
    static std::shared_ptr<HeldRowsRecordset> Copy(const RecordsetCursor& source,
                                                   const std::vector<int>& rows);

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

    // The picked rows are final: an empty condition is accepted, any other refused.
    bool SetFilter(std::string_view condition) override;

private:
    bool HasColumn(int index) const { return index >= 0 && index < FieldCount(); }

    std::vector<Column> columns_;
    std::vector<std::vector<Variant>> rows_;
    std::size_t position_ = 0;
    bool open_ = true;
};

}  // namespace zel
