#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/component_context.h"
#include "editor/record_entry_checks.h"
#include "import/import_column_mapping.h"
#include "import/import_known_codes.h"
#include "import/import_plan.h"
#include "import/stored_correspondence_rows.h"

namespace korvel {

// Judges the data rows of one file, in file order, against what the database holds: refused
// with the reason, else new, changed (only the fields whose stored value changes) or unchanged.
// The rules are the record editor's on saving: codes within the read rights, items in use on
// the business date, the write rights, the stock-limit rule and the cycle rule on the row as it
// would be stored; a key the file named before is refused naming that row.
class ImportRowJudge {
public:
    ImportRowJudge(const ComponentContext& context, const std::vector<std::string>& header,
                   const ImportColumnMapping& mapping, std::string defaultWarehouse,
                   const ImportKnownCodes& known, StoredCorrespondenceRows& stored);

    // A refused row takes the cells over. nullopt, with failure set, when the warehouse's stored
    // rows could not be read.
    std::optional<ImportRowOutcome> Judge(std::size_t sourceRow, std::vector<std::string>& cells,
                                          std::string& failure);

private:
    // The file's values of the imported fields, by position in ImportedFields(); nullopt for a
    // field the file has no column for.
    using Given = std::vector<std::optional<std::string>>;

    std::optional<std::string> KeyRefusal(std::size_t sourceRow,
                                          const std::vector<std::string>& cells,
                                          ImportRowOutcome& outcome);
    std::optional<std::string> WriteRefusal(const ImportRowOutcome& outcome) const;
    std::optional<std::string> ReadCells(const std::vector<std::string>& cells,
                                         const StoredCorrespondenceRows::Values* before,
                                         Given& given) const;
    std::optional<std::string> RowRefusal(const Given& given,
                                          const StoredCorrespondenceRows::Values* before) const;
    std::string Text(const char* key, const std::vector<std::string>& values = {}) const;

    const ComponentContext& context_;
    const std::vector<std::string>& header_;
    const ImportColumnMapping& mapping_;
    std::string defaultWarehouse_;
    const ImportKnownCodes& known_;
    StoredCorrespondenceRows& stored_;
    RecordEntryChecks checks_;
    std::optional<std::size_t> warehouseColumn_;
    std::optional<std::size_t> inventoryColumn_;
    // The columns of the imported fields, by position in ImportedFields().
    std::vector<std::optional<std::size_t>> fieldColumns_;
    // Row of the first occurrence of each key (warehouse and item keys joined).
    std::unordered_map<std::string, std::size_t> firstRowOfKey_;
};

}  // namespace korvel
