#pragma once

#include <memory>
#include <string>
#include <vector>

#include "interfaces/recordset.h"

namespace zel {

// A table of texts built row by row in memory, such as the failure report of a multi-record
// modify: fields named once, a caption per field to show it under, rows appended as they come.
class TextTableRecordset final : public IRecordset {
public:
    // fields and captions: comma-separated lists; a missing caption is the field's name.
    static std::shared_ptr<TextTableRecordset> FromLists(const std::string& fields,
                                                         const std::string& captions);
    TextTableRecordset(std::vector<std::string> fields, std::vector<std::string> captions);

    // One text per field: missing ones are empty, extra ones dropped.
    void Append(const std::vector<std::string>& values);
    const std::vector<std::string>& Captions() const { return captions_; }
    std::size_t RowCount() const { return rows_.size(); }
    const std::string& Cell(std::size_t row, std::size_t column) const {
        return rows_[row][column];
    }

    bool Bof() const override { return !open_ || rows_.empty(); }
    bool Eof() const override { return !open_ || position_ >= rows_.size(); }
    void MoveFirst() override { position_ = 0; }
    void MoveNext() override;
    long RecordCount() const override;
    bool IsOpen() const override { return open_; }
    void Close() override;

    int FieldCount() const override { return static_cast<int>(fields_.size()); }
    std::string FieldName(int index) const override;
    int FieldIndex(std::string_view name) const override;
    int FieldDefinedSize(int) const override { return 0; }
    std::string FieldSource(int) const override { return {}; }

    std::optional<Variant> Fields(int index) const override;
    std::optional<Variant> Fields(std::string_view name) const override;

    // A report is read whole: only the empty condition (no filter) is accepted.
    bool SetFilter(std::string_view condition) override { return condition.empty(); }

private:
    bool HasField(int index) const { return index >= 0 && index < FieldCount(); }

    std::vector<std::string> fields_;
    std::vector<std::string> captions_;
    std::vector<std::vector<std::string>> rows_;
    std::size_t position_ = 0;
    bool open_ = true;
};

}  // namespace zel
