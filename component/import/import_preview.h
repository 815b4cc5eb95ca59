#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "core/component_context.h"
#include "host/controls/import/table_reader.h"
#include "import/import_column_mapping.h"
#include "import/import_plan.h"

namespace korvel {

struct ImportPreviewRequest {
    // Which field each column holds: ImportColumnMapping::Match, or what ImportMappingStore
    // remembered, as the user corrected it.
    ImportColumnMapping mapping;
    // The warehouse of the rows that name none (the file has no warehouse column, or the cell
    // is blank): the one chosen in the main window's tree; "" for none.
    std::string defaultWarehouse;
    // Called now and then with the data rows read so far; answering false cancels the preview.
    std::function<bool(std::size_t rowsRead)> progress;
};

struct ImportPreviewResult {
    enum class Status {
        kDone,
        kCancelled,
        // The mapping cannot be used (message says why); no row was read.
        kMappingRefused,
        // The file could not be read to its end (readError says where and why).
        kReadFailed,
        // The database could not be read (message gives its reason).
        kDatabaseFailed,
    };

    Status status = Status::kDone;
    // In the user's words, for every status but kDone and kCancelled.
    std::string message;
    zel::TableReadError readError;
    // One outcome per data row read, in file order; blank rows are skipped.
    std::vector<ImportRowOutcome> rows;
    // Rows per verdict, indexed by ImportVerdict.
    std::array<std::size_t, 4> counts{};

    std::size_t Count(ImportVerdict verdict) const {
        return counts[static_cast<std::size_t>(verdict)];
    }
};

// The test run of an import: reads the data rows of an opened table and judges each against the
// database (ImportRowJudge) without writing anything. The warehouses, items and persons the user
// may read are read once in bulk, the stored rows once per warehouse the file names; the rows
// are then judged in memory, keeping per row only its keys, the fields that change and, for a
// refused row, its cells. A window or the command-line import shows its progress and offers the
// cancel through the request's callback.
class ImportPreview {
public:
    explicit ImportPreview(const ComponentContext& context) : context_(context) {}

    // reader has been opened (its header read).
    ImportPreviewResult Run(zel::TableReader& reader, const ImportPreviewRequest& request) const;

private:
    const ComponentContext& context_;
};

}  // namespace korvel
