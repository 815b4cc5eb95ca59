#include "import/import_preview.h"

#include <algorithm>

#include "core/blank_trim.h"
#include "import/import_known_codes.h"
#include "import/import_row_judge.h"
#include "import/stored_correspondence_rows.h"

namespace korvel {
namespace {

// Often enough for a progress bar, rarely enough to cost nothing.
constexpr std::size_t kProgressEvery = 1024;

bool IsBlankRow(const std::vector<std::string>& cells) {
    return std::all_of(cells.begin(), cells.end(),
                       [](const std::string& cell) { return TrimmedBlanks(cell).empty(); });
}

}  // namespace

ImportPreviewResult ImportPreview::Run(zel::TableReader& reader,
                                       const ImportPreviewRequest& request) const {
    using Status = ImportPreviewResult::Status;
    ImportPreviewResult result;
    const std::vector<std::string>& header = reader.Header();
    if (auto refusal = request.mapping.Refusal(*context_.login.pub, header, context_.catalogue,
                                               !TrimmedBlanks(request.defaultWarehouse).empty())) {
        result.status = Status::kMappingRefused;
        result.message = std::move(*refusal);
        return result;
    }
    ImportKnownCodes known;
    if (!known.Read(context_, result.message)) {
        result.status = Status::kDatabaseFailed;
        return result;
    }
    StoredCorrespondenceRows stored(context_.login);
    ImportRowJudge judge(context_, header, request.mapping, request.defaultWarehouse, known,
                         stored);
    std::vector<std::string> cells;
    std::size_t read = 0;
    while (reader.NextRow(cells)) {
        ++read;
        if (request.progress && read % kProgressEvery == 0 && !request.progress(read)) {
            result.status = Status::kCancelled;
            return result;
        }
        if (IsBlankRow(cells)) {
            continue;
        }
        auto outcome = judge.Judge(reader.Row(), cells, result.message);
        if (!outcome) {
            result.status = Status::kDatabaseFailed;
            return result;
        }
        ++result.counts[static_cast<std::size_t>(outcome->verdict)];
        result.rows.push_back(std::move(*outcome));
    }
    if (reader.Error().kind != zel::TableReadError::Kind::kNone) {
        result.status = Status::kReadFailed;
        result.readError = reader.Error();
        result.message = reader.Error().message;
        return result;
    }
    if (request.progress) {
        request.progress(read);
    }
    return result;
}

}  // namespace korvel
