#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "core/correspondence_fields.h"

namespace korvel {

// One correspondence row as the windows hold it: a text per field of kCorrespondenceFields,
// read and written by field (Field("iTopSum") names one by its column). A field that was never
// set is told apart from one set empty: the editor leaves out of its record what a box out of
// reach could not give.
class CorrespondenceRow {
public:
    const std::optional<std::string>& Value(const CorrespondenceField& field) const {
        return values_[IndexOf(field)];
    }
    // "" for a field not set.
    std::string Text(const CorrespondenceField& field) const { return Value(field).value_or(""); }
    void Set(const CorrespondenceField& field, std::string text) {
        values_[IndexOf(field)] = std::move(text);
    }
    void Unset(const CorrespondenceField& field) { values_[IndexOf(field)].reset(); }

    bool operator==(const CorrespondenceRow&) const = default;

private:
    std::array<std::optional<std::string>, kCorrespondenceFields.size()> values_;
};

}  // namespace korvel
