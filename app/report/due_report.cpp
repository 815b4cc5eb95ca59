#include "app/report/due_report.h"

#include <QDate>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>

#include "checkplan/due_checks.h"
#include "core/login_context.h"
#include "host/controls/export/csv_table_writer.h"
#include "host/controls/export/export_columns.h"
#include "host/controls/export/xlsx_table_writer.h"
#include "host/database/account_user.h"
#include "host/host_services.h"
#include "host/login/login.h"
#include "host/objects/host_date.h"
#include "host/pub/export_grid_columns.h"
#include "interfaces/pub.h"

namespace zel {
namespace {

constexpr int kWritten = 0;
constexpr int kFailed = 1;
constexpr int kBadRequest = 2;

int Fail(const std::string& reason, int status = kFailed) {
    std::fprintf(stderr, "whinv-report: %s\n", reason.c_str());
    return status;
}

// A user other than the server login is a request the report cannot use; the rest are failures.
int RefusalStatus(const AccountUser& user) {
    const std::string detail = user.detail.empty() ? "" : " (" + user.detail + ")";
    return Fail(user.reason + detail,
                user.refusal == AccountUser::Refusal::NotTheLogin ? kBadRequest : kFailed);
}

// The login's services bound as the component binds them, rights included.
bool Bind(korvel::LoginContext& login, ObjectRegistry& registry, const DueReportRequest& request,
          const AccountUser& user, const std::string& date, std::string& error) {
    Login::Values values;
    values.userId = user.userId;
    values.ysDBName = request.database;
    values.curDate = date;
    login.login = std::make_shared<Login>(values);
    login.sCurDate = date;
    login.pub = CreateObjectAs<IPub>(registry, "ZelPub.IPub");
    login.db = CreateObjectAs<IClsCommon>(registry, "ZelSrvTrans.IClsCommon");
    login.rowAuth = CreateObjectAs<IRowAuth>(registry, "ZelRowAuthsvr.clsRowAuth");
    if (!login.pub || !login.db || !login.rowAuth) {
        error = "a host service is missing: " + registry.LastError();
        return false;
    }
    login.db->Init(request.database);
    if (!login.db->Status()) {
        // The engine's reason may repeat the connection text, password and all.
        error = "cannot open the account " + user.account;
        return false;
    }
    login.rowAuth->Init(request.database, user.userId);
    korvel::InitAuth(login);
    return true;
}

// As the due window describes its columns to its export: dates as dates, days as numbers.
std::vector<ExportColumn> DueTableColumns(IClsCommon& db, const PrintData& table) {
    const std::shared_ptr<IRecordset> fields = db.OpenX(korvel::DueChecksColumnsQuery());
    if (!fields) {
        return std::vector<ExportColumn>(table.headers.size());
    }
    return TableExportColumns(table, *fields);
}

bool WriteTable(const DueReportRequest& request, const PrintData& table,
                const std::vector<ExportColumn>& columns, std::string& reason) {
    if (request.format == "xlsx") {
        return WriteXlsxTable(request.output, table, columns, reason);
    }
    if (!request.output.empty()) {
        return WriteCsvTable(request.output, table, columns, reason);
    }
    // Standard output: written to a file of its own first, so that a broken write is told.
    QTemporaryDir folder;
    const std::string temporary = folder.filePath("due.csv").toStdString();
    if (!folder.isValid() || !WriteCsvTable(temporary, table, columns, reason)) {
        return false;
    }
    std::ifstream file(temporary, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0;
}

}  // namespace

int RunDueReport(const DueReportRequest& request, std::shared_ptr<HostEnvironment> environment) {
    if (request.format != "csv" && request.format != "xlsx") {
        return Fail("--format is csv or xlsx, not " + request.format, kBadRequest);
    }
    if (request.format == "xlsx" && request.output.empty()) {
        return Fail("an xlsx report needs --output FILE", kBadRequest);
    }
    const std::string typed = request.date.empty()
                                  ? QDate::currentDate().toString(Qt::ISODate).toStdString()
                                  : request.date;
    const auto day = HostDate::Parse(typed);
    if (!day) {
        return Fail("not a date from 1900 on (yyyy-mm-dd): " + typed, kBadRequest);
    }
    const std::string date = day->ToIso();
    const std::chrono::year_month_day asOf = day->Day();
    environment->accounts.LoadConfiguration(request.configPath);
    const AccountUser user =
        EstablishAccountUser(environment->accounts, request.database, request.user);
    if (!user.Established()) {
        return RefusalStatus(user);
    }
    ObjectRegistry registry;
    RegisterHostServices(registry, environment);
    korvel::LoginContext login;
    std::string error;
    if (!Bind(login, registry, request, user, date, error)) {
        return Fail(error);
    }
    bool read = false;
    const auto due = korvel::ReadDueChecks(
        *login.db, korvel::DueChecksQuery(login, {request.warehouse, request.storekeeper}), asOf,
        read);
    if (!read) {
        return Fail("the rows cannot be read: " + login.db->LastError());
    }
    PrintData table = korvel::DueChecksTable(due, korvel::DueCheckCaptionsOf(*login.pub), asOf);
    table.title = login.pub->GetResString("Zel.AA.WHINVCONTRAPOSE.DUE.title");
    table.account = user.account;
    table.user = user.userId;
    std::string reason;
    if (!WriteTable(request, table, DueTableColumns(*login.db, table), reason)) {
        return Fail("the report cannot be written: " + reason);
    }
    return kWritten;
}

}  // namespace zel
