#include "app/run_component.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

#include "app/exit_status.h"
#include "app/first_start_demo.h"
#include "app/opened_window_presenter.h"
#include "app/quit_after_show_presenter.h"
#include "host/database/account_user.h"
#include "host/database/sql_log.h"
#include "host/host_services.h"
#include "host/objects/resource_texts.h"
#include "interfaces/pub.h"
#include "interfaces/whinv_contra.h"

namespace zel {
namespace {

// The build tree and an installed tree both keep the registrations at this place from the
// program's own folder.
std::string RegistrationsBesideProgram() {
    return (QCoreApplication::applicationDirPath() + "/" WHINV_REGISTRY_FROM_PROGRAM).toStdString();
}

// The user the account establishes; when it establishes none, the reason was shown.
AccountUser EstablishedUser(const CommandLine& line, const HostEnvironment& environment) {
    const auto start = std::chrono::steady_clock::now();
    AccountUser user = EstablishAccountUser(environment.accounts, *environment.connections,
                                            line.login.ysDBName, line.user);
    if (!user.Established()) {
        // The message names the account only; the engine's own words are for whoever looks into
        // why, on standard error and in the SQL log.
        if (!user.detail.empty()) {
            std::fprintf(stderr, "whinv: %s\n", user.detail.c_str());
            SqlLog(environment.sqlLogPath)
                .Append("Open", user.account, -1, std::chrono::steady_clock::now() - start,
                        user.detail);
        }
        environment.dialogs->MessageBox(
            user.reason, kMsgStop,
            ResourceTexts::Instance().Text("Zel.AA.ARCHIVE.COMMON.exclamation"));
    }
    return user;
}

// A function whose lock was lost, once its message was shown: the windows the program opened
// close on the event loop's next turn, as they would at the user's hand.
void CloseOpenWindowsSoon() {
    QTimer::singleShot(0, [] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->parentWidget() == nullptr) {
                window->close();
            }
        }
    });
}

}  // namespace

int RunComponent(const CommandLine& line, std::shared_ptr<HostEnvironment> environment) {
    environment->accounts.LoadConfiguration(line.configPath);
    environment->sqlLogPath = line.sqlLogPath;
    if (!line.databaseNamed &&
        !PrepareFirstStartDatabase(environment->accounts, line.login.ysDBName,
                                   *environment->dialogs)) {
        return kExitNoDemoDatabase;
    }
    const AccountUser user = EstablishedUser(line, *environment);
    if (!user.Established()) {
        return user.refusal == AccountUser::Refusal::Unreachable ? kExitNoDatabase : kExitNoUser;
    }
    Login::Values values = line.login;
    values.userId = user.userId;

    ObjectRegistry registry;
    RegisterHostServices(registry, environment);
    registry.LoadRegistrations(line.registryDir.empty() ? RegistrationsBesideProgram()
                                                        : line.registryDir);

    auto component = CreateObjectAs<IWhInvContra>(registry, "Korvel.IWhInvContra");
    if (!component) {
        std::fprintf(stderr, "cannot create Korvel.IWhInvContra: %s\n",
                     registry.LastError().c_str());
        return kExitNoComponent;
    }
    std::shared_ptr<ILogin> login = std::make_shared<Login>(values);
    environment->session = login;
    environment->closeFunction = CloseOpenWindowsSoon;
    const auto dialogs = environment->dialogs;
    auto watch = std::make_shared<OpenedWindowPresenter>(dialogs);
    environment->dialogs = watch;
    component->Show(login);
    environment->dialogs = dialogs;
    if (environment->functionLockRefused) {
        return kExitFunctionLocked;
    }
    return watch->WindowOpened() ? kExitDone : kExitNotShown;
}

int RunComponentUntilShown(const CommandLine& line, std::shared_ptr<HostEnvironment> environment) {
    auto presenter = std::make_shared<QuitAfterShowPresenter>(environment->dialogs);
    environment->dialogs = presenter;
    const int status = RunComponent(line, std::move(environment));
    if (status == kExitDone && !presenter->MainWindowShown()) {
        std::fprintf(stderr, "the main window was not shown\n");
        return kExitNotShown;
    }
    return status;
}

}  // namespace zel
