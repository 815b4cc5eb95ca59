#include "editor/grid_row_fields.h"

#include "core/correspondence_fields.h"
#include "core/text_case.h"

namespace korvel {

// Captions are compared in index order: the first equal one wins when two read the same.
std::optional<int> CaptionIndexOfHeader(const FieldCatalogue& catalogue, std::string_view header) {
    if (header.empty()) {
        return std::nullopt;
    }
    for (const CorrespondenceField* field : FieldsInCaptionOrder()) {
        const int index = field->catalogue.captionIndex;
        const std::string& caption = catalogue.arrFldCaption[static_cast<std::size_t>(index)];
        if (!caption.empty() && EqualsNoCase(caption, header)) {
            return index;
        }
    }
    return std::nullopt;
}

bool IsWrittenBack(int captionIndex) {
    const CorrespondenceField* field = FieldOfCaption(captionIndex);
    return field && field->editor.writtenBack;
}

}  // namespace korvel
