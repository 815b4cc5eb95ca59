// What the benchmarks of the main window share: the window bound to a demo account over the
// host's own services, as Show binds it, with nothing that waits for a user.
#pragma once

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/component_context.h"
#include "host/host_services.h"
#include "host/login/login.h"
#include "interfaces/pub.h"
#include "mainwindow/frm_whinv_contra.h"

namespace bench {

[[noreturn]] inline void Fail(const std::string& reason) {
    std::fprintf(stderr, "%s: %s\n", QCoreApplication::applicationName().toLocal8Bit().constData(),
                 reason.c_str());
    std::exit(1);
}

inline double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

inline double Mean(const std::vector<double>& values) {
    double sum = 0;
    for (const double value : values) {
        sum += value;
    }
    return values.empty() ? 0 : sum / static_cast<double>(values.size());
}

// Message boxes are answered OK, modal windows closed at once.
class NonBlockingDialogs final : public zel::IDialogPresenter {
public:
    int MessageBox(const std::string& text, int, const std::string&) override {
        std::fprintf(stderr, "message box: %s\n", text.c_str());
        return zel::kAnswerOk;
    }
    int ShowModal(QDialog&, QWidget*) override { return 0; }
};

// The main window on the account database at path, shown, its first activation done.
class DemoMainWindow {
public:
    // path: a SQLite file, or "postgresql:" and a server's connection text.
    explicit DemoMainWindow(
        const std::string& path,
        std::shared_ptr<zel::IDialogPresenter> dialogs = std::make_shared<NonBlockingDialogs>())
        : environment_(std::make_shared<zel::HostEnvironment>()) {
        environment_->accounts.Set(kAccount,
                                   path.starts_with("postgresql:") ? path : "sqlite:" + path);
        environment_->dialogs = std::move(dialogs);
        zel::RegisterHostServices(registry_, environment_);
        BindContext();
        window_ = std::make_unique<korvel::FrmWhInvContra>(context_);
        window_->show();
        for (int i = 0; i < 100 && !window_->FilledWarehouse(); ++i) {
            QCoreApplication::processEvents();
        }
    }

    korvel::FrmWhInvContra& Window() { return *window_; }
    korvel::ComponentContext& Context() { return context_; }

private:
    static constexpr const char* kAccount = "bench";

    void BindContext() {
        zel::Login::Values values;
        values.curDate = "2024-03-15";
        values.ysDBName = kAccount;
        korvel::LoginContext& login = context_.login;
        login.login = std::make_shared<zel::Login>(values);
        login.sCurDate = login.login->CurDate();
        login.pub = zel::CreateObjectAs<zel::IPub>(registry_, "ZelPub.IPub");
        login.db = zel::CreateObjectAs<zel::IClsCommon>(registry_, "ZelSrvTrans.IClsCommon");
        login.rowAuth = zel::CreateObjectAs<zel::IRowAuth>(registry_, "ZelRowAuthsvr.clsRowAuth");
        if (!login.pub || !login.db || !login.rowAuth) {
            Fail("a host service is not registered: " + registry_.LastError());
        }
        login.db->Init(kAccount);
        if (!login.db->Status()) {
            Fail("cannot open the account: " + login.db->LastError());
        }
        login.rowAuth->Init(kAccount, login.login->cUserId());
        korvel::InitAuth(login);
    }

    std::shared_ptr<zel::HostEnvironment> environment_;
    zel::ObjectRegistry registry_;
    korvel::ComponentContext context_;
    std::unique_ptr<korvel::FrmWhInvContra> window_;
};

}  // namespace bench
