#include "core/database_failure.h"

#include "core/common.h"
#include "core/run_ignoring_errors.h"

namespace korvel {

void TellDatabaseFailure(const LoginContext& login) {
    zel::IPub& pub = *login.pub;
    std::string reason;
    RunIgnoringErrors([&] { reason = login.db->LastError(); });
    ShowInfoMessage(pub, reason.empty()
                             ? pub.GetResString("Zel.AA.WHINVCONTRAPOSE.COMMON.db_failed")
                             : pub.GetResFormatString(
                                   "Zel.AA.WHINVCONTRAPOSE.COMMON.db_failed_reason", {reason}));
}

bool TellIfDisconnected(const LoginContext& login) {
    bool connected = false;
    RunIgnoringErrors([&] { connected = login.db->Status(); });
    if (!connected) {
        TellDatabaseFailure(login);
    }
    return !connected;
}

std::shared_ptr<zel::IRecordset> OpenOrTell(const LoginContext& login, const std::string& sql) {
    auto rows = login.db->OpenX(sql);
    if (!rows) {
        TellDatabaseFailure(login);
    }
    return rows;
}

bool ReadWholeOrTell(const LoginContext& login, const zel::IRecordset& rows) {
    if (rows.IsOpen()) {
        return true;
    }
    TellDatabaseFailure(login);
    return false;
}

}  // namespace korvel
