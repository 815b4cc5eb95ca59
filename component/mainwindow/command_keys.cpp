#include "mainwindow/command_keys.h"

#include <array>
#include <utility>

#include "core/text_case.h"
#include "host/controls/vb_input_codes.h"

namespace korvel {
namespace {

constexpr std::array<std::pair<std::string_view, MainCommand>, 24> kCommands{{
    {"SetUp", MainCommand::kPrintOrExport},
    {"Print", MainCommand::kPrintOrExport},
    {"Preview", MainCommand::kPrintOrExport},
    {"SaveFile", MainCommand::kPrintOrExport},
    {"Add", MainCommand::kAdd},
    {"Modify", MainCommand::kModify},
    {"Delete", MainCommand::kDelete},
    {"MulModify", MainCommand::kMulModify},
    {"Filter", MainCommand::kFilter},
    {"Pos", MainCommand::kPos},
    {"Refresh", MainCommand::kRefresh},
    {"BatchAdd", MainCommand::kBatchAdd},
    {"DueChecks", MainCommand::kDueChecks},
    {"History", MainCommand::kHistory},
    {"RowHistory", MainCommand::kRowHistory},
    {"Import", MainCommand::kImport},
    {"SetAside", MainCommand::kSetAside},
    {"SetFind", MainCommand::kSetFind},
    {"Help", MainCommand::kHelp},
    {"About", MainCommand::kAbout},
    {"mStb", MainCommand::kStatusBarOption},
    {"mText", MainCommand::kTextButtonOption},
    {"mPrintNo", MainCommand::kPrintNumberOption},
    {"Exit", MainCommand::kExit},
}};

}  // namespace

std::optional<MainCommand> MatchMainCommand(std::string_view key) {
    for (const auto& [name, command] : kCommands) {
        if (EqualsNoCase(key, name)) {
            return command;
        }
    }
    return std::nullopt;
}

std::optional<std::string> MainCommandKeyFor(int keyCode, int shift) {
    if (keyCode == zel::kVbKeyF3 && shift == zel::kVbCtrl) {
        return "Pos";
    }
    if (keyCode == zel::kVbKeyH && shift == zel::kVbCtrl) {
        return "RowHistory";
    }
    switch (keyCode) {
        case zel::kVbKeyF5:
            return "Add";
        case zel::kVbKeyDelete:
            return "Delete";
        case zel::kVbKeyF7:
            return "Modify";
        case zel::kVbKeyF8:
            return "MulModify";
        case zel::kVbKeyF3:
            return "Filter";
        case zel::kVbKeyP:
            return shift == zel::kVbCtrl ? std::optional<std::string>("Print") : std::nullopt;
        case zel::kVbKeyF4:
            return shift == zel::kVbAlt ? std::optional<std::string>("Exit") : std::nullopt;
        case zel::kVbKeyF1:
            return "Help";
        case zel::kVbKeyF9:
            return "Refresh";
        default:
            return std::nullopt;
    }
}

}  // namespace korvel
