#include "app/admin/set_aside_rows.h"

#include <cctype>
#include <set>
#include <vector>

#include "host/database/sql_backend.h"

namespace zel {
namespace {

constexpr std::string_view kSideSuffix = "_set_aside";
const std::set<std::string> kAboutTheRow{"csetasidereason", "dsetaside", "isetasidefrom"};

std::string Escaped(std::string_view value) {
    std::string escaped;
    for (const char c : value) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\t':
                escaped += "\\t";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\r':
                escaped += "\\r";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

std::optional<std::vector<std::string>> SideTables(SqlBackend& backend, bool onServer) {
    const auto statement = backend.Prepare(
        onServer ? "select table_name from information_schema.tables where table_schema = "
                   "current_schema() and table_name like '%\\_set\\_aside' escape '\\' order by 1"
                 : "select name from sqlite_master where type = 'table' and name like "
                   "'%\\_set\\_aside' escape '\\' order by 1");
    std::vector<std::string> tables;
    StepResult step = statement ? statement->Step() : StepResult::Error;
    for (; step == StepResult::Row; step = statement->Step()) {
        tables.emplace_back(statement->ColumnText(0));
    }
    return step == StepResult::Done ? std::optional(tables) : std::nullopt;
}

// The names are the engine's own: a table's name is its SQL identifier, which is a plain word.
bool AddLines(SqlBackend& backend, const std::string& side, std::string& lines) {
    const auto statement =
        backend.Prepare("select cSetAsideReason, dSetAside, iSetAsideFrom, * from " + side);
    if (!statement) {
        return false;
    }
    const std::string table = side.substr(0, side.size() - kSideSuffix.size());
    StepResult step = statement->Step();
    for (; step == StepResult::Row; step = statement->Step()) {
        std::string line = table;
        for (int column = 0; column < 3; ++column) {
            line += "\t" + Escaped(statement->ColumnText(column));
        }
        for (int column = 3; column < statement->ColumnCount(); ++column) {
            const std::string name = statement->ColumnName(column);
            if (statement->ColumnType(column) != SqlValueType::Null &&
                !kAboutTheRow.contains(Lower(name))) {
                line += "\t" + name + "=" + Escaped(statement->ColumnText(column));
            }
        }
        lines += line + "\n";
    }
    return step == StepResult::Done;
}

}  // namespace

std::optional<std::string> SetAsideLines(SqlBackend& backend, bool onServer) {
    const auto tables = SideTables(backend, onServer);
    if (!tables) {
        return std::nullopt;
    }
    std::string lines;
    for (const auto& side : *tables) {
        if (!AddLines(backend, side, lines)) {
            return std::nullopt;
        }
    }
    return lines;
}

}  // namespace zel
