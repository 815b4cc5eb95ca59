#include "host/database/forward_recordset.h"

#include "host/database/sql_statement.h"

namespace zel {

ForwardRecordset::ForwardRecordset(std::unique_ptr<SqlStatement> statement, Finished finished)
    : statement_(std::move(statement)), columns_(*statement_), finished_(std::move(finished)) {}

std::shared_ptr<ForwardRecordset> ForwardRecordset::Open(std::unique_ptr<SqlStatement> statement,
                                                         Finished finished) {
    if (!statement) {
        return nullptr;
    }
    // The columns are read after the first step, which tells them at no cost.
    const StepResult first = statement->Step();
    std::shared_ptr<ForwardRecordset> result(
        new ForwardRecordset(std::move(statement), std::move(finished)));
    if (first == StepResult::Error) {
        result->finished_ = nullptr;
        return nullptr;
    }
    result->onRow_ = first == StepResult::Row;
    result->ended_ = !result->onRow_;
    result->rowsRead_ = result->onRow_ ? 1 : 0;
    return result;
}

ForwardRecordset::~ForwardRecordset() {
    Close();
}

void ForwardRecordset::MoveFirst() {
    if (rowsRead_ > 1) {
        Close();
    }
}

void ForwardRecordset::MoveNext() {
    if (!open_ || !onRow_) {
        return;
    }
    switch (statement_->Step()) {
        case StepResult::Row:
            ++rowsRead_;
            return;
        case StepResult::Done:
            onRow_ = false;
            ended_ = true;
            return;
        case StepResult::Error:
            rowsRead_ = -1;
            Close();
            return;
    }
}

void ForwardRecordset::Close() {
    if (!open_) {
        return;
    }
    open_ = false;
    onRow_ = false;
    statement_.reset();
    if (finished_) {
        finished_(rowsRead_);
        finished_ = nullptr;
    }
}

std::string ForwardRecordset::FieldName(int index) const {
    return columns_.Contains(index) ? columns_.Name(index) : std::string();
}

int ForwardRecordset::FieldDefinedSize(int index) const {
    return columns_.Contains(index) ? columns_.DefinedSize(index) : 0;
}

std::string ForwardRecordset::FieldSource(int index) const {
    return columns_.Contains(index) ? columns_.Source(index) : "";
}

std::optional<Variant> ForwardRecordset::Fields(int index) const {
    if (Eof() || !columns_.Contains(index)) {
        return std::nullopt;
    }
    // One look-up of the value, built in place rather than moved through a Variant and an
    // optional: a reader asks for every field of every row.
    const SqlCell cell = statement_->Column(index);
    switch (cell.type) {
        case SqlValueType::Integer:
            return std::optional<Variant>(std::in_place, cell.integer);
        case SqlValueType::Real:
            return std::optional<Variant>(std::in_place, cell.real);
        case SqlValueType::Text:
            return std::optional<Variant>(std::in_place, std::string(cell.text));
        case SqlValueType::Null:
            break;
    }
    return std::optional<Variant>(std::in_place);
}

std::optional<Variant> ForwardRecordset::Fields(std::string_view name) const {
    return Fields(columns_.Index(name));
}

}  // namespace zel
