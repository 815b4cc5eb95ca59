#include "component/support/main_window_fixture.h"

#include <QCoreApplication>
#include <stdexcept>

#include "core/login_context.h"
#include "host/database/cls_common.h"
#include "host/host_services.h"
#include "host/login/login.h"
#include "interfaces/pub.h"

namespace korvel::test {
namespace {

std::shared_ptr<zel::ILogin> LoginAs(const std::string& user) {
    zel::Login::Values values;
    values.userId = user;
    values.userName = user;
    values.curDate = "2024-03-15";
    values.ysDBName = zel::test::TestDatabase::kAccount;
    return std::make_shared<zel::Login>(values);
}

}  // namespace

MainWindowTest::MainWindowTest() {
    zel::RegisterHostServices(registry, database.Environment());
}

void MainWindowTest::BindContext(const std::string& user) {
    LoginContext& login = context.login;
    context.factory = &registry;
    login.login = LoginAs(user);
    login.sCurDate = login.login->CurDate();
    login.pub = zel::CreateObjectAs<zel::IPub>(registry, "ZelPub.IPub");
    login.db = database.OpenService();
    login.rowAuth = zel::CreateObjectAs<zel::IRowAuth>(registry, "ZelRowAuthsvr.clsRowAuth");
    ASSERT_TRUE(login.pub && login.rowAuth);
    login.rowAuth->Init(login.login->ysDBName(), user);
    InitAuth(login);
}

void MainWindowTest::BindContext(const zel::test::TestDatabase::UserLogin& user) {
    BindContext(user.userId);
    if (!database.OnServer()) {
        return;
    }
    auto environment = std::make_shared<zel::HostEnvironment>(*database.Environment());
    environment->accounts.Set(user.userId, user.database);
    auto service = std::make_shared<zel::ClsCommon>(environment);
    service->Init(user.userId);
    ASSERT_TRUE(service->Status()) << service->LastError();
    context.login.db = service;
}

RecordingPub& MainWindowTest::RecordHostCalls() {
    if (!context.login.pub) {
        BindContext();
    }
    auto recording = std::make_shared<RecordingPub>(context.login.pub);
    context.login.pub = recording;
    return *recording;
}

FrmWhInvContra& MainWindowTest::Open(MainWindowCommands commands) {
    if (!context.login.pub) {
        BindContext();
    }
    window = std::make_unique<FrmWhInvContra>(context, std::move(commands));
    window->show();
    Pump();
    return *window;
}

MainWindowTest::Session MainWindowTest::HoldEditLock(const std::string& user) {
    Session session{zel::CreateObjectAs<zel::IPub>(registry, "ZelPub.IPub"), database.OpenService(),
                    LoginAs(user)};
    EXPECT_FALSE(
        session.pub->IsLockFun(*session.db, *session.login, "WhInvContrapose", zel::kLockEdit));
    return session;
}

bool MainWindowTest::EditLockIsFree(const std::string& user) {
    Session session{zel::CreateObjectAs<zel::IPub>(registry, "ZelPub.IPub"), database.OpenService(),
                    LoginAs(user)};
    const bool refused =
        session.pub->IsLockFun(*session.db, *session.login, "WhInvContrapose", zel::kLockEdit);
    if (!refused) {
        session.pub->IsLockFun(*session.db, *session.login, "WhInvContrapose", zel::kUnlockEdit);
    }
    return !refused;
}

void MainWindowTest::AddRows(const std::string& warehouse, const std::string& codePrefix,
                             int count) {
    database.Execute("begin");
    for (int i = 1; i <= count; ++i) {
        char code[64];
        std::snprintf(code, sizeof code, "%s%04d", codePrefix.c_str(), i);
        database.AddInventory(code, "存货" + std::to_string(i));
        database.AddCorrespondence(warehouse, code, {{"iTopSum", 10.5}, {"cFrequency", "月"}});
    }
    database.Execute("commit");
}

void MainWindowTest::Click(FrmWhInvContra& window, const std::string& key) {
    zel::YsTreeNode* node = window.Trv().Nodes().Find(key);
    if (!node) {
        throw std::runtime_error("no node " + key);
    }
    node->SetSelected(true);
    window.Trv().RaiseNodeClick(*node);
}

void MainWindowTest::Pump() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
}

}  // namespace korvel::test
