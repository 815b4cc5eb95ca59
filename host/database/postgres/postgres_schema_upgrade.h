#pragma once

#include <string>

namespace zel {

class PostgresBackend;

// Brings a server account that an earlier program made up to the schema this program writes.
// The server's schema script creates only what is missing, so running it again upgrades; it runs
// with the new version in one transaction, so an account is upgraded whole or left as it was.
// Columns typed otherwise since the account was made are converted, and rules added since are added
// to its tables, the rows they refuse set aside (see PostgresSchemaUpgradeRules).
class PostgresSchemaUpgrade {
public:
    // The version db/schema/postgresql.sql writes into whinv_schema.
    static constexpr int kVersion = 7;

    // Nothing to do for a current account. false with a message for the user in error when the
    // account is newer than this program, or the login may not or could not upgrade it.
    static bool Run(PostgresBackend& backend, int version, const std::string& account,
                    std::string& error);

    // Runs the schema script within the caller's transaction, on an account of the given version
    // as on a database without the account's tables (any version then): whatever an earlier
    // program made is first brought up to the script, which alone would fail on it.
    static bool RunScript(PostgresBackend& backend, int version, const std::string& schema);
};

}  // namespace zel
