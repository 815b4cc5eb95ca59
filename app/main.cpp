#include <QApplication>
#include <cstdio>

#include "command_line.h"
#include "host/host_services.h"
#include "interfaces/whinv_contra.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    std::string error;
    const auto line = zel::ParseCommandLine(QApplication::arguments(), error);
    if (!line) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }

    auto environment = std::make_shared<zel::HostEnvironment>();
    environment->accounts.LoadConfiguration(line->configPath);
    environment->sqlLogPath = line->sqlLogPath;

    zel::ObjectRegistry registry;
    zel::RegisterHostServices(registry, environment);
    registry.LoadRegistrations(line->registryDir.empty() ? WHINV_REGISTRY_DIR : line->registryDir);

    auto component = zel::CreateObjectAs<zel::IWhInvContra>(registry, "Korvel.IWhInvContra");
    if (!component) {
        std::fprintf(stderr, "cannot create Korvel.IWhInvContra: %s\n",
                     registry.LastError().c_str());
        return 1;
    }
    std::shared_ptr<zel::ILogin> login = std::make_shared<zel::Login>(line->login);
    environment->session = login;
    component->Show(login);
    return 0;
}
