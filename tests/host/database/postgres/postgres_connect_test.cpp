#include "host/database/postgres/postgres_connect.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <map>
#include <ostream>

#include "support/test_database.h"

namespace zel {
namespace {

struct Entry {
    const char* name;
    const char* adds;  // to the server's connection text
    const char* key;
    const char* value;  // what the connection ends up with
};

void PrintTo(const Entry& case_, std::ostream* out) {
    *out << '"' << case_.adds << '"';
}

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

// The server's connection text in other forms: a URI, and a service in a service file.
class ConnectWithinLimitsFormsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto server = test::TestDatabase::Server();
        if (!server) {
            GTEST_SKIP() << "about server connections; needs WHINV_TEST_POSTGRES";
        }
        PQconninfoOption* options = PQconninfoParse(server->c_str(), nullptr);
        for (PQconninfoOption* option = options; option->keyword != nullptr; ++option) {
            if (option->val != nullptr) {
                parts[option->keyword] = option->val;
            }
        }
        PQconninfoFree(options);
    }

    static std::chrono::milliseconds StatementLimit(const std::string& conninfo) {
        const PostgresConnect made = ConnectWithinLimits(conninfo);
        EXPECT_NE(made.connection, nullptr) << made.error;
        PQfinish(made.connection);
        return made.limits.statement;
    }

    std::map<std::string, std::string> parts;
};

TEST_F(ConnectWithinLimitsFormsTest, AUriKeepsItsOwnStatementLimit) {
    const std::string uri = "postgresql://" + parts["user"] + "@" + parts["host"] + ":" +
                            parts["port"] + "/" + parts["dbname"] +
                            "?options=-c%20statement_timeout%3D7s";
    EXPECT_EQ(StatementLimit(uri), std::chrono::seconds(7));
}

// Options given beside a service would replace the service file's: the limit is set only when
// the options the connection ended up with have none.
TEST_F(ConnectWithinLimitsFormsTest, AServiceKeepsItsFilesOptions) {
    const QTemporaryDir folder;
    const std::string file = folder.filePath("pg_service.conf").toStdString();
    std::ofstream(file) << "[whinv_forms]\nhost=" << parts["host"] << "\nport=" << parts["port"]
                        << "\nuser=" << parts["user"] << "\ndbname=" << parts["dbname"]
                        << "\noptions=-c statement_timeout=8s\n";
    setenv("PGSERVICEFILE", file.c_str(), 1);
    EXPECT_EQ(StatementLimit("service=whinv_forms"), std::chrono::seconds(8));
    EXPECT_EQ(StatementLimit("service=whinv_forms options=-csearch_path=public"),
              std::chrono::minutes(5));
    unsetenv("PGSERVICEFILE");
}

}  // namespace
}  // namespace zel
