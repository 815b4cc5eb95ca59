#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

struct sqlite3;

namespace zel {

// Copies the rows of a table that the upgrade renamed into the table the current schema made.
// Rows the new table refuses are not lost and do not stop the upgrade: each is moved, whole and
// with the values and types it had, into <table>_set_aside with the rule it breaks (the check
// constraint's name, missing_value, duplicate_key or missing_reference). References are checked
// against the new parent tables, so the parents must be copied first.
class TableCopy {
public:
    // fromVersion and when are written beside every row set aside.
    TableCopy(sqlite3* db, int fromVersion, std::string when)
        : db_(db), fromVersion_(fromVersion), when_(std::move(when)) {}

    bool Copy(const std::string& table, const std::string& old, std::string& error);

    // How many rows every copy so far has set aside.
    int SetAside() const { return setAside_; }

private:
    struct Refusal {
        std::int64_t rowid;
        std::string rule;
    };

    // The condition an old row meets when a reference of it finds no parent; empty for none.
    std::string MissingReferences(const std::string& table, const std::string& old) const;
    // The old rows that meet kept, inserted one at a time, those refused noted.
    bool CopyRowByRow(const std::string& table, const std::string& old, const std::string& kept,
                      const std::string& insert, std::vector<Refusal>& refused, std::string& error);
    bool PrepareSideTable(const std::string& table, std::string& error);
    // Copies the old rows that meet where into the side table.
    bool SetAside(const std::string& table, const std::string& old, const std::string& where,
                  const std::string& rule, std::string& error);

    sqlite3* db_;
    int fromVersion_;
    std::string when_;
    int setAside_ = 0;
    std::set<std::string> prepared_;  // the tables whose side table is ready
};

}  // namespace zel
