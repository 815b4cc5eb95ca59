#include "app/report/due_report.h"

#include <QDate>

#include "app/report/report_login.h"
#include "app/report/report_status.h"
#include "app/report/report_table.h"
#include "checkplan/due_checks.h"
#include "host/objects/host_date.h"
#include "interfaces/pub.h"

namespace zel {

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
    bool read = false;
    const auto due = korvel::ReadDueChecks(
        *login.db, korvel::DueChecksQuery(login, {request.warehouse, request.storekeeper}, asOf),
        read);
    if (!read) {
        return ReportFailure("the rows cannot be read: " + login.db->LastError());
    }
    PrintData table = korvel::DueChecksTable(due, korvel::DueCheckCaptionsOf(*login.pub), asOf);
    table.title = login.pub->GetResString("Zel.AA.WHINVCONTRAPOSE.DUE.title");
    table.account = bound.account;
    table.user = bound.userId;
    std::string reason;
    if (!WriteReportTable(output, table,
                          ReportColumns(*login.db, korvel::DueChecksColumnsQuery(), table),
                          reason)) {
        return ReportFailure("the report cannot be written: " + reason);
    }
    return kReportWritten;
}

}  // namespace zel
