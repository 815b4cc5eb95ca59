#include "core/whinv_contra.h"

#include <utility>

#include "core/common.h"
#include "core/host_lock.h"
#include "core/run_ignoring_errors.h"
#include "interfaces/cls_common.h"
#include "interfaces/pub.h"
#include "interfaces/row_auth.h"

namespace korvel {

WhInvContra::WhInvContra(zel::IObjectFactory& factory, MainWindowRunner runMainWindow,
                         PlainMessage showPlain)
    : factory_(factory),
      runMainWindow_(std::move(runMainWindow)),
      showPlain_(std::move(showPlain)) {}

// Every step that fails without stopping start-up is skipped, and every path ends with the
// references dropped, so nothing of one Show outlives it.
void WhInvContra::Show(std::shared_ptr<zel::ILogin>& oLogin) {
    context_.login = LoginContext{};
    context_.factory = &factory_;
    if (BindServices(oLogin)) {
        InitAuth(context_.login);
        RunMainWindowLocked();
    }
    DropReferences();
}

bool WhInvContra::BindServices(std::shared_ptr<zel::ILogin>& oLogin) {
    LoginContext& bound = context_.login;
    RunIgnoringErrors([&] { bound.pub = zel::CreateObjectAs<zel::IPub>(factory_, "ZelPub.IPub"); });
    if (!bound.pub) {
        // Without the public service there are no resource texts to word the message.
        RunIgnoringErrors([&] { showPlain_("not find zelpub.dll", "Information"); });
        return false;
    }
    bound.login = oLogin;
    if (!bound.login) {
        ShowFailure("Zel.AA.ARCHIVE.COMMON.nologin");
        return false;
    }
    RunIgnoringErrors([&] { bound.sCurDate = bound.login->CurDate(); });
    if (!BindDatabase()) {
        return false;
    }
    RunIgnoringErrors([&] {
        bound.rowAuth = zel::CreateObjectAs<zel::IRowAuth>(factory_, "ZelRowAuthsvr.clsRowAuth");
    });
    if (!bound.rowAuth) {
        ShowFailure("Zel.AA.ARCHIVE.COMMON.loadrowauthsvrfail");
        return false;
    }
    RunIgnoringErrors(
        [&] { bound.rowAuth->Init(bound.login->ysDBName(), bound.login->cUserId()); });
    return true;
}

bool WhInvContra::BindDatabase() {
    LoginContext& bound = context_.login;
    RunIgnoringErrors([&] {
        bound.db = zel::CreateObjectAs<zel::IClsCommon>(factory_, "ZelSrvTrans.IClsCommon");
    });
    if (!bound.db) {
        ShowFailure("Zel.AA.ARCHIVE.COMMON.loadsrvdbfail");
        return false;
    }
    RunIgnoringErrors([&] { bound.db->Init(bound.login->ysDBName()); });
    bool connected = false;
    RunIgnoringErrors([&] { connected = bound.db->Status(); });
    if (!connected) {
        ShowFailure("Zel.AA.ARCHIVE.COMMON.dbconnectfail");
    }
    return connected;
}

void WhInvContra::ShowFailure(const char* key) {
    zel::IPub& pub = *context_.login.pub;
    RunIgnoringErrors([&] { ShowInfoMessage(pub, pub.GetResString(key)); });
}

void WhInvContra::RunMainWindowLocked() {
    const LoginContext& bound = context_.login;
    const auto lock =
        HostLock::Take(bound.pub, bound.db, bound.login, "WhInvContrapose", zel::kLockFunction);
    if (!lock) {
        return;
    }
    RunIgnoringErrors([&] { runMainWindow_(context_); });
}

void WhInvContra::DropReferences() {
    LoginContext& bound = context_.login;
    bound.login.reset();
    bound.db.reset();
    bound.pub.reset();
    bound.rowAuth.reset();
}

}  // namespace korvel
