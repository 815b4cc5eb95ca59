#include "host/refer/item_filter.h"

#include "host/refer/ascii_text.h"

namespace zel {
namespace {

bool Contains(std::string_view text, std::string_view loweredPart) {
    return loweredPart.empty() || AsciiLower(text).find(loweredPart) != std::string::npos;
}

}  // namespace

// Class codes may come padded from a fixed-width column.
ItemFilter::ItemFilter(std::string_view text, std::string_view classCode)
    : text_(AsciiLower(text)), classCode_(AsciiLower(WithoutTrailingBlanks(classCode))) {}

bool ItemFilter::Matches(std::string_view code, std::string_view name,
                         std::string_view classCode) const {
    if (!classCode_.empty() &&
        !AsciiEqualIgnoringCase(classCode.substr(0, classCode_.size()), classCode_)) {
        return false;
    }
    return Contains(code, text_) || Contains(name, text_);
}

bool ItemFilter::Narrows(const ItemFilter& wider) const {
    return classCode_ == wider.classCode_ && text_.find(wider.text_) != std::string::npos;
}

}  // namespace zel
