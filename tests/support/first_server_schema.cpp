#include "support/first_server_schema.h"

#include <fstream>
#include <sstream>

#include "host/database/postgres/postgres_backend.h"

namespace zel::test {
namespace {

std::string SourceText(const std::string& relativePath) {
    std::ifstream file(WHINV_SOURCE_DIR "/" + relativePath);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

bool MakeFirstServerSchemaAccount(TestDatabase& db, std::string& error) {
    // Connected, not opened: opening would upgrade the account.
    PostgresBackend backend;
    if (!backend.Connect(db.Path())) {
        error = backend.LastError();
        return false;
    }
    // The schema public is emptied rather than the database made again, so that the test's
    // connections and its clean-up stay as they are.
    const bool made =
        backend.Begin() &&
        backend.ExecuteScript(
            "set local client_min_messages = warning; drop schema public cascade; "
            "create schema public; grant usage on "
            "schema public to public") &&
        backend.ExecuteScript(
            SourceText("tests/host/database/fixtures/postgresql_schema_first.sql")) &&
        backend.ExecuteScript(
            SourceText("tests/host/database/fixtures/postgresql_seed_first.sql")) &&
        backend.ExecuteScript(SourceText("tests/support/postgres_test_functions.sql")) &&
        backend.ExecuteScript(
            "insert into aa_user (cUserId, cUserName, bAdmin) values "
            "(session_user::text, session_user::text, 1) on conflict (cUserId) "
            "do update set bAdmin = 1") &&
        backend.Commit();
    if (!made) {
        error = backend.LastError();
        backend.Rollback();
    }
    return made;
}

}  // namespace zel::test
