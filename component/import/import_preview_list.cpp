#include "import/import_preview_list.h"

#include "core/correspondence_fields.h"
#include "import/import_column_mapping.h"

namespace korvel {
namespace {

constexpr const char* kColumnKeys[] = {
    "Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.col_row",
    "Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.col_verdict",
    "Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.col_warehouse",
    "Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.col_inventory",
    "Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.col_fields",
    "Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.col_reason",
};
// In the order of ImportVerdict.
constexpr const char* kVerdictKeys[] = {
    "Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.kind_new",
    "Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.kind_changed",
    "Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.kind_unchanged",
    "Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.kind_refused",
};
constexpr const char* kFieldSeparator = "；";
constexpr const char* kArrow = " → ";

std::string ChangedFieldsText(const ImportRowOutcome& row, const ImportPreviewCaptions& captions) {
    std::string text;
    for (const ImportFieldValue& value : row.fields) {
        if (!text.empty()) {
            text += kFieldSeparator;
        }
        const auto caption = captions.fields.find(value.field);
        text +=
            caption != captions.fields.end() ? caption->second : std::string(value.field->column);
        text += ' ';
        if (row.verdict == ImportVerdict::kChanged) {
            text += (value.before.empty() ? captions.empty : value.before) + kArrow;
        }
        text += value.after;
    }
    return text;
}

}  // namespace

ImportPreviewCaptions ImportPreviewCaptionsOf(zel::IPub& pub, const FieldCatalogue& catalogue) {
    ImportPreviewCaptions captions;
    for (const char* key : kColumnKeys) {
        captions.columns.push_back(pub.GetResString(key));
    }
    for (std::size_t verdict = 0; verdict < captions.verdicts.size(); ++verdict) {
        captions.verdicts[verdict] = pub.GetResString(kVerdictKeys[verdict]);
    }
    captions.empty = pub.GetResString("Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.empty");
    for (const CorrespondenceField* field : ImportedFields()) {
        captions.fields.emplace(field, ImportFieldCaption(*field, catalogue, pub));
    }
    return captions;
}

std::vector<std::string> ImportPreviewCells(const ImportRowOutcome& row,
                                            const ImportPreviewCaptions& captions) {
    return {std::to_string(row.sourceRow),
            captions.verdicts[static_cast<std::size_t>(row.verdict)],
            row.warehouseCode,
            row.inventoryCode,
            ChangedFieldsText(row, captions),
            row.reason};
}

std::string ImportPreviewColumnsQuery() {
    return "select WhInvContrapose.iDays as iRow, Warehouse.cWhName as cVerdict, "
           "Warehouse.cWhCode, Inventory.cInvCode, Inventory.cInvName as cFields, "
           "Inventory.cInvName as cReason from WhInvContrapose, Warehouse, Inventory where 1=2";
}

std::vector<std::size_t> RowsOfVerdict(const std::vector<ImportRowOutcome>& rows,
                                       std::optional<ImportVerdict> verdict) {
    std::vector<std::size_t> kept;
    for (std::size_t index = 0; index < rows.size(); ++index) {
        if (!verdict || rows[index].verdict == *verdict) {
            kept.push_back(index);
        }
    }
    return kept;
}

}  // namespace korvel
