#pragma once

#include <string>

namespace zel {

class PostgresBackend;
class SqlBackend;

// Makes a SQLite account database at path from the host's embedded schema and seed. The
// scripts only add what is missing, so running it on an existing account changes no data.
// false with the reason in error.
bool CreateAccountDatabase(const std::string& path, std::string& error);

// The same on a PostgreSQL server: the account's tables and settings in the database the
// connection text names, which must exist (a server's databases are its administrator's to make).
bool CreateServerAccount(const std::string& conninfo, std::string& error);

// On a server the login is the user: makes the connection's login an administrator of the
// account it is connected to, so that whoever made the account can open it as themselves. false
// with the reason in the backend's LastError().
bool AddLoginAsAdministrator(PostgresBackend& backend);

}  // namespace zel
