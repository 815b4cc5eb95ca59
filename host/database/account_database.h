#pragma once

#include <string>

namespace zel {

// Makes a SQLite account database at path from the host's embedded schema and seed. The
// scripts only add what is missing, so running it on an existing account changes no data.
// false with the reason in error.
bool CreateAccountDatabase(const std::string& path, std::string& error);

}  // namespace zel
