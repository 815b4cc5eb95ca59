#include "host/pub/text_table_recordset.h"

#include <algorithm>

#include "host/objects/host_text.h"

namespace zel {
namespace {

std::vector<std::string> ListItems(std::string_view list) {
    std::vector<std::string> items;
    if (list.empty()) {
        return items;
    }
    std::size_t start = 0;
    while (true) {
        const auto comma = list.find(',', start);
        items.emplace_back(WithoutSurroundingBlanks(list.substr(start, comma - start)));
        if (comma == std::string_view::npos) {
            return items;
        }
        start = comma + 1;
    }
}

}  // namespace

std::shared_ptr<TextTableRecordset> TextTableRecordset::FromLists(const std::string& fields,
                                                                  const std::string& captions) {
    return std::make_shared<TextTableRecordset>(ListItems(fields), ListItems(captions));
}

TextTableRecordset::TextTableRecordset(std::vector<std::string> fields,
                                       std::vector<std::string> captions)
    : fields_(std::move(fields)), captions_(std::move(captions)) {
    captions_.resize(fields_.size());
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (captions_[i].empty()) {
            captions_[i] = fields_[i];
        }
    }
}

void TextTableRecordset::Append(const std::vector<std::string>& values) {
    std::vector<std::string> row(fields_.size());
    std::copy_n(values.begin(), std::min(values.size(), row.size()), row.begin());
    rows_.push_back(std::move(row));
}

void TextTableRecordset::MoveNext() {
    if (position_ < rows_.size()) {
        ++position_;
    }
}

long TextTableRecordset::RecordCount() const {
    return open_ ? static_cast<long>(rows_.size()) : 0;
}

void TextTableRecordset::Close() {
    open_ = false;
}

std::string TextTableRecordset::FieldName(int index) const {
    return HasField(index) ? fields_[static_cast<std::size_t>(index)] : std::string();
}

int TextTableRecordset::FieldIndex(std::string_view name) const {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (AsciiEqualIgnoringCase(fields_[i], name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::optional<Variant> TextTableRecordset::Fields(int index) const {
    if (Eof() || !HasField(index)) {
        return std::nullopt;
    }
    return Variant(rows_[position_][static_cast<std::size_t>(index)]);
}

std::optional<Variant> TextTableRecordset::Fields(std::string_view name) const {
    return Fields(FieldIndex(name));
}

}  // namespace zel
