#pragma once

#include <memory>

#include "app/command_line.h"
#include "host/objects/host_environment.h"

namespace zel {

// Registers the host services over environment, creates the component and shows it for the
// user the account establishes (EstablishAccountUser); returns when its main window has closed,
// with the program's ExitStatus.
int RunComponent(const CommandLine& line, std::shared_ptr<HostEnvironment> environment);

// RunComponent with the main window closing itself once it has shown and run its first fill, and
// message boxes answered on stderr: kExitNotShown when the window never showed.
int RunComponentUntilShown(const CommandLine& line, std::shared_ptr<HostEnvironment> environment);

}  // namespace zel
