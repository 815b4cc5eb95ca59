#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/correspondence_field.h"
#include "core/field_catalogue.h"
#include "import/import_plan.h"
#include "interfaces/pub.h"

namespace korvel {

// The words a preview list is shown in: its column captions, each verdict's and each field's.
struct ImportPreviewCaptions {
    // Six: the file's row, the verdict, warehouse code, item code, the fields that change (old →
    // new), the reason of a refusal.
    std::vector<std::string> columns;
    // Indexed by ImportVerdict.
    std::array<std::string, 4> verdicts;
    std::unordered_map<const CorrespondenceField*, std::string> fields;
    // What an empty value before a change shows as.
    std::string empty;
};
ImportPreviewCaptions ImportPreviewCaptionsOf(zel::IPub& pub, const FieldCatalogue& catalogue);

// A previewed row as the list shows it: a changed field as "caption old → new" (an empty old
// value worded), a new row's as "caption value", joined by "；".
std::vector<std::string> ImportPreviewCells(const ImportRowOutcome& row,
                                            const ImportPreviewCaptions& captions);

// A query of no rows whose columns describe the list's to an export: the row number a number,
// the rest texts.
std::string ImportPreviewColumnsQuery();

// The places in rows of the rows of one verdict, in order; every row's without one.
std::vector<std::size_t> RowsOfVerdict(const std::vector<ImportRowOutcome>& rows,
                                       std::optional<ImportVerdict> verdict);

}  // namespace korvel
