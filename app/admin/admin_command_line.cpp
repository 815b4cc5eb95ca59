#include "app/admin/admin_command_line.h"

#include <QCommandLineParser>
#include <QDate>
#include <algorithm>

#include "app/admin/admin_texts.h"
#include "app/command_line.h"
#include "host/objects/trimmed_text.h"

namespace zel {
namespace {

// The longest user code and name the account's tables hold.
constexpr qsizetype kLongestId = 20;
constexpr qsizetype kLongestName = 40;

// One command: the words that name it, whether the user code follows them, the options it
// takes besides --database and --config, and how it is written.
struct CommandForm {
    AdminCommand command;
    QStringList words;
    enum class Id { None, Required, Optional } id;
    QStringList options;
    const char* form;
};

const std::vector<CommandForm>& CommandForms() {
    static const std::vector<CommandForm> forms{
        {AdminCommand::Init, {"init"}, CommandForm::Id::None, {}, "init"},
        {AdminCommand::UserAdd,
         {"user", "add"},
         CommandForm::Id::Required,
         {"name", "admin"},
         "user add ID --name NAME [--admin]"},
        {AdminCommand::UserRemove,
         {"user", "remove"},
         CommandForm::Id::Required,
         {},
         "user remove ID"},
        {AdminCommand::Grant,
         {"grant"},
         CommandForm::Id::Required,
         {"warehouse", "inventory", "person", "read", "write"},
         "grant ID --warehouse|--inventory|--person CODE --read|--write"},
        {AdminCommand::Revoke,
         {"revoke"},
         CommandForm::Id::Required,
         {"warehouse", "inventory", "person"},
         "revoke ID --warehouse|--inventory|--person CODE"},
        {AdminCommand::List, {"list"}, CommandForm::Id::Optional, {}, "list [ID]"},
        {AdminCommand::HistoryPrune,
         {"history", "prune"},
         CommandForm::Id::None,
         {"before"},
         "history prune --before yyyy-mm-dd"},
        {AdminCommand::SetAsideList,
         {"set-aside", "list"},
         CommandForm::Id::None,
         {},
         "set-aside list"},
    };
    return forms;
}

struct AdminOptions {
    AdminOptions() {
        parser.setApplicationDescription(
            "Keeps an account's users and their row grants, and on a PostgreSQL server their "
            "login roles and the account's roles.\n\n"
            "Commands:\n"
            "  init                 Make the account's tables; on a server also its roles, row\n"
            "                       policies and grants, with the running login as administrator.\n"
            "  user add ID --name NAME [--admin]\n"
            "                       Add a user, or change its name and administrator flag.\n"
            "  user remove ID       Remove a user and its grants.\n"
            "  grant ID --warehouse|--inventory|--person CODE --read|--write\n"
            "                       Let the user read, or read and write, the code's rows.\n"
            "  revoke ID --warehouse|--inventory|--person CODE\n"
            "                       Take the user's grant on the code away.\n"
            "  list [ID]            The users and their grants.\n"
            "  history prune --before yyyy-mm-dd\n"
            "                       Remove the change history's entries made before the day\n"
            "                       (administrators only).\n"
            "  set-aside list       The rows an upgrade set aside because the account's rules\n"
            "                       refuse them: table, rule, when, version, then name=value\n"
            "                       for each value, separated by tabs.");
        parser.addHelpOption();
        parser.addPositionalArgument("command",
                                     "init, user add, user remove, grant, revoke, list, "
                                     "history prune, set-aside list.",
                                     "command [ID]");
        parser.addOptions(
            {database, config, name, admin, warehouse, inventory, person, read, write, before});
    }

    QCommandLineParser parser;
    const QCommandLineOption database{"database", "Account name or database.", "name", "demo"};
    const QCommandLineOption config{"config", "Host configuration file.", "file",
                                    QString::fromStdString(DefaultConfigPath())};
    const QCommandLineOption name{"name", "The user's name (user add).", "name"};
    const QCommandLineOption admin{"admin", "The user is an administrator (user add)."};
    const QCommandLineOption warehouse{"warehouse", "A warehouse code (grant, revoke).", "code"};
    const QCommandLineOption inventory{"inventory", "An inventory item code (grant, revoke).",
                                       "code"};
    const QCommandLineOption person{"person", "A person code (grant, revoke).", "code"};
    const QCommandLineOption read{"read", "Grant reading (grant)."};
    const QCommandLineOption write{"write", "Grant reading and writing (grant)."};
    const QCommandLineOption before{"before", "Entries made before this day (history prune).",
                                    "yyyy-mm-dd"};
};

AdminArguments Refused(const std::string& key, const std::vector<std::string>& values) {
    return {std::nullopt, kAdminBadArguments, AdminTexts().Format(key, values) + "\n"};
}

AdminArguments BadForm(const CommandForm& form) {
    return Refused("Zel.ADMIN.badform", {form.form});
}

// The form the positional words name and the user code after them, when they make one.
const CommandForm* FormOf(const QStringList& words) {
    for (const CommandForm& form : CommandForms()) {
        if (words.mid(0, form.words.size()) == form.words) {
            return &form;
        }
    }
    return nullptr;
}

std::optional<AdminArguments> CheckOptions(const QCommandLineParser& parser,
                                           const CommandForm& form) {
    const QStringList given = parser.optionNames();
    for (const QString& option : given) {
        // The last of two values would win unseen: a script's mistake must not change the wrong
        // user or code.
        if (given.count(option) > 1) {
            return Refused("Zel.ADMIN.twice", {option.toStdString()});
        }
        if (option != "database" && option != "config" && !form.options.contains(option)) {
            return Refused("Zel.ADMIN.badoption",
                           {option.toStdString(), form.words.join(' ').toStdString(), form.form});
        }
    }
    return std::nullopt;
}

// A tab or a line break would also split the lines list writes.
bool Fits(const QString& text, qsizetype longest) {
    const auto characters = text.toUcs4();
    return !characters.isEmpty() && characters.size() <= longest &&
           std::all_of(characters.begin(), characters.end(),
                       [](uint character) { return QChar::isPrint(char32_t{character}); });
}

// The one code of a grant or revoke, and the object it belongs to.
std::optional<AdminArguments> ReadTarget(const QCommandLineParser& parser, const CommandForm& form,
                                         AdminRequest& request) {
    for (const GrantObject& object : kGrantObjects) {
        if (parser.isSet(object.option)) {
            if (request.object != nullptr) {
                return BadForm(form);
            }
            request.object = &object;
            request.code = TrimmedLine(parser.value(object.option).toStdString());
        }
    }
    if (request.object == nullptr) {
        return BadForm(form);
    }
    if (request.code.empty()) {
        return Refused("Zel.ADMIN.badcode", {});
    }
    return std::nullopt;
}

std::optional<AdminArguments> ReadCommand(const AdminOptions& options, const CommandForm& form,
                                          const QStringList& words, AdminRequest& request) {
    const QCommandLineParser& parser = options.parser;
    const qsizetype rest = words.size() - form.words.size();
    const bool idFits = form.id == CommandForm::Id::Required   ? rest == 1
                        : form.id == CommandForm::Id::Optional ? rest <= 1
                                                               : rest == 0;
    if (!idFits) {
        return BadForm(form);
    }
    if (const auto refused = CheckOptions(parser, form)) {
        return refused;
    }
    if (rest == 1) {
        const QString id = words.last().trimmed();
        if (!Fits(id, kLongestId)) {
            return Refused("Zel.ADMIN.badid", {words.last().toStdString()});
        }
        request.userId = id.toStdString();
    }
    if (form.command == AdminCommand::UserAdd) {
        if (!parser.isSet(options.name)) {
            return BadForm(form);
        }
        const QString name = parser.value(options.name).trimmed();
        if (!Fits(name, kLongestName)) {
            return Refused("Zel.ADMIN.badname", {parser.value(options.name).toStdString()});
        }
        request.userName = name.toStdString();
        request.admin = parser.isSet(options.admin);
    }
    if (form.command == AdminCommand::Grant || form.command == AdminCommand::Revoke) {
        if (const auto refused = ReadTarget(parser, form, request)) {
            return refused;
        }
    }
    if (form.command == AdminCommand::HistoryPrune) {
        if (!parser.isSet(options.before)) {
            return BadForm(form);
        }
        const QString day = parser.value(options.before).trimmed();
        if (!QDate::fromString(day, Qt::ISODate).isValid() || day.size() != 10) {
            return Refused("Zel.ADMIN.badday", {parser.value(options.before).toStdString()});
        }
        request.before = day.toStdString();
    }
    if (form.command == AdminCommand::Grant) {
        if (parser.isSet(options.read) == parser.isSet(options.write)) {
            return BadForm(form);
        }
        request.write = parser.isSet(options.write);
    }
    return std::nullopt;
}

}  // namespace

AdminArguments ParseAdminArguments(const QStringList& arguments) {
    AdminOptions options;
    QCommandLineParser& parser = options.parser;
    if (!parser.parse(arguments)) {
        return {std::nullopt, kAdminBadArguments, parser.errorText().toStdString() + "\n"};
    }
    if (parser.isSet("help") || parser.isSet("help-all")) {
        return {std::nullopt, kAdminDone,
                parser.helpText().replace("<executable_name>", "whinv-admin").toStdString()};
    }
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty()) {
        return Refused("Zel.ADMIN.nocommand", {});
    }
    const CommandForm* form = FormOf(words);
    if (form == nullptr) {
        const bool twoWords =
            words.first() == "user" || words.first() == "history" || words.first() == "set-aside";
        const QString named = twoWords ? words.mid(0, 2).join(' ') : words.first();
        return Refused("Zel.ADMIN.badcommand", {named.toStdString()});
    }
    AdminRequest request;
    request.command = form->command;
    request.database = parser.value(options.database).toStdString();
    request.configPath = parser.value(options.config).toStdString();
    if (auto refused = ReadCommand(options, *form, words, request)) {
        return *refused;
    }
    return {request, kAdminDone, {}};
}

}  // namespace zel
