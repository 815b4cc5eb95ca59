#include "app/command_line.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <cstdlib>

namespace zel {
namespace {

QStringList Arguments(std::initializer_list<const char*> options) {
    QStringList arguments{"/usr/local/bin/whinv"};
    for (const char* option : options) {
        arguments << QString::fromUtf8(option);
    }
    return arguments;
}

// The version the build files declare, read where a release changes it.
std::string DeclaredVersion() {
    QFile file(WHINV_SOURCE_DIR "/CMakeLists.txt");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const auto match = QRegularExpression(R"(project\(whinv\b[^)]*\bVERSION\s+([0-9.]+))")
                           .match(QString::fromUtf8(file.readAll()));
    EXPECT_TRUE(match.hasMatch());
    return match.captured(1).toStdString();
}

// Sets an environment variable for one test and restores it after.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value)
        : name_(name), saved_(qgetenv(name)), wasSet_(qEnvironmentVariableIsSet(name)) {
        value ? qputenv(name, value) : qunsetenv(name);
    }
    ~ScopedEnvironment() { wasSet_ ? qputenv(name_, saved_) : qunsetenv(name_); }

private:
    const char* name_;
    QByteArray saved_;
    bool wasSet_;
};

TEST(InformationRequested, VersionIsTheDeclaredProjectVersion) {
    const auto answer = InformationRequested(Arguments({"--version"}));
    ASSERT_TRUE(answer);
    EXPECT_EQ(*answer, "whinv " + DeclaredVersion() + "\n");
}

TEST(InformationRequested, HelpNamesTheProgramAndEveryOption) {
    for (const char* help : {"--help", "-h", "--help-all"}) {
        const auto answer = InformationRequested(Arguments({"--user", "wang", help}));
        ASSERT_TRUE(answer) << help;
        EXPECT_EQ(answer->rfind("Usage: ", 0), 0U) << *answer;
        EXPECT_EQ(answer->find("<executable_name>"), std::string::npos) << *answer;
        for (const char* option :
             {"--database", "--account", "--user", "--user-name", "--date", "--config",
              "--registry", "--sql-log", "--quit-after-show", "--version"}) {
            EXPECT_NE(answer->find(option), std::string::npos) << option;
        }
    }
}

TEST(InformationRequested, AnsweredDespiteOptionsMeantForQtOrMistyped) {
    EXPECT_TRUE(InformationRequested(Arguments({"-platform", "xcb", "--version"})));
    EXPECT_TRUE(InformationRequested(Arguments({"--no-such-option", "--help"})));
}

TEST(InformationRequested, NothingForARun) {
    EXPECT_FALSE(InformationRequested(Arguments({})));
    EXPECT_FALSE(InformationRequested(Arguments({"--database", "demo", "-u", "wang"})));
    // Qt's own options, taken by the application object later, never read as a question.
    EXPECT_FALSE(InformationRequested(
        Arguments({"-reverse", "-stylesheet", "look.qss", "-platform", "offscreen"})));
}

TEST(ParseCommandLine, ReadsTheLoginAndTheHostSettings) {
    std::string error;
    const auto line = ParseCommandLine(
        Arguments({"--database", "shop", "--account", "002", "-u", "wang", "--user-name", "王",
                   "--date", "2024-03-15", "--config", "/etc/whinv.ini", "--registry", "/reg",
                   "--sql-log", "/tmp/sql.log"}),
        error);
    ASSERT_TRUE(line) << error;
    EXPECT_EQ(line->login.ysDBName, "shop");
    EXPECT_EQ(line->login.accId, "002");
    EXPECT_EQ(line->user, "wang");
    EXPECT_EQ(line->login.userName, "王");
    EXPECT_EQ(line->login.curDate, "2024-03-15");
    EXPECT_EQ(line->configPath, "/etc/whinv.ini");
    EXPECT_EQ(line->registryDir, "/reg");
    EXPECT_EQ(line->sqlLogPath, "/tmp/sql.log");
}

TEST(ParseCommandLine, TellsWhetherTheDatabaseAndTheUserWereNamed) {
    std::string error;
    const auto unnamed = ParseCommandLine(Arguments({"-u", "wang"}), error);
    ASSERT_TRUE(unnamed) << error;
    EXPECT_FALSE(unnamed->databaseNamed);
    EXPECT_EQ(unnamed->login.ysDBName, "demo");
    // Who the user is without --user depends on the account, and is settled when it is opened.
    const auto anyone = ParseCommandLine(Arguments({"--database", "shop"}), error);
    ASSERT_TRUE(anyone) << error;
    EXPECT_EQ(anyone->user, std::nullopt);
    for (const char* option : {"--database", "-d"}) {
        const auto named = ParseCommandLine(Arguments({option, "demo"}), error);
        ASSERT_TRUE(named) << error;
        EXPECT_TRUE(named->databaseNamed) << option;
    }
}

TEST(ParseCommandLine, RefusesWhatItCannotUse) {
    std::string error;
    EXPECT_FALSE(ParseCommandLine(Arguments({"--date", "2024-02-30"}), error));
    EXPECT_EQ(error, "not a date (yyyy-mm-dd): 2024-02-30");
    EXPECT_FALSE(ParseCommandLine(Arguments({"--no-such-option"}), error));
    EXPECT_NE(error.find("no-such-option"), std::string::npos) << error;
}

TEST(ParseCommandLine, QuitAfterShowByOptionOrEnvironment) {
    std::string error;
    {
        ScopedEnvironment unset("WHINV_QUIT_AFTER_SHOW", nullptr);
        EXPECT_FALSE(ParseCommandLine(Arguments({}), error)->quitAfterShow);
        EXPECT_TRUE(ParseCommandLine(Arguments({"--quit-after-show"}), error)->quitAfterShow);
    }
    {
        ScopedEnvironment asked("WHINV_QUIT_AFTER_SHOW", "1");
        EXPECT_TRUE(ParseCommandLine(Arguments({}), error)->quitAfterShow);
    }
    for (const char* off : {"", "0"}) {
        ScopedEnvironment notAsked("WHINV_QUIT_AFTER_SHOW", off);
        EXPECT_FALSE(ParseCommandLine(Arguments({}), error)->quitAfterShow) << off;
    }
}

}  // namespace
}  // namespace zel
