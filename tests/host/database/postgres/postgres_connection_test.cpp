#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <chrono>
#include <functional>
#include <ostream>

#include "host/database/postgres/postgres_backend.h"
#include "support/tcp_relay.h"
#include "support/test_database.h"

namespace zel {
namespace {

using Clock = std::chrono::steady_clock;

// Small limits, so that a test waits seconds: connecting gives up after 2 s (libpq's least), a
// silent server after the statement's 1 s and that margin.
constexpr const char* kSmallLimits = "connect_timeout=2 options='-c statement_timeout=1000'";
constexpr auto kWithinLimit = std::chrono::seconds(8);

struct ServerAddress {
    std::string host = "127.0.0.1";
    int port = 5432;
};

ServerAddress AddressOf(const std::string& conninfo) {
    ServerAddress address;
    PQconninfoOption* options = PQconninfoParse(conninfo.c_str(), nullptr);
    for (PQconninfoOption* option = options; option && option->keyword; ++option) {
        if (option->val == nullptr) {
            continue;
        }
        if (std::string(option->keyword) == "hostaddr" || std::string(option->keyword) == "host") {
            address.host = option->val;
        } else if (std::string(option->keyword) == "port") {
            address.port = std::stoi(option->val);
        }
    }
    PQconninfoFree(options);
    return address;
}

std::string Setting(SqlBackend& backend, const std::string& name) {
    const auto show = backend.Prepare("show " + name);
    return show && show->Step() == StepResult::Row ? std::string(show->ColumnText(0)) : "?";
}

// A server that vanished or froze, between the client and the test server.
class PostgresConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!db.OnServer()) {
            GTEST_SKIP() << "about server connections; needs WHINV_TEST_POSTGRES";
        }
        const ServerAddress server = AddressOf(db.Path());
        relay.emplace(server.host, server.port);
    }

    std::string ThroughRelay() const {
        return db.Path() +
               " host=127.0.0.1 hostaddr=127.0.0.1 port=" + std::to_string(relay->Port()) + " " +
               kSmallLimits;
    }

    test::TestDatabase db;
    std::optional<test::TcpRelay> relay;
};

TEST_F(PostgresConnectionTest, ASilentListenerEndsOpenInTheConnectTimeout) {
    relay->Silence();
    PostgresBackend backend;
    const auto start = Clock::now();
    EXPECT_FALSE(backend.Open(ThroughRelay()));
    EXPECT_LT(Clock::now() - start, kWithinLimit);
    EXPECT_NE(backend.LastError().find("timeout"), std::string::npos) << backend.LastError();
    EXPECT_FALSE(backend.IsOpen());
}

struct Loss {
    const char* name;
    int rowsReadFirst;  // 0: the server is gone before the statement is sent
    void (test::TcpRelay::*lose)();
    const char* reason;  // a part of the failure the backend tells
};

void PrintTo(const Loss& case_, std::ostream* out) {
    *out << case_.name;
}

class PostgresConnectionLossTest : public PostgresConnectionTest,
                                   public ::testing::WithParamInterface<Loss> {};

// A result ends in an error, never in an end of rows, however the connection is lost; the
// connection is then closed for good, and the next statement fails at once.
TEST_P(PostgresConnectionLossTest, FailsTheStatementAndEveryLaterOne) {
    PostgresBackend backend;
    ASSERT_TRUE(backend.Open(ThroughRelay())) << backend.LastError();
    const auto query =
        backend.Prepare("select g, repeat('x', 100) from generate_series(1, 2000000) g");
    ASSERT_TRUE(query);
    for (int row = 0; row < GetParam().rowsReadFirst; ++row) {
        ASSERT_EQ(query->Step(), StepResult::Row);
    }
    ((*relay).*GetParam().lose)();
    const auto start = Clock::now();
    StepResult step = StepResult::Row;
    while (step == StepResult::Row) {
        step = query->Step();
    }
    EXPECT_EQ(step, StepResult::Error);
    EXPECT_LT(Clock::now() - start, kWithinLimit);
    EXPECT_NE(backend.LastError().find(GetParam().reason), std::string::npos)
        << backend.LastError();
    EXPECT_FALSE(backend.IsOpen());

    const auto later = backend.Prepare("select 1");
    EXPECT_TRUE(!later || later->Step() == StepResult::Error);
    EXPECT_LT(Clock::now() - start, kWithinLimit);
}

INSTANTIATE_TEST_SUITE_P(
    Losses, PostgresConnectionLossTest,
    ::testing::Values(Loss{"CutBeforeTheStatement", 0, &test::TcpRelay::Cut, "server"},
                      Loss{"CutWhileRowsStream", 10, &test::TcpRelay::Cut, "server"},
                      Loss{"SilentBeforeTheAnswer", 0, &test::TcpRelay::Silence, "timed out"},
                      Loss{"SilentWhileRowsStream", 10, &test::TcpRelay::Silence, "timed out"}),
    [](const auto& info) { return std::string(info.param.name); });

class PostgresConnectionWriteLossTest
    : public PostgresConnectionTest,
      public ::testing::WithParamInterface<void (test::TcpRelay::*)()> {};

// A save sends its begin, its statement and its commit in one round trip: lost on the way, it
// fails within the limit and leaves nothing behind.
TEST_P(PostgresConnectionWriteLossTest, FailsASaveAndWritesNothing) {
    PostgresBackend backend;
    ASSERT_TRUE(backend.Open(ThroughRelay())) << backend.LastError();
    ((*relay).*GetParam())();
    const auto start = Clock::now();
    ASSERT_TRUE(backend.Begin());
    backend.CommitWithNextStatement();
    const auto insert =
        backend.Prepare("insert into Warehouse (cWhCode, cWhName) values ('99', '新库')");
    ASSERT_TRUE(insert);
    EXPECT_EQ(insert->Step(), StepResult::Error);
    EXPECT_FALSE(backend.Commit());
    EXPECT_LT(Clock::now() - start, kWithinLimit);
    EXPECT_FALSE(backend.IsOpen());

    const auto reader = db.OpenBackend();
    const auto written = reader->Prepare("select 1 from Warehouse where cWhCode = '99'");
    EXPECT_EQ(written->Step(), StepResult::Done);
}

INSTANTIATE_TEST_SUITE_P(Losses, PostgresConnectionWriteLossTest,
                         ::testing::Values(&test::TcpRelay::Cut, &test::TcpRelay::Silence),
                         [](const auto& info) {
                             return info.param == &test::TcpRelay::Cut ? "Cut" : "Silent";
                         });

TEST_F(PostgresConnectionTest, ConnectsAgainOnceTheServerIsBack) {
    relay->Cut();
    PostgresBackend backend;
    EXPECT_FALSE(backend.Open(ThroughRelay()));
    relay->Pass();
    EXPECT_TRUE(backend.Open(ThroughRelay())) << backend.LastError();
    EXPECT_TRUE(backend.IsOpen());
}

struct Limit {
    const char* name;
    const char* entry;  // what the account entry adds to the connection text
    const char* setting;
    const char* value;
};

void PrintTo(const Limit& case_, std::ostream* out) {
    *out << '"' << case_.entry << '"';
}

class PostgresConnectionLimitTest : public PostgresConnectionTest,
                                    public ::testing::WithParamInterface<Limit> {};

// The host's limits hold where the account entry sets none; the entry's own win.
TEST_P(PostgresConnectionLimitTest, TheEntrySetsItsOwnLimits) {
    PostgresBackend backend;
    ASSERT_TRUE(backend.Open(db.Path() + " " + GetParam().entry)) << backend.LastError();
    EXPECT_EQ(Setting(backend, GetParam().setting), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, PostgresConnectionLimitTest,
    ::testing::Values(
        Limit{"HostDefault", "", "statement_timeout", "5min"},
        Limit{"EntrysOwn", "options='-c statement_timeout=7s'", "statement_timeout", "7s"},
        Limit{"DefaultBesideOtherOptions", "options='-c search_path=public,pg_catalog'",
              "statement_timeout", "5min"},
        Limit{"OtherOptionsKept", "options='-c search_path=public,pg_catalog'", "search_path",
              "public,pg_catalog"},
        Limit{"NoneAskedFor", "options=-cstatement_timeout=0", "statement_timeout", "0"},
        Limit{"SerialPlansByDefault", "", "max_parallel_workers_per_gather", "0"},
        Limit{"EntrysOwnWorkers", "options='-c max_parallel_workers_per_gather=2'",
              "max_parallel_workers_per_gather", "2"},
        Limit{"WorkersBesideOwnLimit", "options='-c statement_timeout=7s'",
              "max_parallel_workers_per_gather", "0"},
        Limit{"NoCompiledPlansByDefault", "", "jit", "off"},
        Limit{"EntrysOwnCompiledPlans", "options='-c jit=on'", "jit", "on"}),
    [](const auto& info) { return std::string(info.param.name); });

// A program that reads each list once to its end keeps the limits, and the server's own plans.
TEST_F(PostgresConnectionTest, AProgramThatReadsListsOnceKeepsTheServersOwnPlans) {
    PostgresBackend backend(ReadingPattern::kOnePass);
    ASSERT_TRUE(backend.Open(db.Path())) << backend.LastError();
    EXPECT_EQ(Setting(backend, "statement_timeout"), "5min");
    for (const char* plans : {"max_parallel_workers_per_gather", "jit"}) {
        const auto serverOwn = backend.Prepare(std::string("select reset_val from pg_settings "
                                                           "where name = '") +
                                               plans + "'");
        ASSERT_TRUE(serverOwn && serverOwn->Step() == StepResult::Row) << backend.LastError();
        EXPECT_EQ(Setting(backend, plans), std::string(serverOwn->ColumnText(0))) << plans;
    }
}

}  // namespace
}  // namespace zel
