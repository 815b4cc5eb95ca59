#pragma once

#include <QStringList>
#include <optional>
#include <string>

#include "host/login/login.h"

namespace zel {

// What the host program is told on its command line (and by its environment).
struct CommandLine {
    Login::Values login;
    std::string configPath;
    std::string registryDir;
    std::string sqlLogPath;
};

// Reads the arguments; nullopt (with the reason in error) when they cannot be used.
std::optional<CommandLine> ParseCommandLine(const QStringList& arguments, std::string& error);

}  // namespace zel
