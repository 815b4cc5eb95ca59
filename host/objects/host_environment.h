#pragma once

#include <functional>
#include <memory>
#include <string>

#include "host/objects/account_directory.h"
#include "host/objects/dialog_presenter.h"
#include "host/objects/shared_connections.h"
#include "interfaces/login.h"

namespace zel {

// What every host service of one program (or one test) shares.
struct HostEnvironment {
    AccountDirectory accounts;
    std::shared_ptr<IDialogPresenter> dialogs = std::make_shared<QtDialogPresenter>();
    // When not empty, every statement the database service receives is written here.
    std::string sqlLogPath;
    // The logged-in user of this host.
    std::shared_ptr<ILogin> session;
    // Set when the public service refused a function lock (another program holds it, or it could
    // not be checked): the program then ends with a status that says so.
    bool functionLockRefused = false;
    // One connection per account for every database service of this program. A copy of the
    // environment shares them; a test gives a copy its own to stand for another program.
    std::shared_ptr<SharedConnections> connections = std::make_shared<SharedConnections>();
    // Set by the program: closes the open function after the database service, connecting again
    // after the connection was lost, found that another user took its function lock meanwhile.
    std::function<void()> closeFunction;
};

}  // namespace zel
