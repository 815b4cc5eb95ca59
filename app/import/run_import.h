#pragma once

#include <memory>

#include "app/import/import_request.h"
#include "host/objects/host_environment.h"

namespace zel {

// Imports the file's rows into the account as the user: judges every row (the preview), prints
// the counts per kind and each refused row with its row number and reason on standard output,
// writes the refused rows to the file asked for, then writes the new and changed rows in one
// transaction under the edit lock, as one step of the change history, unless it is a dry run,
// or rows were refused and only all the rows may be written. The exit status is one of
// import_status.h; a failure's reason goes to standard error.
int RunImport(const ImportRequest& request, std::shared_ptr<HostEnvironment> environment);

}  // namespace zel
