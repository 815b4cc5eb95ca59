// A second program for the lock tests: takes a lock through the public service, reports the
// answer on standard output, and keeps its database session until it is told to let go, its
// input closes, or it is killed.
//
//   pub_lock_holder <account> <user> <mode>
//
// Output lines: "taken", "refused <message>", then after the line "release" on standard input,
// "released".

#include <iostream>
#include <memory>
#include <string>

#include "host/database/register_database_service.h"
#include "host/login/login.h"
#include "host/objects/object_registry.h"
#include "host/pub/register_pub_service.h"
#include "interfaces/pub.h"

namespace {

// Says what the service would have shown and never waits for an answer.
class PrintedDialogs final : public zel::IDialogPresenter {
public:
    int MessageBox(const std::string& text, int, const std::string&) override {
        lastMessage = text;
        return zel::kAnswerOk;
    }
    int ShowModal(QDialog&, QWidget*) override { return 0; }

    std::string lastMessage;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: pub_lock_holder <account> <user> <mode>\n";
        return 2;
    }
    const short mode = static_cast<short>(std::stoi(argv[3]));
    auto dialogs = std::make_shared<PrintedDialogs>();
    auto environment = std::make_shared<zel::HostEnvironment>();
    environment->dialogs = dialogs;
    zel::ObjectRegistry registry;
    zel::RegisterDatabaseService(registry, environment);
    zel::RegisterPubService(registry, environment);

    zel::Login::Values values;
    values.userId = argv[2];
    values.ysDBName = argv[1];
    zel::Login login(values);
    const auto db = zel::CreateObjectAs<zel::IClsCommon>(registry, "ZelSrvTrans.IClsCommon");
    const auto pub = zel::CreateObjectAs<zel::IPub>(registry, "ZelPub.IPub");
    if (!db || !pub) {
        std::cerr << "services missing\n";
        return 3;
    }
    db->Init(login.ysDBName());
    if (pub->IsLockFun(*db, login, "WhInvContrapose", mode)) {
        std::cout << "refused " << dialogs->lastMessage << std::endl;
        return 0;
    }
    std::cout << "taken" << std::endl;
    std::string line;
    while (std::getline(std::cin, line) && line != "release") {
    }
    pub->IsLockFun(*db, login, "WhInvContrapose", static_cast<short>(-mode));
    std::cout << "released" << std::endl;
    return 0;
}
