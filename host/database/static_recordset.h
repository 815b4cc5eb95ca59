#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/database/recordset_columns.h"
#include "host/database/recordset_filter.h"
#include "interfaces/recordset.h"

namespace zel {

class SqlStatement;

// A query result held in memory. Cells live in one byte arena, each found by its end offset,
// with a 2-bit type per cell (null, integer, real, text): an integer takes only the bytes its
// value needs, a real 8, a text its own bytes. A grid of 100,000 rows thus takes little more
// than its texts, where a string or variant per cell would take several times as much.
class StaticRecordset final : public IRecordset {
public:
    // Reads every row of a statement; nullptr with error when a step fails.
    static std::shared_ptr<StaticRecordset> Read(SqlStatement& statement, std::string& error);

    bool Bof() const override;
    bool Eof() const override;
    void MoveFirst() override;
    void MoveNext() override;
    long RecordCount() const override;
    bool IsOpen() const override { return open_; }
    void Close() override;

    int FieldCount() const override { return columns_.Count(); }
    std::string FieldName(int index) const override;
    int FieldIndex(std::string_view name) const override { return columns_.Index(name); }
    int FieldDefinedSize(int index) const override;

    std::optional<Variant> Fields(int index) const override;
    std::optional<Variant> Fields(std::string_view name) const override;

    // An empty condition removes the filter.
    bool SetFilter(std::string_view condition) override;

    // Bytes held for the rows, and the bytes of the cells written as texts.
    std::size_t MemoryBytes() const;
    std::size_t TextBytes() const;

private:
    enum class CellType : std::uint8_t { Null = 0, Integer = 1, Real = 2, Text = 3 };

    explicit StaticRecordset(RecordsetColumns columns) : columns_(std::move(columns)) {}
    bool AppendRow(const SqlStatement& statement);
    void AppendCell(CellType type, const char* bytes, std::size_t size);
    CellType TypeOf(std::size_t cell) const;
    Variant Cell(std::size_t row, int column) const;
    std::size_t RowAt(std::size_t position) const;
    std::size_t VisibleCount() const;

    RecordsetColumns columns_;
    std::string arena_;
    std::vector<std::uint32_t> ends_;  // arena offset just past each cell
    std::vector<std::uint8_t> types_;  // four cells a byte
    std::size_t rowCount_ = 0;
    std::optional<std::vector<std::uint32_t>> visible_;  // rows passing the filter
    std::size_t position_ = 0;                           // index among the visible rows
    bool open_ = true;
};

}  // namespace zel
