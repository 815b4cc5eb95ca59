#pragma once

#include "interfaces/recordset.h"

namespace korvel {

// A result of no rows and no fields, for a host call that needs one when a query gave none.
class EmptyRecordset final : public zel::IRecordset {
public:
    bool Bof() const override { return true; }
    bool Eof() const override { return true; }
    void MoveFirst() override {}
    void MoveNext() override {}
    long RecordCount() const override { return 0; }
    bool IsOpen() const override { return open_; }
    void Close() override { open_ = false; }
    int FieldCount() const override { return 0; }
    std::string FieldName(int) const override { return {}; }
    int FieldIndex(std::string_view) const override { return -1; }
    int FieldDefinedSize(int) const override { return 0; }
    std::string FieldSource(int) const override { return {}; }
    std::optional<zel::Variant> Fields(int) const override { return std::nullopt; }
    std::optional<zel::Variant> Fields(std::string_view) const override { return std::nullopt; }
    bool SetFilter(std::string_view) override { return true; }

private:
    bool open_ = true;
};

}  // namespace korvel
