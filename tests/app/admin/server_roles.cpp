#include "server_roles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "host/database/postgres_backend.h"
#include "support/test_database.h"

namespace zel::test {

ServerRoles::~ServerRoles() {
    const auto server = TestDatabase::Server();
    if (roles_.empty() || !server) {
        return;
    }
    PostgresBackend admin;
    if (!admin.Connect(*server)) {
        ADD_FAILURE() << admin.LastError();
        return;
    }
    for (const std::string& role : roles_) {
        EXPECT_TRUE(admin.ExecuteScript("drop role if exists \"" + role + "\""))
            << admin.LastError();
    }
}

std::string ServerRoles::Unique(const std::string& stem) {
    static int made = 0;
    const std::string role = stem + "_" + std::to_string(getpid()) + "_" + std::to_string(++made);
    DropAtEnd(role);
    return role;
}

void ServerRoles::DropAtEnd(const std::string& role) {
    roles_.push_back(role);
}

}  // namespace zel::test
