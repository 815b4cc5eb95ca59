#pragma once

#include <libpq-fe.h>

#include <chrono>
#include <string>
#include <string_view>

#include "host/database/reading_pattern.h"

namespace zel {

// How long a client waits for a server. A statement limit of 0 means the account entry asked for
// none: then only a dead server (keepalives) ends a wait.
struct PostgresLimits {
    std::chrono::milliseconds connect;
    std::chrono::milliseconds statement;

    // The longest silence a client bears while it waits for an answer: the server ends a
    // statement at its limit and says so, which takes a round trip more.
    std::chrono::milliseconds Answer() const {
        return statement.count() > 0 ? statement + connect : std::chrono::milliseconds(0);
    }
};

// A libpq connection that keeps the host's time limits. An account entry (key=value, URI or
// service=) gets each only where it sets none of its own, so that a user sets them per account
// with the usual libpq keys:
//   connect_timeout      5 s: a server that accepts and never answers ends the attempt;
//   keepalives=1, keepalives_idle=10, keepalives_interval=5, keepalives_count=3,
//   tcp_user_timeout=30000: a vanished server is noticed within about 30 s;
//   statement_timeout    5 min, through options='-c statement_timeout=…' (see kStatementLimit);
//   for a program that browses: max_parallel_workers_per_gather 0 (see kParallelWorkers) and
//   jit off (see kCompiledPlans), through options='-c …' likewise.
// A service file's options count as the entry's; its other keys do not, since keys given here
// take precedence over a service file's. sessionSetup (statements without results) is sent in
// the round trip that reads the limits. connection is nullptr with the reason in error when the
// connection cannot be made; the reason never holds a password.
struct PostgresConnect {
    PGconn* connection = nullptr;
    PostgresLimits limits{};
    std::string error;
};
PostgresConnect ConnectWithinLimits(const std::string& conninfo, std::string_view sessionSetup = {},
                                    ReadingPattern reading = ReadingPattern::kBrowsing);

// A libpq message as the host passes it on: without its line end, and without a password of
// the connection text libpq may quote.
std::string EngineMessage(const char* message);

// What a message calls the account behind a connection text: its service, else its database,
// else the text with its password masked.
std::string AccountNameOf(const std::string& conninfo);

}  // namespace zel
