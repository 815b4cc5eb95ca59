#include "host/database/postgres/postgres_backend.h"

#include <gtest/gtest.h>

#include <ostream>

#include "support/test_database.h"

namespace zel {
namespace {

constexpr const char* kPassword = "Sekrit-4711";

struct FailedOpen {
    const char* name;
    std::string entry;  // {server} stands for the test server's connection text
    bool needsServer;
    const char* account;  // what the message calls the account
};

void PrintTo(const FailedOpen& case_, std::ostream* out) {
    *out << case_.name;
}

class PostgresBackendOpenTest : public ::testing::TestWithParam<FailedOpen> {};

// However an account fails to open, the message names the account and never its password.
TEST_P(PostgresBackendOpenTest, TellsTheAccountAndHidesThePassword) {
    const auto server = test::TestDatabase::Server();
    if (GetParam().needsServer && !server) {
        GTEST_SKIP() << "needs WHINV_TEST_POSTGRES";
    }
    std::string entry = GetParam().entry;
    if (const auto at = entry.find("{server}"); at != std::string::npos) {
        entry.replace(at, 8, server.value_or(""));
    }
    PostgresBackend backend;
    EXPECT_FALSE(backend.Open(entry));
    const std::string error = backend.LastError();
    EXPECT_EQ(error.find(kPassword), std::string::npos) << error;
    EXPECT_NE(error.find(GetParam().account), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, PostgresBackendOpenTest,
    ::testing::Values(
        FailedOpen{"NoServerListens",
                   std::string("host=127.0.0.1 port=1 dbname=shop password=") + kPassword, false,
                   "shop"},
        FailedOpen{"UriWithNoServer",
                   std::string("postgresql://wang:") + kPassword + "@127.0.0.1:1/shop", false,
                   "shop"},
        FailedOpen{"ServiceWithNoServer",
                   std::string("service=shop_service host=127.0.0.1 port=1 password=") + kPassword,
                   false, "shop_service"},
        FailedOpen{"NamedByItsHostOnly", std::string("host=127.0.0.1 port=1 password=") + kPassword,
                   false, "host=127.0.0.1 port=1 password=***"},
        FailedOpen{"NotAnAccount", std::string("{server} dbname=postgres password=") + kPassword,
                   true, "postgres"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zel
