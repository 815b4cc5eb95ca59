#include "app/admin/admin_command_line.h"

#include <gtest/gtest.h>
#include "support/case_name.h"

namespace zel {
namespace {

AdminArguments Parse(QStringList words) {
    words.prepend("whinv-admin");
    return ParseAdminArguments(words);
}

struct Accepted {
    QStringList words;
    AdminCommand command;
    std::string userId;
    std::string userName = {};
    bool admin = false;
    std::string busObCode = {};
    std::string code = {};
    bool write = false;
};

class AcceptedArguments : public ::testing::TestWithParam<Accepted> {};

TEST_P(AcceptedArguments, MakeTheRequest) {
    const Accepted& expected = GetParam();
    const AdminArguments parsed = Parse(expected.words);
    ASSERT_TRUE(parsed.request) << parsed.text;
    const AdminRequest& request = *parsed.request;
    EXPECT_EQ(request.command, expected.command);
    EXPECT_EQ(request.userId, expected.userId);
    EXPECT_EQ(request.userName, expected.userName);
    EXPECT_EQ(request.admin, expected.admin);
    EXPECT_EQ(request.object ? request.object->busObCode : "", expected.busObCode);
    EXPECT_EQ(request.code, expected.code);
    EXPECT_EQ(request.write, expected.write);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, AcceptedArguments,
    ::testing::Values(
        Accepted{{"init"}, AdminCommand::Init, ""},
        Accepted{{"user", "add", "wang", "--name", "王五"}, AdminCommand::UserAdd, "wang", "王五"},
        Accepted{{"--admin", "user", "add", " wang ", "--name", " 王五 "},
                 AdminCommand::UserAdd,
                 "wang",
                 "王五",
                 true},
        // Characters, not bytes: the tables hold twenty of them.
        Accepted{{"user", "add", QString(20, QChar(0x738B)), "--name", "王"},
                 AdminCommand::UserAdd,
                 QString(20, QChar(0x738B)).toStdString(),
                 "王"},
        Accepted{{"user", "remove", "wang"}, AdminCommand::UserRemove, "wang"},
        Accepted{{"grant", "wang", "--warehouse", "01", "--write"},
                 AdminCommand::Grant,
                 "wang",
                 "",
                 false,
                 "Warehouse",
                 "01",
                 true},
        Accepted{{"grant", "wang", "--person", " P01 ", "--read"},
                 AdminCommand::Grant,
                 "wang",
                 "",
                 false,
                 "Person",
                 "P01"},
        Accepted{{"revoke", "wang", "--inventory", "A001"},
                 AdminCommand::Revoke,
                 "wang",
                 "",
                 false,
                 "Inventory",
                 "A001"},
        Accepted{{"list"}, AdminCommand::List, ""},
        Accepted{{"list", "wang", "--database", "shop"}, AdminCommand::List, "wang"},
        Accepted{{"history", "prune", "--before", "2026-02-28"}, AdminCommand::HistoryPrune, ""},
        Accepted{{"set-aside", "list", "--database", "shop"}, AdminCommand::SetAsideList, ""}),
    [](const auto& info) {
        return ::zel::test::CaseName(
            std::to_string(info.index) + " " + info.param.words.join(' ').toStdString(),
            info.index);
    });

struct Refused {
    QStringList words;
    std::string says;
};

class RefusedArguments : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusedArguments, EndWithTheReasonAndStatusTwo) {
    const AdminArguments parsed = Parse(GetParam().words);
    EXPECT_FALSE(parsed.request);
    EXPECT_EQ(parsed.status, kAdminBadArguments);
    EXPECT_NE(parsed.text.find(GetParam().says), std::string::npos) << parsed.text;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, RefusedArguments,
    ::testing::Values(
        Refused{{}, "Say what to do"}, Refused{{"frobnicate", "wang"}, "no command \"frobnicate\""},
        Refused{{"user", "delete", "wang"}, "no command \"user delete\""},
        Refused{{"init", "--bogus"}, "bogus"},
        Refused{{"user", "add", "wang"}, "user add ID --name NAME [--admin]"},
        Refused{{"user", "add", "--name", "王五"}, "user add ID --name NAME"},
        Refused{{"user", "add", "wang", "li", "--name", "王五"}, "user add ID --name NAME"},
        Refused{{"user", "add", "123456789012345678901", "--name", "x"},
                "1 to 20 printable characters"},
        Refused{{"user", "add", "wang", "--name", " "}, "1 to 40 printable characters"},
        Refused{{"user", "add", "wang", "--name", "王\t五"}, "1 to 40 printable characters"},
        Refused{{"user", "add", "wang\nli", "--name", "王五"}, "1 to 20 printable characters"},
        Refused{{"user", "add", "wang", "--name", QString(41, 'x')},
                "1 to 40 printable characters"},
        Refused{{"user", "remove", "wang", "--name", "x"}, "--name does not go with user remove"},
        Refused{{"grant", "wang", "--warehouse", "01"}, "--read|--write"},
        Refused{{"grant", "wang", "--warehouse", "01", "--read", "--write"}, "--read|--write"},
        Refused{{"grant", "wang", "--read"}, "--warehouse|--inventory|--person CODE"},
        Refused{{"grant", "wang", "--warehouse", "01", "--person", "P01", "--read"},
                "--warehouse|--inventory|--person CODE"},
        Refused{{"grant", "wang", "--warehouse", " ", "--read"}, "cannot be empty"},
        Refused{{"revoke", "wang", "--warehouse", "01", "--write"}, "--write does not go with"},
        Refused{{"list", "--admin"}, "--admin does not go with list"},
        Refused{{"revoke", "wang", "--warehouse", "01", "--warehouse", "02"},
                "--warehouse is given more than once"},
        Refused{{"list", "--database", "shop", "--database", "demo"},
                "--database is given more than once"},
        Refused{{"list", "wang", "li"}, "list [ID]"},
        Refused{{"history", "prune"}, "history prune --before yyyy-mm-dd"},
        Refused{{"history", "drop"}, "no command \"history drop\""},
        Refused{{"history", "prune", "--before", "2026-02-30"}, "must exist, not \"2026-02-30\""},
        Refused{{"history", "prune", "--before", "2026-2-3"}, "must exist, not \"2026-2-3\""},
        Refused{{"history", "prune", "wang", "--before", "2026-02-28"},
                "history prune --before yyyy-mm-dd"},
        Refused{{"set-aside", "list", "wang"}, "whinv-admin set-aside list"},
        Refused{{"set-aside", "put"}, "no command \"set-aside put\""},
        Refused{{"set-aside", "list", "--before", "2026-02-28"},
                "--before does not go with set-aside list"}),
    [](const auto& info) {
        return ::zel::test::CaseName(
            std::to_string(info.index) + " " + info.param.words.join(' ').toStdString(),
            info.index);
    });

TEST(AdminHelp, ListsTheCommandsAndOptions) {
    for (const char* asked : {"--help", "-h", "--help-all"}) {
        SCOPED_TRACE(asked);
        const AdminArguments parsed = Parse({"list", asked});
        EXPECT_FALSE(parsed.request);
        EXPECT_EQ(parsed.status, kAdminDone);
        for (const char* told : {"user add ID --name NAME [--admin]", "--warehouse", "--config"}) {
            EXPECT_NE(parsed.text.find(told), std::string::npos) << told;
        }
    }
}

}  // namespace
}  // namespace zel
