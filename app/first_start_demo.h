#pragma once

#include <optional>
#include <string>

#include "host/objects/account_directory.h"
#include "host/objects/dialog_presenter.h"

namespace zel {

// A start that names no database opens the default account: the user's own file in the data
// folder, unless the configuration names that account elsewhere. When the file is not there yet,
// it is built with demo data first, so that a new user finds a filled window rather than an
// empty account.

// That file, when the account stands for it and it does not exist.
std::optional<std::string> MissingOwnDatabase(const AccountDirectory& accounts,
                                              const std::string& ysDBName);

// Builds the account's demo database when it is missing, with a notice while it is built; false,
// after the reason was shown through dialogs, when it cannot be built.
bool PrepareFirstStartDatabase(const AccountDirectory& accounts, const std::string& ysDBName,
                               IDialogPresenter& dialogs);

}  // namespace zel
