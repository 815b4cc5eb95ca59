#pragma once

#include <optional>
#include <string>

#include "core/component_context.h"
#include "core/correspondence_fields.h"
#include "editor/record_entry_checks.h"
#include "host/controls/edit_box.h"

namespace korvel {

// What the host's reference picker gave for a box.
struct PickerOutcome {
    // False when the picker could not start.
    bool shown = false;
    // The chosen row's code, and for a box that shows a name, that name.
    std::optional<std::string> code;
    std::string name;
};

// Opens the host's reference picker for the field whose box has a picker (the warehouse, the
// item or the person): its rows are those within the user's write right that match the box's
// text.
PickerOutcome PickReference(const ComponentContext& context, const RecordEntryChecks& checks,
                            const CorrespondenceField& field, zel::Edit& box);

}  // namespace korvel
