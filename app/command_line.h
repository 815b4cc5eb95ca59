#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>
#include <optional>
#include <string>

#include "host/login/login.h"

namespace zel {

// What the host program is told on its command line (and by its environment).
struct CommandLine {
    // The login's user code is settled when the account is opened (EstablishAccountUser).
    Login::Values login;
    // --user, when given.
    std::optional<std::string> user;
    // --database was given; without it a first start builds the default account's demo database.
    bool databaseNamed = false;
    std::string configPath;
    // Empty: the registrations beside the program.
    std::string registryDir;
    std::string sqlLogPath;
    // Close the main window once it has shown and run its first fill: a start-up check that
    // nobody sits in front of.
    bool quitAfterShow = false;
};

// $WHINV_CONFIG, else ~/.config/whinv/whinv.ini.
std::string DefaultConfigPath();

// --sql-log, which every program of the host takes.
QCommandLineOption SqlLogOption();
// The file --sql-log names, else $WHINV_SQL_LOG; empty: no log.
std::string SqlLogPath(const QCommandLineParser& parser, const QCommandLineOption& sqlLog);

// The text --help or --version asks for, or nullopt when the arguments ask for neither. It needs
// no application object, so it answers where there is no display.
std::optional<std::string> InformationRequested(const QStringList& arguments);

// Reads the arguments; nullopt (with the reason in error) when they cannot be used.
std::optional<CommandLine> ParseCommandLine(const QStringList& arguments, std::string& error);

}  // namespace zel
