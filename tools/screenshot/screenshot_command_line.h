#pragma once

#include <QStringList>
#include <optional>
#include <string>

#include "host/login/login.h"

namespace zel {

// What the screenshot tool is told: whose login on which database, where the picture goes.
struct ScreenshotCommandLine {
    Login::Values login;
    std::string outputPath;
    std::string configPath;
    std::string registryDir;
    int settleMilliseconds = 1500;
    // The menu item of the main window ("mAdd", "mFilter", "mPreview" ...) chosen to open the
    // window taken instead; empty for none.
    std::string openAction;
    // The file a file dialog is answered with (the import asks for one); empty: none is.
    std::string answerFile;
};

// Reads the arguments; nullopt (with the reason or the help text in error) when they cannot be
// used.
std::optional<ScreenshotCommandLine> ParseScreenshotCommandLine(const QStringList& arguments,
                                                                std::string& error);

}  // namespace zel
