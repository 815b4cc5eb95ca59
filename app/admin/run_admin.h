#pragma once

#include <ostream>

#include "app/admin/admin_request.h"
#include "host/objects/account_directory.h"

namespace zel {

// Carries out the request on the account it names (looked up in accounts, after the request's
// configuration file is read into them). What was done goes to out, a failure's reason to err;
// the result is the exit status.
int RunAdmin(const AdminRequest& request, AccountDirectory accounts, std::ostream& out,
             std::ostream& err);

}  // namespace zel
