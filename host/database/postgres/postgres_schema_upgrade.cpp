#include "host/database/postgres/postgres_schema_upgrade.h"

#include "host/database/database_texts.h"
#include "host/database/embedded_script.h"
#include "host/database/postgres/postgres_backend.h"
#include "host/database/postgres/postgres_schema_upgrade_rules.h"

namespace zel {
namespace {

// false with the server's reason, and whether it was a right the login lacks.
bool Upgrade(PostgresBackend& backend, int version, std::string& reason, bool& denied) {
    std::string schema;
    if (!ReadEmbeddedScript(":/host/schema/postgresql.sql", schema, reason)) {
        return false;
    }
    const bool upgraded = backend.Begin() &&
                          PostgresSchemaUpgrade::RunScript(backend, version, schema) &&
                          backend.Commit();
    if (!upgraded) {
        reason = backend.LastError();
        denied = backend.LastRefusal() == SchemaRefusal::Denied;
        backend.Rollback();
    }
    return upgraded;
}

}  // namespace

bool PostgresSchemaUpgrade::RunScript(PostgresBackend& backend, int version,
                                      const std::string& schema) {
    PostgresSchemaUpgradeRules rules(backend, version);
    return rules.ConvertTypes(PostgresSchemaUpgradeRules::DeclaredColumns(schema),
                              PostgresSchemaUpgradeRules::MadeByScript(schema)) &&
           rules.AddMissing(PostgresSchemaUpgradeRules::DeclaredChecks(schema)) &&
           rules.NoteSetAside() && backend.ExecuteScript(schema) && rules.KeepRowPolicies() &&
           backend.ExecuteScript("update whinv_schema set version = " + std::to_string(kVersion));
}

bool PostgresSchemaUpgrade::Run(PostgresBackend& backend, int version, const std::string& account,
                                std::string& error) {
    const std::vector<std::string> versions{account, std::to_string(version),
                                            std::to_string(kVersion)};
    if (version > kVersion) {
        error = DatabaseTexts::FormatWhole("Zel.HOST.DB.schema_newer", versions);
        return false;
    }
    if (version == kVersion) {
        return true;
    }
    std::string reason;
    bool denied = false;
    if (Upgrade(backend, version, reason, denied)) {
        return true;
    }
    if (denied) {
        error = DatabaseTexts::FormatWhole("Zel.HOST.DB.schema_upgrade_denied", versions);
    } else {
        auto withReason = versions;
        withReason.push_back(reason);
        error = DatabaseTexts::FormatWhole("Zel.HOST.DB.schema_upgrade_failed", withReason);
    }
    return false;
}

}  // namespace zel
