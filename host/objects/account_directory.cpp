#include "host/objects/account_directory.h"

#include <cstdlib>
#include <fstream>

#include "host/objects/trimmed_text.h"

namespace zel {
namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

AccountDirectory::AccountDirectory(std::string dataFolder) : dataFolder_(std::move(dataFolder)) {}

std::string AccountDirectory::DefaultDataFolder() {
    if (const char* folder = std::getenv("WHINV_DATA_DIR"); folder != nullptr && *folder != 0) {
        return folder;
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : ".") + "/.local/share/whinv";
}

bool AccountDirectory::LoadConfiguration(const std::string& path) {
    std::ifstream file(path);
    if (!file) {
        return false;
    }
    std::string line;
    bool inAccounts = false;
    while (std::getline(file, line)) {
        line = TrimmedLine(line);
        if (line.empty() || line.front() == '#' || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            inAccounts = line == "[accounts]";
            continue;
        }
        const auto equals = line.find('=');
        if (inAccounts && equals != std::string::npos) {
            Set(TrimmedLine(line.substr(0, equals)), TrimmedLine(line.substr(equals + 1)));
        }
    }
    return true;
}

void AccountDirectory::Set(const std::string& ysDBName, const std::string& spec) {
    entries_[ysDBName] = spec;
}

DatabaseLocation AccountDirectory::Parse(const std::string& spec) {
    if (StartsWith(spec, "postgresql:")) {
        return {DatabaseLocation::Backend::Postgres, spec.substr(11)};
    }
    if (StartsWith(spec, "sqlite:")) {
        return {DatabaseLocation::Backend::Sqlite, spec.substr(7)};
    }
    return {DatabaseLocation::Backend::Sqlite, spec};
}

DatabaseLocation AccountDirectory::Locate(const std::string& ysDBName) const {
    DatabaseLocation location = Named(ysDBName);
    location.reading = reading_;
    return location;
}

DatabaseLocation AccountDirectory::Named(const std::string& ysDBName) const {
    if (const auto entry = entries_.find(ysDBName); entry != entries_.end()) {
        return Parse(entry->second);
    }
    // A name may be an entry's value itself, for a script that names a database directly.
    if (ysDBName.starts_with("postgresql:") || ysDBName.starts_with("sqlite:")) {
        return Parse(ysDBName);
    }
    const bool looksLikePath = ysDBName.find('/') != std::string::npos ||
                               (ysDBName.size() > 3 && ysDBName.ends_with(".db"));
    if (looksLikePath) {
        return {DatabaseLocation::Backend::Sqlite, ysDBName};
    }
    return {DatabaseLocation::Backend::Sqlite, dataFolder_ + "/" + ysDBName + ".db"};
}

}  // namespace zel
