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

namespace korvel {

CorrespondenceRow RowOfGrid(const FieldCatalogue& catalogue, const zel::FlexGrid& grid, int row) {
    CorrespondenceRow values;
    for (int col = 1; col < grid.Cols(); ++col) {
        if (const auto caption = CaptionIndexOfHeader(catalogue, grid.TextMatrix(0, col))) {
            values.Set(*FieldOfCaption(*caption), grid.TextMatrix(row, col));
        }
    }
    return values;
}

void WriteBackToGrid(const FieldCatalogue& catalogue, const CorrespondenceRow& values,
                     zel::FlexGrid& grid, int row) {
    for (int col = 1; col < grid.Cols(); ++col) {
        const auto caption = CaptionIndexOfHeader(catalogue, grid.TextMatrix(0, col));
        if (caption && IsWrittenBack(*caption)) {
            grid.SetTextMatrix(row, col, values.Text(*FieldOfCaption(*caption)));
        }
    }
}

}  // namespace korvel
