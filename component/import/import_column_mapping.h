#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/correspondence_fields.h"
#include "core/field_catalogue.h"
#include "interfaces/pub.h"

namespace korvel {

// Which correspondence field each column of an imported file holds. A header cell names a field
// by the caption the grid (and so its export) shows, by the caption the condition control shows,
// or by the field's column name (cWhCode, iTopSum, ...), ignoring case and blanks. A column that
// names nothing is ignored. The caller may correct the mapping column by column before the rows
// are read.
class ImportColumnMapping {
public:
    ImportColumnMapping() = default;
    explicit ImportColumnMapping(std::vector<const CorrespondenceField*> fieldOfColumn)
        : fields_(std::move(fieldOfColumn)) {}

    // Matches every header cell; the captions are the catalogue's and the resource texts'.
    static ImportColumnMapping Match(const std::vector<std::string>& header,
                                     const FieldCatalogue& catalogue, zel::IPub& pub);

    std::size_t ColumnCount() const { return fields_.size(); }
    // nullptr for an ignored column.
    const CorrespondenceField* FieldOf(std::size_t column) const;
    void SetField(std::size_t column, const CorrespondenceField* field);
    // The first column that holds the field.
    std::optional<std::size_t> ColumnOf(const CorrespondenceField& field) const;
    // The columns, counted from 0, that hold no field.
    std::vector<std::size_t> IgnoredColumns() const;

    // Why the rows cannot be read with this mapping, in the user's words: a field held by two
    // columns, or a key column missing (the warehouse code may be missing when a default
    // warehouse is given). nullopt when the mapping can be used.
    std::optional<std::string> Refusal(zel::IPub& pub, const std::vector<std::string>& header,
                                       const FieldCatalogue& catalogue,
                                       bool hasDefaultWarehouse) const;

    bool operator==(const ImportColumnMapping&) const = default;

private:
    std::vector<const CorrespondenceField*> fields_;
};

// The fields an import writes besides the two keys, in the order of the record the editor saves.
const FieldList& ImportedFields();
// The position of the field in ImportedFields(); nullopt for a field the import does not write.
std::optional<std::size_t> ImportedFieldIndex(const CorrespondenceField& field);

// The caption a user knows the field by: the grid's, else the condition control's, else the
// column name.
std::string ImportFieldCaption(const CorrespondenceField& field, const FieldCatalogue& catalogue,
                               zel::IPub& pub);

// A header compared without case and blanks, the same for the mapping's match and its memory.
std::string HeaderKey(std::string_view cell);

}  // namespace korvel
