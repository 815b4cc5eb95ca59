#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/database/recordset_columns.h"
#include "host/database/recordset_filter.h"
#include "host/database/sql_statement.h"
#include "interfaces/recordset.h"

namespace zel {

// A query result held in memory and read from its statement as the caller moves: a big result
// shows its first rows at once, and every row read stays, so that the caller can go back and
// filter. RecordCount and SetFilter read on to the end; KnownRecordCount does not (-1 until a
// count taken beside the read or the end of the read tells).
//
// While rows remain to be read the statement stays live on its connection: whoever writes on that
// connection calls ReadToEnd first, so that a rollback never cuts a half-read result short.
//
// A step that fails part way closes the result: Eof, not IsOpen, no rows, and Finished gets -1
// while the backend still tells the error. A consumer that stops at Eof thus checks IsOpen to
// tell a failed read from a complete one.
//
// Rows are written one after another into blocks of bytes, each as its cells followed by its
// header: the width of its cell offsets (1, 2 or 4 bytes, the least that holds the row), a 2-bit
// type per cell (null, integer, real, text) and the end offset of each cell. An integer takes only
// the bytes its value needs, a real 4 when a float holds it exactly and 8 otherwise, a text its own
// bytes. A grid of 100,000 rows thus takes little more than its texts, where a string or variant
// per cell would take several times as much; and a growing result never copies what it holds.
class StaticRecordset final : public IRecordset {
public:
    // Called once, when the rows stop coming: with the rows read when the statement ends or the
    // result is closed or dropped first, with -1 when a step fails.
    using Finished = std::function<void(long rowsRead)>;
    // A row count taken beside the read: nullopt while it is not known.
    using CountBeside = std::function<std::optional<long>()>;
    // Starts that count. It runs only for a caller that asks, the first time it asks: a caller
    // that just reads on, or asks RecordCount, gives the engine no second query to run.
    using CountStarter = std::function<CountBeside()>;

    // Reads the first rows at once, so that a small result is complete on return and holds no
    // statement; nullptr without a statement or when a step fails (the backend tells why).
    static std::shared_ptr<StaticRecordset> Open(std::unique_ptr<SqlStatement> statement,
                                                 Finished finished);
    StaticRecordset(const StaticRecordset&) = delete;
    StaticRecordset& operator=(const StaticRecordset&) = delete;
    ~StaticRecordset() override;

    // Whether rows remain to be read from the statement.
    bool Reading() const { return statement_ != nullptr; }
    void ReadToEnd();
    void SetCountStarter(CountStarter start) { countStarter_ = std::move(start); }

    bool Bof() const override;
    bool Eof() const override;
    void MoveFirst() override;
    void MoveNext() override;
    long RecordCount() const override;
    long KnownRecordCount() const override;
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
    struct FreeBlock {
        void operator()(char* block) const;
    };
    using Block = std::unique_ptr<char[], FreeBlock>;
    struct RowPlace {
        std::uint32_t block;
        std::uint32_t offset;
    };

    StaticRecordset(std::unique_ptr<SqlStatement> statement, Finished finished);
    // False at the end of the rows or when the step failed.
    bool ReadRow();
    bool TakeStep(StepResult step);
    void EndRead(long rows);
    void AppendRow();
    char* RowSpace(std::size_t written, std::size_t more);
    char* NewRowBlock(std::size_t written, std::size_t needed);
    void TrimLastBlock();
    const char* RowBase(std::size_t row) const;
    Variant Cell(std::size_t row, int column) const;
    Variant CellOf(const char* row, std::size_t column) const;
    void Seek(std::size_t position);
    std::size_t RowAt(std::size_t position) const;
    std::size_t VisibleCount() const;

    std::unique_ptr<SqlStatement> statement_;  // nullptr once every row is read
    RecordsetColumns columns_;
    Finished finished_;
    mutable CountStarter countStarter_;
    mutable CountBeside countBeside_;  // started by the first KnownRecordCount while reading
    std::size_t typeBytes_;            // per row: four cell types a byte
    std::vector<Block> blocks_;
    std::size_t blockUsed_ = 0;
    std::size_t blockSize_ = 0;
    std::size_t heldBytes_ = 0;
    std::vector<RowPlace> rows_;
    // The row being read: its cell types and cell ends.
    std::vector<CellType> pendingTypes_;
    std::vector<std::uint32_t> pendingEnds_;
    std::optional<std::vector<std::uint32_t>> visible_;  // rows passing the filter
    std::size_t position_ = 0;                           // index among the visible rows
    const char* current_ = nullptr;                      // that row; nullptr past the end
    bool open_ = true;
};

}  // namespace zel
