#pragma once

#include <functional>
#include <memory>

#include "host/database/recordset_columns.h"
#include "interfaces/recordset.h"

namespace zel {

class SqlStatement;

// A query result read from its live statement as the caller moves: rows are not held, the
// count is not known (-1) until the last row has been read, and it cannot go back; MoveFirst
// after the first row closes it. A step that fails closes it too (Eof, and IsOpen false), so
// that a reader can tell a broken read from the end of the rows.
class ForwardRecordset final : public IRecordset {
public:
    // Called once, when the result is closed or dropped, with the number of rows read; -1 when
    // a step failed, as the log tells a failed query.
    using Finished = std::function<void(long rowsRead)>;

    // Steps onto the first row; nullptr without a statement or when that step fails (the
    // backend tells why).
    static std::shared_ptr<ForwardRecordset> Open(std::unique_ptr<SqlStatement> statement,
                                                  Finished finished);
    ForwardRecordset(const ForwardRecordset&) = delete;
    ForwardRecordset& operator=(const ForwardRecordset&) = delete;
    ~ForwardRecordset() override;

    bool Bof() const override { return !open_ || rowsRead_ == 0; }
    bool Eof() const override { return !open_ || !onRow_; }
    void MoveFirst() override;
    void MoveNext() override;
    long RecordCount() const override { return -1; }
    long KnownRecordCount() const override { return ended_ ? rowsRead_ : -1; }
    bool IsOpen() const override { return open_; }
    void Close() override;

    int FieldCount() const override { return columns_.Count(); }
    std::string FieldName(int index) const override;
    int FieldIndex(std::string_view name) const override { return columns_.Index(name); }
    int FieldDefinedSize(int index) const override;
    std::string FieldSource(int index) const override;

    std::optional<Variant> Fields(int index) const override;
    std::optional<Variant> Fields(std::string_view name) const override;

    bool SetFilter(std::string_view) override { return false; }

private:
    ForwardRecordset(std::unique_ptr<SqlStatement> statement, Finished finished);

    std::unique_ptr<SqlStatement> statement_;
    RecordsetColumns columns_;
    Finished finished_;
    long rowsRead_ = 0;
    bool onRow_ = false;
    bool ended_ = false;
    bool open_ = true;
};

}  // namespace zel
