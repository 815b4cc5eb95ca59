#pragma once

#include <QStringList>
#include <optional>
#include <string>

#include "app/admin/admin_request.h"

namespace zel {

// What the arguments ask for: a request, or else a text to print and the status to end with —
// the help text (done) or why the arguments cannot be used.
struct AdminArguments {
    std::optional<AdminRequest> request;
    AdminStatus status = kAdminDone;
    std::string text;
};

// Needs no application object, so that --help answers where there is no display.
AdminArguments ParseAdminArguments(const QStringList& arguments);

}  // namespace zel
