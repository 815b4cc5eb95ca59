#include "app/report/due_report.h"

#include <QDate>

#include "app/report/report_login.h"
#include "app/report/report_status.h"
#include "app/report/report_table.h"
#include "checkplan/due_checks.h"
#include "host/objects/host_date.h"
#include "interfaces/pub.h"

namespace zel {
namespace {

// Rows read and written at a time: enough that a slice costs little more than its rows, few
// enough that it takes no memory to speak of.
constexpr std::size_t kSliceRecords = 4096;

TableHeading DueHeading(korvel::LoginContext& login, const korvel::DueCheckCaptions& captions) {
    PrintData header;
    header.headers = captions.columns;
    return {login.pub->GetResString("Zel.AA.WHINVCONTRAPOSE.DUE.title"),
            {},
            captions.columns,
            ReportColumns(*login.db, korvel::DueChecksColumnsQuery(), header)};
}

// The due rows as the reader gives them, in its order, and the day they are due by.
struct DueRows {
    korvel::DueCheckReader& reader;
    const korvel::DueCheckCaptions& captions;
    std::chrono::year_month_day asOf;
};

// Each slice of due rows is written as soon as it is read, so that the report never holds the
// list. A read that breaks off part way leaves no file: the writer is never finished.
int WriteDueRows(IClsCommon& db, DueRows rows, const TableHeading& heading, TableWriter& writer) {
    const auto unread = [&] { return ReportFailure("the rows cannot be read: " + db.LastError()); };
    const auto unwritten = [&] {
        return ReportFailure("the report cannot be written: " + writer.Reason());
    };
    if (rows.reader.Failed()) {
        return unread();
    }
    if (!writer.Begin(heading)) {
        return unwritten();
    }
    std::vector<korvel::DueCheck> slice;
    std::vector<std::string_view> cells;
    while (!rows.reader.AtEnd()) {
        slice.clear();
        rows.reader.ReadSome(kSliceRecords, slice);
        for (const korvel::DueCheck& row : slice) {
            const std::vector<std::string> texts =
                korvel::DueCheckCells(row, rows.captions, rows.asOf);
            cells.assign(texts.begin(), texts.end());
            if (!writer.AddRow(cells)) {
                return unwritten();
            }
        }
    }
    if (rows.reader.Failed()) {
        return unread();
    }
    return writer.Finish() ? kReportWritten : unwritten();
}

}  // namespace

int RunDueReport(const DueReportRequest& request, std::shared_ptr<HostEnvironment> environment) {
    const ReportOutput output{request.format, request.output};
    if (const auto refused = RefusedOutput(output)) {
        return *refused;
    }
    const std::string typed = request.date.empty()
                                  ? QDate::currentDate().toString(Qt::ISODate).toStdString()
                                  : request.date;
    const auto day = HostDate::Parse(typed);
    if (!day) {
        return ReportFailure("not a date from 1900 on (yyyy-mm-dd): " + typed, kReportBadRequest);
    }
    const std::string date = day->ToIso();
    const std::chrono::year_month_day asOf = day->Day();
    ObjectRegistry registry;
    ReportLogin bound;
    if (const int status = BindReportLogin({request.database, request.user, request.configPath},
                                           date, environment, registry, bound);
        status != kReportWritten) {
        return status;
    }
    korvel::LoginContext& login = bound.login;
    const korvel::DueCheckCaptions captions = korvel::DueCheckCaptionsOf(*login.pub);
    const TableHeading heading = DueHeading(login, captions);
    korvel::DueCheckReader reader(
        *login.db, korvel::DueChecksQuery(login, {request.warehouse, request.storekeeper}, asOf));
    return WriteDueRows(*login.db, {reader, captions, asOf}, heading, *ReportTableWriter(output));
}

}  // namespace zel
