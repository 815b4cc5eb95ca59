#pragma once

#include <memory>
#include <string>

#include "host/objects/account_directory.h"
#include "host/objects/dialog_presenter.h"
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
};

}  // namespace zel
