#include "app/run_component.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <optional>

#include "app/exit_status.h"
#include "app/first_start_demo.h"
#include "app/quit_after_show_presenter.h"
#include "host/database/account_user.h"
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

// The login of the user the account establishes; nullopt, after the reason was shown, when it
// establishes none.
std::optional<Login::Values> EstablishedLogin(const CommandLine& line,
                                              const HostEnvironment& environment) {
    const AccountUser user =
        EstablishAccountUser(environment.accounts, line.login.ysDBName, line.user);
    if (!user.Established()) {
        environment.dialogs->MessageBox(
            user.reason, kMsgStop,
            ResourceTexts::Instance().Text("Zel.AA.ARCHIVE.COMMON.exclamation"));
        return std::nullopt;
    }
    Login::Values values = line.login;
    values.userId = user.userId;
    return values;
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
    const auto values = EstablishedLogin(line, *environment);
    if (!values) {
        return kExitNoUser;
    }

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
    std::shared_ptr<ILogin> login = std::make_shared<Login>(*values);
    environment->session = login;
    // Once the message of the lost lock was shown: the windows the program opened close.
    environment->closeFunction = [] {
        QTimer::singleShot(0, [] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (window->parentWidget() == nullptr) {
                    window->close();
                }
            }
        });
    };
    component->Show(login);
    return environment->functionLockRefused ? kExitFunctionLocked : kExitDone;
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
