#include "mainwindow/command_keys.h"

#include <gtest/gtest.h>

namespace korvel::test {
namespace {

constexpr int kShift = 1;
constexpr int kCtrl = 2;
constexpr int kAlt = 4;

TEST(MainCommandKeys, FunctionKeysSendTheirCommandsWhateverTheShiftState) {
    for (int shift : {0, kShift, kCtrl, kAlt, kCtrl | kShift}) {
        EXPECT_EQ(MainCommandKeyFor(116, shift), "Add");
        EXPECT_EQ(MainCommandKeyFor(46, shift), "Delete");
        EXPECT_EQ(MainCommandKeyFor(118, shift), "Modify");
        EXPECT_EQ(MainCommandKeyFor(119, shift), "MulModify");
        EXPECT_EQ(MainCommandKeyFor(112, shift), "Help");
        EXPECT_EQ(MainCommandKeyFor(120, shift), "Refresh");
    }
}

TEST(MainCommandKeys, ModifiedKeysNeedExactlyTheirShiftState) {
    EXPECT_EQ(MainCommandKeyFor(114, kCtrl), "Pos");
    EXPECT_EQ(MainCommandKeyFor(114, 0), "Filter");
    EXPECT_EQ(MainCommandKeyFor(114, kShift), "Filter");
    EXPECT_EQ(MainCommandKeyFor(114, kCtrl | kShift), "Filter");
    EXPECT_EQ(MainCommandKeyFor(80, kCtrl), "Print");
    EXPECT_EQ(MainCommandKeyFor(80, kCtrl | kShift), std::nullopt);
    EXPECT_EQ(MainCommandKeyFor(80, 0), std::nullopt);
    EXPECT_EQ(MainCommandKeyFor(115, kAlt), "Exit");
    EXPECT_EQ(MainCommandKeyFor(115, 0), std::nullopt);
    EXPECT_EQ(MainCommandKeyFor(115, kAlt | kCtrl), std::nullopt);
    EXPECT_EQ(MainCommandKeyFor(72, kCtrl), "RowHistory");
    EXPECT_EQ(MainCommandKeyFor(72, kCtrl | kShift), std::nullopt);
    EXPECT_EQ(MainCommandKeyFor(72, 0), std::nullopt);
    EXPECT_EQ(MainCommandKeyFor(65, 0), std::nullopt);
}

TEST(MainCommandKeys, CommandKeysMatchWithoutRegardToCaseAndSeparatorsMatchNothing) {
    EXPECT_EQ(MatchMainCommand("REFRESH"), MainCommand::kRefresh);
    EXPECT_EQ(MatchMainCommand("mulmodify"), MainCommand::kMulModify);
    EXPECT_EQ(MatchMainCommand("MSTB"), MainCommand::kStatusBarOption);
    EXPECT_EQ(MatchMainCommand("history"), MainCommand::kHistory);
    EXPECT_EQ(MatchMainCommand("ROWHISTORY"), MainCommand::kRowHistory);
    for (const char* key : {"SetUp", "print", "Preview", "SAVEFILE"}) {
        EXPECT_EQ(MatchMainCommand(key), MainCommand::kPrintOrExport) << key;
    }
    for (const char* key : {"btnSep1", "btnSep2", "btnSep22", "btnSep3", "", "Refresh "}) {
        EXPECT_EQ(MatchMainCommand(key), std::nullopt) << key;
    }
}

}  // namespace
}  // namespace korvel::test
