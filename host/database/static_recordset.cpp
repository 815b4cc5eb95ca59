#include "host/database/static_recordset.h"

#include <algorithm>
#include <cstring>

#include "host/database/sql_statement.h"

namespace zel {
namespace {

// Bytes that hold a signed value, its sign taken from the top bit of the last byte.
std::size_t IntegerBytes(std::int64_t value) {
    std::size_t size = 0;
    while (size < 8) {
        const int bits = static_cast<int>(size) * 8;
        const std::int64_t low = bits == 0 ? 0 : -(std::int64_t{1} << (bits - 1));
        const std::int64_t high = bits == 0 ? 0 : (std::int64_t{1} << (bits - 1)) - 1;
        if (value >= low && value <= high) {
            break;
        }
        ++size;
    }
    return size;
}

std::int64_t DecodeInteger(const char* bytes, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i) {
        value |= std::uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
    }
    if (size > 0 && size < 8 && (static_cast<unsigned char>(bytes[size - 1]) & 0x80) != 0) {
        value |= ~std::uint64_t{0} << (8 * size);
    }
    return static_cast<std::int64_t>(value);
}

}  // namespace

StaticRecordset::StaticRecordset(RecordsetColumns columns)
    : columns_(std::move(columns)),
      typeBytes_((static_cast<std::size_t>(columns_.Count()) + 3) / 4),
      headerBytes_(typeBytes_ + sizeof(std::uint32_t) * static_cast<std::size_t>(columns_.Count())),
      pending_(static_cast<std::size_t>(columns_.Count())) {}

std::shared_ptr<StaticRecordset> StaticRecordset::Read(SqlStatement& statement) {
    std::shared_ptr<StaticRecordset> result(new StaticRecordset(RecordsetColumns(statement)));
    StepResult step;
    while ((step = statement.Step()) == StepResult::Row) {
        result->AppendRow(statement);
    }
    if (step == StepResult::Error) {
        return nullptr;
    }
    result->TrimLastBlock();
    result->rows_.shrink_to_fit();
    result->pending_ = {};
    result->Seek(0);
    return result;
}

// The last block keeps only what it holds, so that a small result takes little.
void StaticRecordset::TrimLastBlock() {
    if (blocks_.empty() || blockUsed_ == blockSize_) {
        return;
    }
    auto trimmed = std::make_unique_for_overwrite<char[]>(blockUsed_);
    std::memcpy(trimmed.get(), blocks_.back().get(), blockUsed_);
    blocks_.back() = std::move(trimmed);
    heldBytes_ -= blockSize_ - blockUsed_;
    blockSize_ = blockUsed_;
}

void StaticRecordset::AppendRow(const SqlStatement& statement) {
    std::size_t size = headerBytes_;
    for (int column = 0; column < columns_.Count(); ++column) {
        PendingCell& cell = pending_[static_cast<std::size_t>(column)];
        switch (statement.ColumnType(column)) {
            case SqlValueType::Null:
                cell = {CellType::Null, 0, {}, nullptr};
                break;
            case SqlValueType::Integer: {
                const std::int64_t value = statement.ColumnInteger(column);
                cell = {CellType::Integer, IntegerBytes(value), {}, cell.number};
                for (std::size_t i = 0; i < 8; ++i) {
                    cell.number[i] =
                        static_cast<char>(static_cast<std::uint64_t>(value) >> (8 * i));
                }
                break;
            }
            case SqlValueType::Real: {
                const double value = statement.ColumnReal(column);
                cell = {CellType::Real, sizeof value, {}, cell.number};
                std::memcpy(cell.number, &value, sizeof value);
                break;
            }
            case SqlValueType::Text: {
                const std::string_view text = statement.ColumnText(column);
                cell = {CellType::Text, text.size(), {}, text.data()};
                break;
            }
        }
        size += cell.size;
    }
    char* row = Allocate(size);
    std::memset(row, 0, typeBytes_);
    std::uint32_t end = 0;
    char* data = row + headerBytes_;
    for (std::size_t column = 0; column < pending_.size(); ++column) {
        const PendingCell& cell = pending_[column];
        row[column / 4] = static_cast<char>(row[column / 4] |
                                            (static_cast<int>(cell.type) << (2 * (column % 4))));
        if (cell.size != 0) {  // null and empty cells carry no bytes, maybe no pointer either
            std::memcpy(data + end, cell.bytes, cell.size);
        }
        end += static_cast<std::uint32_t>(cell.size);
        std::memcpy(row + typeBytes_ + sizeof end * column, &end, sizeof end);
    }
}

// Rows go into blocks of 1 MiB, a row too big for one into a block of its own; small blocks are
// also what the allocator hands back to the next result without asking the system again.
char* StaticRecordset::Allocate(std::size_t size) {
    constexpr std::size_t kBlockSize = std::size_t{1} << 20;
    if (blocks_.empty() || blockUsed_ + size > blockSize_) {
        blockSize_ = std::max(kBlockSize, size);
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(blockSize_));
        heldBytes_ += blockSize_;
        blockUsed_ = 0;
    }
    rows_.push_back(
        {static_cast<std::uint32_t>(blocks_.size() - 1), static_cast<std::uint32_t>(blockUsed_)});
    char* row = blocks_.back().get() + blockUsed_;
    blockUsed_ += size;
    return row;
}

const char* StaticRecordset::RowBase(std::size_t row) const {
    const RowPlace place = rows_[row];
    return blocks_[place.block].get() + place.offset;
}

Variant StaticRecordset::Cell(std::size_t row, int column) const {
    return CellOf(RowBase(row), static_cast<std::size_t>(column));
}

Variant StaticRecordset::CellOf(const char* base, std::size_t index) const {
    std::uint32_t begin = 0;
    std::uint32_t end = 0;
    if (index > 0) {
        std::memcpy(&begin, base + typeBytes_ + sizeof begin * (index - 1), sizeof begin);
    }
    std::memcpy(&end, base + typeBytes_ + sizeof end * index, sizeof end);
    const char* bytes = base + headerBytes_ + begin;
    const std::size_t size = end - begin;
    switch (static_cast<CellType>((base[index / 4] >> (2 * (index % 4))) & 0x3)) {
        case CellType::Null:
            return {};
        case CellType::Integer:
            return Variant(DecodeInteger(bytes, size));
        case CellType::Real: {
            double value = 0;
            std::memcpy(&value, bytes, sizeof value);
            return Variant(value);
        }
        case CellType::Text:
            return Variant(std::string(bytes, size));
    }
    return {};
}

std::size_t StaticRecordset::VisibleCount() const {
    return visible_ ? visible_->size() : rows_.size();
}

std::size_t StaticRecordset::RowAt(std::size_t position) const {
    return visible_ ? (*visible_)[position] : position;
}

bool StaticRecordset::Bof() const {
    return !open_ || VisibleCount() == 0;
}

bool StaticRecordset::Eof() const {
    return current_ == nullptr;
}

void StaticRecordset::Seek(std::size_t position) {
    position_ = position;
    current_ = open_ && position < VisibleCount() ? RowBase(RowAt(position)) : nullptr;
}

void StaticRecordset::MoveFirst() {
    Seek(0);
}

void StaticRecordset::MoveNext() {
    if (current_ != nullptr) {
        Seek(position_ + 1);
    }
}

long StaticRecordset::RecordCount() const {
    return open_ ? static_cast<long>(VisibleCount()) : 0;
}

void StaticRecordset::Close() {
    open_ = false;
    blocks_.clear();
    blocks_.shrink_to_fit();
    rows_ = {};
    heldBytes_ = 0;
    visible_.reset();
    Seek(0);
}

std::string StaticRecordset::FieldName(int index) const {
    return columns_.Contains(index) ? columns_.Name(index) : std::string();
}

int StaticRecordset::FieldDefinedSize(int index) const {
    return columns_.Contains(index) ? columns_.DefinedSize(index) : 0;
}

std::string StaticRecordset::FieldSource(int index) const {
    return columns_.Contains(index) ? columns_.Source(index) : "";
}

std::optional<Variant> StaticRecordset::Fields(int index) const {
    if (current_ == nullptr || !columns_.Contains(index)) {
        return std::nullopt;
    }
    return CellOf(current_, static_cast<std::size_t>(index));
}

std::optional<Variant> StaticRecordset::Fields(std::string_view name) const {
    return Fields(columns_.Index(name));
}

bool StaticRecordset::SetFilter(std::string_view condition) {
    if (!open_) {
        return false;
    }
    if (condition.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        visible_.reset();
        Seek(0);
        return true;
    }
    const auto filter = RecordsetFilter::Parse(condition, columns_);
    if (!filter) {
        return false;
    }
    std::vector<std::uint32_t> rows;
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        if (filter->Matches([&](int column) { return Cell(row, column); })) {
            rows.push_back(static_cast<std::uint32_t>(row));
        }
    }
    visible_ = std::move(rows);
    Seek(0);
    return true;
}

std::size_t StaticRecordset::MemoryBytes() const {
    return sizeof *this + heldBytes_ + blocks_.capacity() * sizeof(blocks_[0]) +
           rows_.capacity() * sizeof(RowPlace) +
           (visible_ ? visible_->capacity() * sizeof(std::uint32_t) : 0);
}

std::size_t StaticRecordset::TextBytes() const {
    std::size_t bytes = 0;
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        for (int column = 0; column < columns_.Count(); ++column) {
            bytes += Cell(row, column).ToString().size();
        }
    }
    return bytes;
}

}  // namespace zel
