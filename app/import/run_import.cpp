#include "app/import/run_import.h"

#include <QDate>
#include <QString>
#include <cstdio>
#include <optional>

#include "app/import/import_status.h"
#include "app/report/report_login.h"
#include "core/common.h"
#include "core/component_context.h"
#include "core/const.h"
#include "host/controls/import/table_reader_factory.h"
#include "host/objects/host_date.h"
#include "host/objects/resource_texts.h"
#include "import/import_apply.h"
#include "import/import_mapping_store.h"
#include "import/import_preview.h"
#include "import/imported_cell.h"
#include "import/refused_rows_file.h"
#include "interfaces/pub.h"

namespace zel {
namespace {

const ResourceTexts& Texts() {
    return ResourceTexts::Instance();
}

int Failure(const std::string& reason, int status = kImportFailed) {
    return ReportFailure(reason, status, kImportProgram);
}

void Say(const std::string& line) {
    std::printf("%s\n", line.c_str());
}

std::optional<TableFormat> RequestedFormat(const ImportRequest& request) {
    if (request.format.empty()) {
        return TableFormat::kAuto;
    }
    if (request.format == "csv" || request.format == "xlsx") {
        return request.format == "csv" ? TableFormat::kCsv : TableFormat::kXlsx;
    }
    Failure(Texts().Format("Zel.IMPORT.bad_format", {request.format}), kImportBadRequest);
    return std::nullopt;
}

// The business date in the stored form; nullopt, the reason told, when the request names none.
std::optional<std::string> BusinessDate(const ImportRequest& request) {
    if (request.date.empty()) {
        return QDate::currentDate().toString(Qt::ISODate).toStdString();
    }
    const auto day = HostDate::Parse(request.date);
    if (!day) {
        Failure(Texts().Format("Zel.IMPORT.bad_date", {request.date}), kImportBadRequest);
        return std::nullopt;
    }
    return day->ToIso();
}

// The mapping the user last confirmed for this header in the import window, else the one the
// captions give.
korvel::ImportColumnMapping ColumnMapping(korvel::ComponentContext& context,
                                          const std::vector<std::string>& header) {
    korvel::LoginContext& login = context.login;
    if (auto kept = korvel::ImportMappingStore(login.db, login.login->cUserId()).Load(header)) {
        return *kept;
    }
    return korvel::ImportColumnMapping::Match(header, context.catalogue, *login.pub);
}

// A refused row by its number and codes; a code cell can hold a megabyte.
void SayRefused(std::size_t sourceRow, const std::string& warehouse, const std::string& inventory,
                const std::string& reason) {
    Say(Texts().Format("Zel.IMPORT.refused_row",
                       {std::to_string(sourceRow), korvel::CellForMessage(warehouse),
                        korvel::CellForMessage(inventory), reason}));
}

void PrintOutcome(const korvel::ImportPreviewResult& preview) {
    using korvel::ImportVerdict;
    Say(Texts().Format("Zel.IMPORT.counts",
                       {std::to_string(preview.Count(ImportVerdict::kNew)),
                        std::to_string(preview.Count(ImportVerdict::kChanged)),
                        std::to_string(preview.Count(ImportVerdict::kUnchanged)),
                        std::to_string(preview.Count(ImportVerdict::kRefused))}));
    for (const korvel::ImportRowOutcome& row : preview.rows) {
        if (row.verdict == ImportVerdict::kRefused) {
            SayRefused(row.sourceRow, row.warehouseCode, row.inventoryCode, row.reason);
        }
    }
}

// Why the preview came to no verdicts: the file, the database, or a file of no data rows.
std::optional<std::string> PreviewFailure(const korvel::ImportPreviewResult& preview,
                                          const std::string& file) {
    using Status = korvel::ImportPreviewResult::Status;
    switch (preview.status) {
        case Status::kDone:
            break;
        case Status::kReadFailed:
            return preview.readError.message;
        default:
            return preview.message;
    }
    if (preview.rows.empty()) {
        return Texts().Format("Zel.IMPORT.header_alone", {file});
    }
    return std::nullopt;
}

bool WriteRefusedRows(const std::string& path, const std::vector<std::string>& header,
                      const korvel::ImportColumnMapping& mapping,
                      const korvel::ImportPreviewResult& preview, IPub& pub) {
    const auto format = DetectTableFormat(QString::fromStdString(path)) == TableFormat::kXlsx
                            ? korvel::RefusedRowsFormat::kXlsx
                            : korvel::RefusedRowsFormat::kCsv;
    std::string reason;
    if (!korvel::WriteRefusedRowsFile(path, format, header, mapping, preview.rows, pub, reason)) {
        Failure(Texts().Format("Zel.IMPORT.refused_not_written", {path, reason}));
        return false;
    }
    Say(Texts().Format("Zel.IMPORT.refused_written", {path}));
    return true;
}

// The new and changed rows written; the rows the database refused then told as the preview's.
int Apply(const korvel::LoginContext& login, const korvel::ImportPreviewResult& preview,
          bool validOnly) {
    if (preview.Count(korvel::ImportVerdict::kNew) +
            preview.Count(korvel::ImportVerdict::kChanged) ==
        0) {
        Say(Texts().Text("Zel.IMPORT.nothing_to_write"));
        return kImportDone;
    }
    const korvel::ImportApplyResult applied =
        korvel::ApplyImport(login, preview.rows,
                            validOnly ? korvel::ImportApplyMode::kValidRowsOnly
                                      : korvel::ImportApplyMode::kAllOrNothing);
    for (const korvel::ImportRowRefusal& row : applied.refused) {
        SayRefused(row.sourceRow, row.warehouseCode, row.inventoryCode, row.reason);
    }
    if (applied.end != korvel::ImportApplyEnd::kApplied) {
        return Failure(Texts().Format("Zel.IMPORT.failed", {applied.error}));
    }
    Say(Texts().Format("Zel.IMPORT.imported",
                       {std::to_string(applied.added + applied.changed),
                        std::to_string(applied.added), std::to_string(applied.changed)}));
    return kImportDone;
}

}  // namespace

int RunImport(const ImportRequest& request, std::shared_ptr<HostEnvironment> environment) {
    const auto format = RequestedFormat(request);
    const auto date = format ? BusinessDate(request) : std::nullopt;
    if (!format || !date) {
        return kImportBadRequest;
    }
    const QString path = QString::fromStdString(request.file);
    if (!request.sheet.empty() && DetectTableFormat(path) == TableFormat::kCsv &&
        *format != TableFormat::kXlsx) {
        return Failure(Texts().Text("Zel.IMPORT.sheet_of_csv"), kImportBadRequest);
    }
    const std::unique_ptr<TableReader> reader = OpenTableReader(path, *format, request.sheet);
    if (reader->Error().kind != TableReadError::Kind::kNone) {
        return Failure(reader->Error().message);
    }
    ObjectRegistry registry;
    ReportLogin bound;
    if (const int status =
            BindReportLogin({request.database, request.user, request.configPath, kImportProgram},
                            *date, environment, registry, bound);
        status != kReportWritten) {
        return status;
    }
    // As the main window binds them: the judge rounds stored quantities to the account's
    // decimals, as the grid and its export show them.
    korvel::ComponentContext context;
    context.login = bound.login;
    korvel::LoadQuantityStyle(context);
    korvel::InitCatalogue(context);
    const korvel::ImportColumnMapping mapping = ColumnMapping(context, reader->Header());
    if (const auto refusal = mapping.Refusal(*context.login.pub, reader->Header(),
                                             context.catalogue, !request.warehouse.empty())) {
        return Failure(*refusal);
    }
    const korvel::ImportPreviewResult preview =
        korvel::ImportPreview(context).Run(*reader, {mapping, request.warehouse, {}});
    if (const auto failed = PreviewFailure(preview, request.file)) {
        return Failure(*failed);
    }
    PrintOutcome(preview);
    if (!request.refusedFile.empty() && !WriteRefusedRows(request.refusedFile, reader->Header(),
                                                          mapping, preview, *context.login.pub)) {
        return kImportFailed;
    }
    const std::size_t refused = preview.Count(korvel::ImportVerdict::kRefused);
    if (refused > 0 && !request.validOnly) {
        Say(Texts().Format("Zel.IMPORT.all_or_nothing", {std::to_string(refused)}));
        return kImportRowsRefused;
    }
    if (request.dryRun) {
        Say(Texts().Text("Zel.IMPORT.dry_run"));
        return kImportDone;
    }
    return Apply(context.login, preview, request.validOnly);
}

}  // namespace zel
