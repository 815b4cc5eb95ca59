#include "app/report/report_login.h"

#include "app/report/report_status.h"
#include "host/database/account_user.h"
#include "host/host_services.h"
#include "host/login/login.h"
#include "interfaces/pub.h"

namespace zel {
namespace {

// A user other than the server login is a request the report cannot use; the rest are failures.
int RefusalStatus(const AccountUser& user, std::string_view program) {
    const std::string detail = user.detail.empty() ? "" : " (" + user.detail + ")";
    return ReportFailure(
        user.reason + detail,
        user.refusal == AccountUser::Refusal::NotTheLogin ? kReportBadRequest : kReportFailed,
        program);
}

bool Bind(korvel::LoginContext& login, ObjectRegistry& registry, const std::string& database,
          const AccountUser& user, const std::string& date, std::string& error) {
    Login::Values values;
    values.userId = user.userId;
    values.ysDBName = database;
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
    login.db->Init(database);
    if (!login.db->Status()) {
        // The engine's reason may repeat the connection text, password and all.
        error = "cannot open the account " + user.account;
        return false;
    }
    login.rowAuth->Init(database, user.userId);
    korvel::InitAuth(login);
    return true;
}

}  // namespace

int BindReportLogin(const ReportAccount& account, const std::string& date,
                    const std::shared_ptr<HostEnvironment>& environment, ObjectRegistry& registry,
                    ReportLogin& bound) {
    environment->accounts.LoadConfiguration(account.configPath);
    const AccountUser user = EstablishAccountUser(environment->accounts, *environment->connections,
                                                  account.database, account.user);
    if (!user.Established()) {
        return RefusalStatus(user, account.program);
    }
    RegisterHostServices(registry, environment);
    std::string error;
    if (!Bind(bound.login, registry, account.database, user, date, error)) {
        return ReportFailure(error, kReportFailed, account.program);
    }
    bound.account = user.account;
    bound.userId = user.userId;
    return kReportWritten;
}

}  // namespace zel
