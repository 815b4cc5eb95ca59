#include "host/controls/find/find_field.h"

#include "host/controls/flex_grid.h"
#include "host/objects/host_text.h"
#include "host/objects/resource_texts.h"

namespace zel {
namespace {

constexpr const char* kFrequencyField = "cFrequency";

// The frequency unit is stored as the text the user sees.
std::vector<std::string> FrequencyUnits() {
    const auto& texts = ResourceTexts::Instance();
    return {texts.Text("Zel.AA.ARCHIVE.COMMON.cdrequency_day"),
            texts.Text("Zel.AA.ARCHIVE.COMMON.cdrequency_week"),
            texts.Text("Zel.AA.ARCHIVE.COMMON.cdrequency_month")};
}

}  // namespace

std::vector<FindField> FindFieldsOf(const FlexGrid& grid) {
    std::vector<FindField> fields;
    for (int col = 1; col < grid.Cols(); ++col) {
        const GridField& column = grid.ColField(col);
        if (column.source.empty()) {
            continue;
        }
        FindField field{
            column.name, column.source, grid.TextMatrix(0, col), KindOfField(column.name), {}};
        if (AsciiEqualIgnoringCase(column.name, kFrequencyField)) {
            field.choices = FrequencyUnits();
        }
        fields.push_back(std::move(field));
    }
    return fields;
}

}  // namespace zel
