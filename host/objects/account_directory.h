#pragma once

#include <map>
#include <string>

namespace zel {

// Where an account database lives: the backend and its connection text.
struct DatabaseLocation {
    enum class Backend { Sqlite, Postgres };
    // The default page cache (2 MB) is small beside a list of tens of thousands of rows: reading a
    // warehouse's rows would go back to the file for most pages. The cache grows only as used.
    static constexpr int kBrowsingPageCacheKiB = 65536;

    Backend backend = Backend::Sqlite;
    std::string connection;  // file path for SQLite, conninfo for PostgreSQL
    // The most of a file's pages a connection to it keeps in memory; a server keeps its own.
    int pageCacheKiB = kBrowsingPageCacheKiB;
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
    // The page cache of every file this program opens from now on.
    void SetPageCacheKiB(int kib) { pageCacheKiB_ = kib; }
    const std::string& DataFolder() const { return dataFolder_; }

    // $WHINV_DATA_DIR, else ~/.local/share/whinv.
    static std::string DefaultDataFolder();
    static DatabaseLocation Parse(const std::string& spec);

private:
    DatabaseLocation Named(const std::string& ysDBName) const;

    std::string dataFolder_;
    int pageCacheKiB_ = DatabaseLocation::kBrowsingPageCacheKiB;
    std::map<std::string, std::string> entries_;
};

}  // namespace zel
