#include "mainwindow/command_keys.h"

#include <array>
#include <utility>

#include "core/text_case.h"

namespace korvel {
namespace {

constexpr int kShiftCtrl = 2;
constexpr int kShiftAlt = 4;
constexpr int kKeyDelete = 46;
constexpr int kKeyP = 80;
constexpr int kKeyF1 = 112;
constexpr int kKeyF3 = 114;
constexpr int kKeyF4 = 115;
constexpr int kKeyF5 = 116;
constexpr int kKeyF7 = 118;
constexpr int kKeyF8 = 119;
constexpr int kKeyF9 = 120;

constexpr std::array<std::pair<std::string_view, MainCommand>, 19> kCommands{{
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
    if (keyCode == kKeyF3 && shift == kShiftCtrl) {
        return "Pos";
    }
    switch (keyCode) {
        case kKeyF5:
            return "Add";
        case kKeyDelete:
            return "Delete";
        case kKeyF7:
            return "Modify";
        case kKeyF8:
            return "MulModify";
        case kKeyF3:
            return "Filter";
        case kKeyP:
            return shift == kShiftCtrl ? std::optional<std::string>("Print") : std::nullopt;
        case kKeyF4:
            return shift == kShiftAlt ? std::optional<std::string>("Exit") : std::nullopt;
        case kKeyF1:
            return "Help";
        case kKeyF9:
            return "Refresh";
        default:
            return std::nullopt;
    }
}

}  // namespace korvel
