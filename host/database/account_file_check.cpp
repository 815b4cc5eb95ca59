#include "host/database/account_file_check.h"

#include <sqlite3.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <optional>

#include "host/database/sqlite/schema_upgrade.h"
#include "host/objects/resource_texts.h"

namespace zel {
namespace {

namespace fs = std::filesystem;

// Paths are quoted whole: a message that cut one short would send the user to another file.
AccountFileProblem Problem(const std::string& key, const std::vector<std::string>& values,
                           std::string detail) {
    return {ResourceTexts::Instance().Format(key, values), std::move(detail)};
}

// The first 100 bytes of a database file: its name, then fields such as the user version.
using FileHeader = std::array<unsigned char, 100>;

std::optional<FileHeader> ReadHeader(const std::string& path) {
    static constexpr std::string_view kName{"SQLite format 3\0", 16};
    FileHeader header{};
    std::ifstream file(path, std::ios::binary);
    if (!file.read(reinterpret_cast<char*>(header.data()), header.size()) ||
        std::string_view(reinterpret_cast<const char*>(header.data()), kName.size()) != kName) {
        return std::nullopt;
    }
    return header;
}

// The user version as the header holds it (big-endian at offset 60): what a file whose log
// cannot be opened was last written with.
int HeaderVersion(const FileHeader& header) {
    int version = 0;
    for (std::size_t at = 60; at < 64; ++at) {
        version = version * 256 + header[at];
    }
    return version;
}

// What a read-only look at the file finds; nullopt when the engine cannot read it.
struct FileSchema {
    int version = 0;
    bool hasAccountTables = false;
};

std::optional<FileSchema> ReadSchema(const std::string& path) {
    sqlite3* db = nullptr;
    std::optional<FileSchema> schema;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, "pragma user_version", -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW) {
            schema =
                FileSchema{sqlite3_column_int(statement, 0), SchemaUpgrade::HasAccountTables(db)};
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close_v2(db);
    return schema;
}

// The place the program cannot write: the file itself, or the folder that takes its journal and
// its lock files. Empty when both can be written.
std::string ReadOnlyPlace(const std::string& path) {
    if (::access(path.c_str(), W_OK) != 0) {
        return path;
    }
    const fs::path folder = fs::absolute(fs::path(path)).parent_path();
    return ::access(folder.c_str(), W_OK | X_OK) != 0 ? folder.string() : std::string();
}

AccountFileProblem ReadOnly(const std::string& path, int version, const std::string& place) {
    const std::string detail = place + ": not writable";
    if (version < SchemaUpgrade::kVersion) {
        return Problem(
            "Zel.HOST.OPEN.read_only_upgrade",
            {path, std::to_string(version), std::to_string(SchemaUpgrade::kVersion), place},
            detail);
    }
    return Problem("Zel.HOST.OPEN.read_only", {path, place}, detail);
}

// Whether another connection holds the file's write lock now; the probe takes nothing it keeps.
bool HeldByAnotherProgram(const std::string& path) {
    sqlite3* db = nullptr;
    bool held = false;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        const int result = sqlite3_exec(db, "begin immediate", nullptr, nullptr, nullptr);
        held = (result & 0xff) == SQLITE_BUSY;
        if (result == SQLITE_OK) {
            sqlite3_exec(db, "rollback", nullptr, nullptr, nullptr);
        }
    }
    sqlite3_close_v2(db);
    return held;
}

}  // namespace

AccountFileProblem CheckAccountFile(const std::string& path) {
    std::error_code error;
    const auto status = fs::status(path, error);
    if (!fs::exists(status)) {
        return Problem("Zel.HOST.OPEN.missing", {path}, "no database file " + path);
    }
    const auto header = fs::is_regular_file(status) ? ReadHeader(path) : std::nullopt;
    if (!header) {
        return Problem("Zel.HOST.OPEN.not_sqlite", {path}, path + ": not a SQLite database");
    }
    // A file in write-ahead logging that the engine cannot open its log beside cannot be read at
    // all; what it is stays unknown, and only the place is to blame.
    const auto schema = ReadSchema(path);
    if (schema && !schema->hasAccountTables) {
        return Problem("Zel.HOST.OPEN.not_an_account", {path},
                       path + ": a SQLite database without the account's tables");
    }
    if (schema && schema->version > SchemaUpgrade::kVersion) {
        return Problem(
            "Zel.HOST.DB.schema_newer",
            {path, std::to_string(schema->version), std::to_string(SchemaUpgrade::kVersion)},
            path + ": schema version " + std::to_string(schema->version));
    }
    if (const std::string place = ReadOnlyPlace(path); !place.empty()) {
        return ReadOnly(path, schema ? schema->version : HeaderVersion(*header), place);
    }
    return {};
}

AccountFileProblem ExplainAccountFileFailure(const std::string& path, bool schemaRefused,
                                             const std::string& engineReason) {
    if (HeldByAnotherProgram(path)) {
        return Problem("Zel.HOST.OPEN.locked", {path}, engineReason);
    }
    if (schemaRefused) {
        return Problem("Zel.HOST.OPEN.upgrade_failed", {engineReason}, engineReason);
    }
    return {};
}

}  // namespace zel
