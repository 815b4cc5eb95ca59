#include "host/database/postgres_connect.h"

#include <gtest/gtest.h>

#include "support/test_database.h"

namespace zel {
namespace {

struct Entry {
    const char* name;
    const char* adds;  // to the server's connection text
    const char* key;
    const char* value;  // what the connection ends up with
};

class ConnectWithinLimitsTest : public ::testing::TestWithParam<Entry> {};

// Each limit the account entry leaves open is the host's; one it sets is its own.
TEST_P(ConnectWithinLimitsTest, FillsInTheLimitsTheEntryLeavesOpen) {
    const auto server = test::TestDatabase::Server();
    if (!server) {
        GTEST_SKIP() << "about server connections; needs WHINV_TEST_POSTGRES";
    }
    const PostgresConnect made = ConnectWithinLimits(*server + " " + GetParam().adds);
    ASSERT_NE(made.connection, nullptr) << made.error;
    std::string value = "unset";
    PQconninfoOption* options = PQconninfo(made.connection);
    for (PQconninfoOption* option = options; option->keyword != nullptr; ++option) {
        if (option->keyword == std::string(GetParam().key) && option->val != nullptr) {
            value = option->val;
        }
    }
    PQconninfoFree(options);
    PQfinish(made.connection);
    EXPECT_EQ(value, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ConnectWithinLimitsTest,
    ::testing::Values(Entry{"ConnectTimeout", "", "connect_timeout", "5"},
                      Entry{"OwnConnectTimeout", "connect_timeout=9", "connect_timeout", "9"},
                      Entry{"Keepalives", "", "keepalives", "1"},
                      Entry{"KeepalivesOff", "keepalives=0", "keepalives", "0"},
                      Entry{"KeepalivesIdle", "", "keepalives_idle", "10"},
                      Entry{"TcpUserTimeout", "", "tcp_user_timeout", "30000"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zel
