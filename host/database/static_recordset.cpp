#include "host/database/static_recordset.h"

#include <cstring>
#include <limits>

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

std::shared_ptr<StaticRecordset> StaticRecordset::Read(SqlStatement& statement,
                                                       std::string& error) {
    std::shared_ptr<StaticRecordset> result(new StaticRecordset(RecordsetColumns(statement)));
    StepResult step;
    while ((step = statement.Step()) == StepResult::Row) {
        if (!result->AppendRow(statement)) {
            error = "result too large to hold";
            return nullptr;
        }
    }
    if (step == StepResult::Error) {
        return nullptr;
    }
    result->arena_.shrink_to_fit();
    result->ends_.shrink_to_fit();
    result->types_.shrink_to_fit();
    return result;
}

bool StaticRecordset::AppendRow(const SqlStatement& statement) {
    for (int column = 0; column < columns_.Count(); ++column) {
        switch (statement.ColumnType(column)) {
            case SqlValueType::Null:
                AppendCell(CellType::Null, nullptr, 0);
                break;
            case SqlValueType::Integer: {
                const std::int64_t value = statement.ColumnInteger(column);
                char bytes[8];
                for (std::size_t i = 0; i < 8; ++i) {
                    bytes[i] = static_cast<char>(static_cast<std::uint64_t>(value) >> (8 * i));
                }
                AppendCell(CellType::Integer, bytes, IntegerBytes(value));
                break;
            }
            case SqlValueType::Real: {
                const double value = statement.ColumnReal(column);
                char bytes[sizeof value];
                std::memcpy(bytes, &value, sizeof value);
                AppendCell(CellType::Real, bytes, sizeof value);
                break;
            }
            case SqlValueType::Text: {
                const std::string_view text = statement.ColumnText(column);
                AppendCell(CellType::Text, text.data(), text.size());
                break;
            }
        }
    }
    ++rowCount_;
    return arena_.size() <= std::numeric_limits<std::uint32_t>::max();
}

void StaticRecordset::AppendCell(CellType type, const char* bytes, std::size_t size) {
    const std::size_t cell = ends_.size();
    if (cell % 4 == 0) {
        types_.push_back(0);
    }
    types_.back() |= static_cast<std::uint8_t>(static_cast<std::uint8_t>(type) << (2 * (cell % 4)));
    arena_.append(bytes, size);
    ends_.push_back(static_cast<std::uint32_t>(arena_.size()));
}

StaticRecordset::CellType StaticRecordset::TypeOf(std::size_t cell) const {
    return static_cast<CellType>((types_[cell / 4] >> (2 * (cell % 4))) & 0x3);
}

Variant StaticRecordset::Cell(std::size_t row, int column) const {
    const std::size_t cell =
        row * static_cast<std::size_t>(columns_.Count()) + static_cast<std::size_t>(column);
    const std::size_t begin = cell == 0 ? 0 : ends_[cell - 1];
    const char* bytes = arena_.data() + begin;
    const std::size_t size = ends_[cell] - begin;
    switch (TypeOf(cell)) {
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
    return visible_ ? visible_->size() : rowCount_;
}

std::size_t StaticRecordset::RowAt(std::size_t position) const {
    return visible_ ? (*visible_)[position] : position;
}

bool StaticRecordset::Bof() const {
    return !open_ || VisibleCount() == 0;
}

bool StaticRecordset::Eof() const {
    return !open_ || position_ >= VisibleCount();
}

void StaticRecordset::MoveFirst() {
    position_ = 0;
}

void StaticRecordset::MoveNext() {
    if (position_ < VisibleCount()) {
        ++position_;
    }
}

long StaticRecordset::RecordCount() const {
    return open_ ? static_cast<long>(VisibleCount()) : 0;
}

void StaticRecordset::Close() {
    open_ = false;
    arena_ = {};
    ends_ = {};
    types_ = {};
    visible_.reset();
    rowCount_ = 0;
    position_ = 0;
}

std::string StaticRecordset::FieldName(int index) const {
    return columns_.Contains(index) ? columns_.Name(index) : std::string();
}

int StaticRecordset::FieldDefinedSize(int index) const {
    return columns_.Contains(index) ? columns_.DefinedSize(index) : 0;
}

std::optional<Variant> StaticRecordset::Fields(int index) const {
    if (Eof() || !columns_.Contains(index)) {
        return std::nullopt;
    }
    return Cell(RowAt(position_), index);
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
        position_ = 0;
        return true;
    }
    const auto filter = RecordsetFilter::Parse(condition, columns_);
    if (!filter) {
        return false;
    }
    std::vector<std::uint32_t> rows;
    for (std::size_t row = 0; row < rowCount_; ++row) {
        if (filter->Matches([&](int column) { return Cell(row, column); })) {
            rows.push_back(static_cast<std::uint32_t>(row));
        }
    }
    visible_ = std::move(rows);
    position_ = 0;
    return true;
}

std::size_t StaticRecordset::MemoryBytes() const {
    return sizeof *this + arena_.capacity() + ends_.capacity() * sizeof(std::uint32_t) +
           types_.capacity() + (visible_ ? visible_->capacity() * sizeof(std::uint32_t) : 0);
}

std::size_t StaticRecordset::TextBytes() const {
    std::size_t bytes = 0;
    for (std::size_t row = 0; row < rowCount_; ++row) {
        for (int column = 0; column < columns_.Count(); ++column) {
            bytes += Cell(row, column).ToString().size();
        }
    }
    return bytes;
}

}  // namespace zel
