#include "editor/grid_row_fields.h"

#include "core/text_case.h"

namespace korvel {
namespace {

constexpr int kGroupNameCaption = 13;
constexpr int kUnitNameCaption = 14;
constexpr int kLastCaption = 16;

}  // namespace

std::optional<int> CaptionIndexOfHeader(const FieldCatalogue& catalogue, std::string_view header) {
    if (header.empty()) {
        return std::nullopt;
    }
    for (int index = 0; index <= kLastCaption; ++index) {
        const std::string& caption = catalogue.arrFldCaption[static_cast<std::size_t>(index)];
        if (!caption.empty() && EqualsNoCase(caption, header)) {
            return index;
        }
    }
    return std::nullopt;
}

bool IsWrittenBack(int captionIndex) {
    return captionIndex != kGroupNameCaption && captionIndex != kUnitNameCaption;
}

}  // namespace korvel
