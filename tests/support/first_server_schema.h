#pragma once

#include <string>

#include "support/test_database.h"

namespace zel::test {

// Makes the test's server account one that the first server schema made and no program opened
// since: the tables, triggers and seed of that schema (version 2, kept under
// tests/host/database/fixtures), nothing of the later schemas, and the test's login its
// administrator. The test's own checking functions stay. false with the server's reason in error
// when it cannot.
bool MakeFirstServerSchemaAccount(TestDatabase& db, std::string& error);

}  // namespace zel::test
