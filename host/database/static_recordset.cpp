#include "host/database/static_recordset.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "host/database/sql_statement.h"

#include <sys/mman.h>

namespace zel {
namespace {

// Rows read before Open returns: most look-ups end within them and never hold their statement.
constexpr std::size_t kFirstRows = 64;

// Bytes that hold a signed value, its sign taken from the top bit of the last byte; none for 0.
std::size_t IntegerBytes(std::int64_t value) {
    if (value == 0) {
        return 0;
    }
    const auto magnitude = static_cast<std::uint64_t>(value ^ (value >> 63));
    const auto bits = static_cast<std::size_t>(65 - std::countl_zero(magnitude));
    return (bits + 7) / 8;
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

std::size_t WriteInteger(char* to, std::int64_t value) {
    const std::size_t size = IntegerBytes(value);
    for (std::size_t i = 0; i < size; ++i) {
        to[i] = static_cast<char>(static_cast<std::uint64_t>(value) >> (8 * i));
    }
    return size;
}

std::size_t WriteReal(char* to, double value) {
    const auto single = static_cast<float>(value);
    if (static_cast<double>(single) == value) {
        std::memcpy(to, &single, sizeof single);
        return sizeof single;
    }
    std::memcpy(to, &value, sizeof value);
    return sizeof value;
}

double DecodeReal(const char* bytes, std::size_t size) {
    if (size == sizeof(float)) {
        float single = 0;
        std::memcpy(&single, bytes, sizeof single);
        return single;
    }
    double value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// Blocks grow from a size that suits a look-up of a few rows to one huge page of the system, in
// which a big result then grows. Memory touched the first time costs the system a page fault a
// page: with 4 KiB pages reading a million rows spent more time there than in the engine.
constexpr std::size_t kFirstBlockSize = std::size_t{64} << 10;
constexpr std::size_t kHugeBlockSize = std::size_t{2} << 20;

char* NewBlock(std::size_t size) {
    if (size != kHugeBlockSize) {
        return static_cast<char*>(std::malloc(size));
    }
    void* block = std::aligned_alloc(kHugeBlockSize, kHugeBlockSize);
    if (block != nullptr) {
        madvise(block, kHugeBlockSize, MADV_HUGEPAGE);
    }
    return static_cast<char*>(block);
}

std::size_t OffsetWidth(std::size_t bytes) {
    return bytes <= 0xFF ? 1 : bytes <= 0xFFFF ? 2 : 4;
}

void WriteOffset(char* to, std::size_t width, std::uint32_t offset) {
    switch (width) {
        case 1:
            *to = static_cast<char>(offset);
            break;
        case 2: {
            const auto narrow = static_cast<std::uint16_t>(offset);
            std::memcpy(to, &narrow, sizeof narrow);
            break;
        }
        default:
            std::memcpy(to, &offset, sizeof offset);
    }
}

std::uint32_t ReadOffset(const char* from, std::size_t width) {
    switch (width) {
        case 1:
            return static_cast<unsigned char>(*from);
        case 2: {
            std::uint16_t narrow = 0;
            std::memcpy(&narrow, from, sizeof narrow);
            return narrow;
        }
        default: {
            std::uint32_t offset = 0;
            std::memcpy(&offset, from, sizeof offset);
            return offset;
        }
    }
}

}  // namespace

StaticRecordset::StaticRecordset(std::unique_ptr<SqlStatement> statement, Finished finished)
    : statement_(std::move(statement)),
      columns_(*statement_),
      finished_(std::move(finished)),
      typeBytes_((static_cast<std::size_t>(columns_.Count()) + 3) / 4),
      pendingTypes_(static_cast<std::size_t>(columns_.Count())),
      pendingEnds_(static_cast<std::size_t>(columns_.Count())) {}

std::shared_ptr<StaticRecordset> StaticRecordset::Open(std::unique_ptr<SqlStatement> statement,
                                                       Finished finished) {
    if (!statement) {
        return nullptr;
    }
    // The columns are read after the first step, which tells them at no cost.
    const StepResult first = statement->Step();
    std::shared_ptr<StaticRecordset> result(
        new StaticRecordset(std::move(statement), std::move(finished)));
    bool more = result->TakeStep(first);
    for (std::size_t row = 1; more && row < kFirstRows; ++row) {
        more = result->ReadRow();
    }
    if (!result->open_) {
        return nullptr;
    }
    result->Seek(0);
    return result;
}

StaticRecordset::~StaticRecordset() {
    if (Reading()) {
        EndRead(static_cast<long>(rows_.size()));
    }
}

bool StaticRecordset::ReadRow() {
    return TakeStep(statement_->Step());
}

bool StaticRecordset::TakeStep(StepResult step) {
    switch (step) {
        case StepResult::Row:
            AppendRow();
            return true;
        case StepResult::Done:
            TrimLastBlock();
            rows_.shrink_to_fit();
            EndRead(static_cast<long>(rows_.size()));
            return false;
        case StepResult::Error:
            break;
    }
    EndRead(-1);
    Close();
    return false;
}

// The caller learns of the end while the statement still holds the engine's word on a failure.
void StaticRecordset::EndRead(long rows) {
    countStarter_ = nullptr;
    countBeside_ = nullptr;
    if (finished_) {
        const Finished finished = std::move(finished_);
        finished_ = nullptr;
        finished(rows);
    }
    statement_.reset();
    pendingTypes_ = {};
    pendingEnds_ = {};
}

void StaticRecordset::ReadToEnd() {
    if (Reading()) {
        while (ReadRow()) {
        }
        Seek(position_);
    }
}

// The last block keeps only what it holds, so that a small result takes little.
void StaticRecordset::TrimLastBlock() {
    if (blocks_.empty() || blockUsed_ == blockSize_) {
        return;
    }
    Block trimmed(NewBlock(blockUsed_));
    if (!trimmed) {
        return;
    }
    std::memcpy(trimmed.get(), blocks_.back().get(), blockUsed_);
    blocks_.back() = std::move(trimmed);
    heldBytes_ -= blockSize_ - blockUsed_;
    blockSize_ = blockUsed_;
}

// Cells go straight into the block, the row's header after them once their size is known.
void StaticRecordset::AppendRow() {
    const SqlStatement& statement = *statement_;
    const std::size_t columns = pendingTypes_.size();
    constexpr std::size_t kNumberBytes = 8;
    std::size_t written = 0;
    char* row = RowSpace(0, 0);
    for (std::size_t column = 0; column < columns; ++column) {
        const int index = static_cast<int>(column);
        const SqlCell cell = statement.Column(index);
        CellType type = CellType::Null;
        switch (cell.type) {
            case SqlValueType::Null:
                break;
            case SqlValueType::Integer:
                type = CellType::Integer;
                row = RowSpace(written, kNumberBytes);
                written += WriteInteger(row + written, cell.integer);
                break;
            case SqlValueType::Real:
                type = CellType::Real;
                row = RowSpace(written, kNumberBytes);
                written += WriteReal(row + written, cell.real);
                break;
            case SqlValueType::Text:
                type = CellType::Text;
                row = RowSpace(written, cell.text.size());
                if (!cell.text.empty()) {  // an empty text may come without bytes
                    std::memcpy(row + written, cell.text.data(), cell.text.size());
                }
                written += cell.text.size();
                break;
        }
        pendingTypes_[column] = type;
        pendingEnds_[column] = static_cast<std::uint32_t>(written);
    }
    const std::size_t width = OffsetWidth(written);
    char* header = row + written;
    header[0] = static_cast<char>(width);
    char* types = header + 1;
    std::memset(types, 0, typeBytes_);
    char* ends = types + typeBytes_;
    for (std::size_t column = 0; column < columns; ++column) {
        types[column / 4] = static_cast<char>(
            types[column / 4] | (static_cast<int>(pendingTypes_[column]) << (2 * (column % 4))));
        WriteOffset(ends + width * column, width, pendingEnds_[column]);
    }
    rows_.push_back({static_cast<std::uint32_t>(blocks_.size() - 1),
                     static_cast<std::uint32_t>(blockUsed_ + written)});
    blockUsed_ += written + 1 + typeBytes_ + width * columns;
}

void StaticRecordset::FreeBlock::operator()(char* block) const {
    std::free(block);
}

// Room for `more` bytes behind the `written` bytes of the row being read, and for the row's
// header.
char* StaticRecordset::RowSpace(std::size_t written, std::size_t more) {
    const std::size_t needed =
        written + more + 1 + typeBytes_ + sizeof(std::uint32_t) * pendingEnds_.size();
    if (!blocks_.empty() && blockUsed_ + needed <= blockSize_) [[likely]] {
        return blocks_.back().get() + blockUsed_;
    }
    return NewRowBlock(written, needed);
}

// A new block takes over what was written of the row. Each block doubles the last up to a huge
// page; a row too big for one takes a block of its own.
char* StaticRecordset::NewRowBlock(std::size_t written, std::size_t needed) {
    const std::size_t grown =
        blocks_.empty() ? kFirstBlockSize : std::min(2 * blockSize_, kHugeBlockSize);
    Block block(NewBlock(std::max(grown, needed)));
    if (!block) {
        throw std::bad_alloc();
    }
    if (written > 0) {
        std::memcpy(block.get(), blocks_.back().get() + blockUsed_, written);
    }
    blockSize_ = std::max(grown, needed);
    heldBytes_ += blockSize_;
    blockUsed_ = 0;
    blocks_.push_back(std::move(block));
    return blocks_.back().get();
}

const char* StaticRecordset::RowBase(std::size_t row) const {
    const RowPlace place = rows_[row];
    return blocks_[place.block].get() + place.offset;
}

Variant StaticRecordset::Cell(std::size_t row, int column) const {
    return CellOf(RowBase(row), static_cast<std::size_t>(column));
}

Variant StaticRecordset::CellOf(const char* base, std::size_t index) const {
    const auto width = static_cast<std::size_t>(base[0]);
    const char* types = base + 1;
    const char* ends = types + typeBytes_;
    const std::uint32_t begin = index > 0 ? ReadOffset(ends + width * (index - 1), width) : 0;
    const std::uint32_t end = ReadOffset(ends + width * index, width);
    const std::uint32_t rowBytes =
        ReadOffset(ends + width * (static_cast<std::size_t>(columns_.Count()) - 1), width);
    const char* bytes = base - rowBytes + begin;
    const std::size_t size = end - begin;
    switch (static_cast<CellType>((types[index / 4] >> (2 * (index % 4))) & 0x3)) {
        case CellType::Null:
            return {};
        case CellType::Integer:
            return Variant(DecodeInteger(bytes, size));
        case CellType::Real:
            return Variant(DecodeReal(bytes, size));
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
    while (Reading() && position >= rows_.size() && ReadRow()) {
    }
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

// Reading on changes what the result holds, not what it is: the rows were the query's already.
long StaticRecordset::RecordCount() const {
    const_cast<StaticRecordset*>(this)->ReadToEnd();
    return open_ ? static_cast<long>(VisibleCount()) : 0;
}

long StaticRecordset::KnownRecordCount() const {
    if (!Reading()) {
        return RecordCount();
    }
    if (!countBeside_ && countStarter_) {
        countBeside_ = std::exchange(countStarter_, nullptr)();
    }
    // A count taken before another connection added rows can fall short of the rows read.
    const auto counted = countBeside_ ? countBeside_() : std::nullopt;
    return counted && *counted >= static_cast<long>(rows_.size()) ? *counted : -1;
}

void StaticRecordset::Close() {
    if (Reading()) {
        EndRead(static_cast<long>(rows_.size()));
    }
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
    ReadToEnd();
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
