#include "app/report/history_report.h"

#include <QDate>

#include "app/report/report_login.h"
#include "app/report/report_status.h"
#include "app/report/report_table.h"
#include "history/change_history.h"
#include "host/objects/host_date.h"
#include "interfaces/pub.h"

namespace zel {
namespace {

// The day a bound names, in the stored form; nullopt, the reason told, when it names none.
std::optional<std::string> Day(const char* option, const std::string& typed) {
    if (typed.empty()) {
        ReportFailure(std::string(option) + " is needed (yyyy-mm-dd)");
        return std::nullopt;
    }
    const auto day = HostDate::Parse(typed);
    if (!day) {
        ReportFailure(std::string("not a date from 1900 on (yyyy-mm-dd) for ") + option + ": " +
                      typed);
        return std::nullopt;
    }
    return day->ToIso();
}

}  // namespace

int RunHistoryReport(const HistoryReportRequest& request,
                     std::shared_ptr<HostEnvironment> environment) {
    const ReportOutput output{request.format, request.output};
    if (const auto refused = RefusedOutput(output)) {
        return *refused;
    }
    const auto from = Day("--from", request.from);
    const auto to = from ? Day("--to", request.to) : std::nullopt;
    if (!from || !to) {
        return kReportBadRequest;
    }
    if (*to < *from) {
        return ReportFailure("--to " + *to + " comes before --from " + *from, kReportBadRequest);
    }
    const std::string today = QDate::currentDate().toString(Qt::ISODate).toStdString();
    ObjectRegistry registry;
    ReportLogin bound;
    if (const int status = BindReportLogin({request.database, request.user, request.configPath},
                                           today, environment, registry, bound);
        status != kReportWritten) {
        return status;
    }
    korvel::LoginContext& login = bound.login;
    korvel::ChangeHistoryFilter filter;
    filter.warehouse = request.warehouse;
    filter.from = *from;
    filter.to = *to;
    bool read = false;
    const auto entries =
        korvel::ReadChangeHistory(*login.db, korvel::ChangeHistoryQuery(login, filter), read);
    if (!read) {
        return ReportFailure("the history cannot be read: " + login.db->LastError());
    }
    PrintData table =
        korvel::ChangeHistoryTable(entries, korvel::ChangeHistoryCaptionsOf(*login.pub, *login.db));
    table.title = login.pub->GetResString("Zel.AA.WHINVCONTRAPOSE.HISTORY.title");
    table.account = bound.account;
    table.user = bound.userId;
    std::string reason;
    if (!WriteReportTable(output, table,
                          ReportColumns(*login.db, korvel::ChangeHistoryColumnsQuery(), table),
                          reason)) {
        return ReportFailure("the report cannot be written: " + reason);
    }
    return kReportWritten;
}

}  // namespace zel
