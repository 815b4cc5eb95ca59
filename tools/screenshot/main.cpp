// Starts the component as the host program does and saves a picture of its main window.
#include <QApplication>
#include <cstdio>

#include "host/database/account_user.h"
#include "host/host_services.h"
#include "host/objects/qt_translation.h"
#include "interfaces/whinv_contra.h"
#include "tools/screenshot/screenshot_command_line.h"
#include "tools/screenshot/window_capture_presenter.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    zel::InstallQtTranslation(application);
    std::string error;
    const auto line = zel::ParseScreenshotCommandLine(QApplication::arguments(), error);
    if (!line) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }

    auto presenter = std::make_shared<zel::WindowCapturePresenter>(
        line->outputPath, line->settleMilliseconds, line->openAction, line->answerFile);
    auto environment = std::make_shared<zel::HostEnvironment>();
    if (!line->configPath.empty()) {
        environment->accounts.LoadConfiguration(line->configPath);
    }
    environment->dialogs = presenter;

    zel::ObjectRegistry registry;
    zel::RegisterHostServices(registry, environment);
    registry.LoadRegistrations(line->registryDir.empty() ? WHINV_REGISTRY_DIR : line->registryDir);

    auto component = zel::CreateObjectAs<zel::IWhInvContra>(registry, "Korvel.IWhInvContra");
    if (!component) {
        std::fprintf(stderr, "cannot create Korvel.IWhInvContra: %s\n",
                     registry.LastError().c_str());
        return 1;
    }
    // The picture shows what the account's user sees: on a server, the login's rows.
    const zel::AccountUser user = zel::EstablishAccountUser(
        environment->accounts, *environment->connections, line->login.ysDBName, std::nullopt);
    if (!user.Established()) {
        std::fprintf(stderr, "%s\n", user.reason.c_str());
        return 1;
    }
    zel::Login::Values values = line->login;
    values.userId = user.userId;
    std::shared_ptr<zel::ILogin> login = std::make_shared<zel::Login>(values);
    environment->session = login;
    component->Show(login);
    if (!presenter->Captured()) {
        std::fprintf(stderr, "the window was not shown: nothing captured\n");
        return 1;
    }
    return 0;
}
