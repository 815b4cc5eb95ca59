#pragma once

#include <map>
#include <string>

#include "host/database/reading_pattern.h"

namespace zel {

// Where an account database lives: the backend and its connection text.
struct DatabaseLocation {
    enum class Backend { Sqlite, Postgres };

    Backend backend = Backend::Sqlite;
    std::string connection;  // file path for SQLite, conninfo for PostgreSQL
    ReadingPattern reading = ReadingPattern::kBrowsing;
};

// Maps the login's ysDBName to a database. Entries come from the host configuration file
// (an INI file, section [accounts], lines "name=sqlite:/path/file.db" or
// "name=postgresql:host=... dbname=..."); a name written as such a value stands for itself; a
// name without an entry is a SQLite file: the name itself when it looks like a path, else
// <data folder>/<name>.db.
class AccountDirectory {
public:
    explicit AccountDirectory(std::string dataFolder = DefaultDataFolder());
    // Reads the [accounts] section of a configuration file; false when it cannot be read.
    bool LoadConfiguration(const std::string& path);
    void Set(const std::string& ysDBName, const std::string& spec);
    DatabaseLocation Locate(const std::string& ysDBName) const;
    // How this program reads every account it opens from now on.
    void SetReading(ReadingPattern reading) { reading_ = reading; }
    const std::string& DataFolder() const { return dataFolder_; }

    // $WHINV_DATA_DIR, else ~/.local/share/whinv.
    static std::string DefaultDataFolder();
    static DatabaseLocation Parse(const std::string& spec);

private:
    DatabaseLocation Named(const std::string& ysDBName) const;

    std::string dataFolder_;
    ReadingPattern reading_ = ReadingPattern::kBrowsing;
    std::map<std::string, std::string> entries_;
};

}  // namespace zel
