#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvel {

// The main window's commands, in the order ExecCommand tries them.
enum class MainCommand {
    kPrintOrExport,
    kAdd,
    kModify,
    kDelete,
    kMulModify,
    kFilter,
    kPos,
    kRefresh,
    kBatchAdd,
    kDueChecks,
    kHistory,
    kRowHistory,
    kImport,
    kSetAside,
    kSetFind,
    kHelp,
    kAbout,
    kStatusBarOption,
    kTextButtonOption,
    kPrintNumberOption,
    kExit,
};

// The command of a key, compared without regard to case; nullopt for a key of no command
// (toolbar separators among them).
std::optional<MainCommand> MatchMainCommand(std::string_view key);

// The command key a key press sends (shift: 1 shift, 2 ctrl, 4 alt, exactly as pressed), or
// nullopt for keys that send none.
std::optional<std::string> MainCommandKeyFor(int keyCode, int shift);

}  // namespace korvel
