#include "host/controls/print/cell_texts.h"

namespace zel {

CellTexts::CellTexts(std::initializer_list<std::string_view> texts) {
    *this = texts;
}

CellTexts& CellTexts::operator=(std::initializer_list<std::string_view> texts) {
    text_.clear();
    ends_.clear();
    for (const std::string_view text : texts) {
        push_back(text);
    }
    return *this;
}

bool CellTexts::push_back(std::string_view text) {
    if (text.size() > kMostBytes - text_.size()) {
        return false;
    }
    text_ += text;
    ends_.push_back(static_cast<std::uint32_t>(text_.size()));
    return true;
}

void CellTexts::reserve(std::size_t cells, std::size_t bytes) {
    ends_.reserve(cells);
    text_.reserve(bytes);
}

void CellTexts::shrink_to_fit() {
    text_.shrink_to_fit();
    ends_.shrink_to_fit();
}

std::string_view CellTexts::operator[](std::size_t cell) const {
    const std::size_t start = cell == 0 ? 0 : ends_[cell - 1];
    return std::string_view(text_).substr(start, ends_[cell] - start);
}

bool operator==(const CellTexts& texts, const std::vector<std::string>& strings) {
    if (texts.size() != strings.size()) {
        return false;
    }
    for (std::size_t cell = 0; cell < strings.size(); ++cell) {
        if (texts[cell] != strings[cell]) {
            return false;
        }
    }
    return true;
}

}  // namespace zel
