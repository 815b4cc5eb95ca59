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

// A query result held in memory. Rows are written one after another into blocks of bytes, each
// row as a 2-bit type per cell (null, integer, real, text), the end offset of each cell, and
// the cells: an integer takes only the bytes its value needs, a real 8, a text its own bytes. A
// grid of 100,000 rows thus takes little more than its texts, where a string or variant per
// cell would take several times as much; and a growing result never copies what it holds.
class StaticRecordset final : public IRecordset {
public:
    // Reads every row of a statement; nullptr when a step fails (the backend tells why).
    static std::shared_ptr<StaticRecordset> Read(SqlStatement& statement);

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
    std::string FieldSource(int index) const override;

    std::optional<Variant> Fields(int index) const override;
    std::optional<Variant> Fields(std::string_view name) const override;

    // An empty condition removes the filter.
    bool SetFilter(std::string_view condition) override;

    // Bytes held for the rows, and the bytes of the cells written as texts.
    std::size_t MemoryBytes() const;
    std::size_t TextBytes() const;

private:
    enum class CellType : std::uint8_t { Null = 0, Integer = 1, Real = 2, Text = 3 };
    struct PendingCell {
        CellType type;
        std::size_t size;
        char number[8];
        const char* bytes;
    };
    struct RowPlace {
        std::uint32_t block;
        std::uint32_t offset;
    };

    explicit StaticRecordset(RecordsetColumns columns);
    void AppendRow(const SqlStatement& statement);
    char* Allocate(std::size_t size);
    void TrimLastBlock();
    const char* RowBase(std::size_t row) const;
    Variant Cell(std::size_t row, int column) const;
    Variant CellOf(const char* row, std::size_t column) const;
    void Seek(std::size_t position);
    std::size_t RowAt(std::size_t position) const;
    std::size_t VisibleCount() const;

    RecordsetColumns columns_;
    std::size_t typeBytes_;    // per row: four cell types a byte
    std::size_t headerBytes_;  // per row: the types and one 32-bit end offset per cell
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t blockUsed_ = 0;
    std::size_t blockSize_ = 0;
    std::size_t heldBytes_ = 0;
    std::vector<RowPlace> rows_;
    std::vector<PendingCell> pending_;                   // the row being read
    std::optional<std::vector<std::uint32_t>> visible_;  // rows passing the filter
    std::size_t position_ = 0;                           // index among the visible rows
    const char* current_ = nullptr;                      // that row; nullptr past the end
    bool open_ = true;
};

}  // namespace zel
