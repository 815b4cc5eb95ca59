// The PostgreSQL server the benchmarks measure on, and a demo account on it with an owner and a
// plain login.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "db/demo/demo_data_generator.h"
#include "demo_main_window.h"
#include "host/database/postgres/postgres_backend.h"
#include "host/database/server_account_security.h"

namespace bench {

// WHINV_BENCH_POSTGRES: a libpq connection text of a user who may create databases and roles;
// empty when the benchmarks are to leave the server out.
inline std::string BenchServer() {
    const char* server = std::getenv("WHINV_BENCH_POSTGRES");
    return server != nullptr ? server : "";
}

// Runs statements on a connection of their own; ends the benchmark when they fail.
inline void RunOnServer(const std::string& conninfo, const std::string& sql) {
    zel::PostgresBackend backend;
    if (!backend.Connect(conninfo) || !backend.ExecuteScript(sql)) {
        Fail(sql + ": " + backend.LastError());
    }
}

// What a secured account is built with.
struct SecuredAccountOptions {
    std::string name;  // the database's name, before the process id
    std::int64_t rows = 0;
    std::int64_t items = 0;
    int warehouses = 0;
    // Run by the owner once the account is secured, each in a transaction of its own.
    std::vector<std::string> fill;
    // The plain login's right on every warehouse: "R" reads, "W" writes.
    std::string clerkRight = "R";
};

// A demo account on the benchmark server, secured, with a main window as its owner and one as a
// plain login (the clerk) bound by the row policies; dropped with its roles at the end.
class SecuredServerAccount {
public:
    explicit SecuredServerAccount(const SecuredAccountOptions& options)
        : database_(options.name + "_" + std::to_string(getpid())),
          roles_(zel::AccountRolesOf(database_)),
          clerk_(database_ + "_clerk") {
        RunOnServer(BenchServer(), "create database " + database_);
        const std::string account = BenchServer() + " dbname=" + database_;
        zel::demo::DemoOptions demo;
        demo.output = "postgresql:" + account;
        demo.rows = options.rows;
        demo.items = options.items;
        demo.warehouses = options.warehouses;
        const auto outcome = zel::demo::DemoDataGenerator(demo).Generate();
        if (!outcome.Ok()) {
            Fail("cannot build the account: " + outcome.detail);
        }
        zel::PostgresBackend owner;
        std::string error;
        if (!owner.Connect(account) || !zel::SecureServerAccount(owner, error)) {
            Fail("cannot secure the account: " + error + owner.LastError());
        }
        for (const std::string& script : options.fill) {
            RunOnServer(account, script);
        }
        RunOnServer(account, "create role " + clerk_ + " login in role " + roles_.users +
                                 "; insert into aa_user values ('" + clerk_ +
                                 "', 'clerk', 0); insert into aa_rowauth select '" + clerk_ +
                                 "', 'Warehouse', cWhCode, '" + options.clerkRight +
                                 "' from Warehouse; analyze");
        owner_ = std::make_unique<DemoMainWindow>("postgresql:" + account);
        plain_ = std::make_unique<DemoMainWindow>("postgresql:" + account + " user=" + clerk_);
    }
    SecuredServerAccount(const SecuredServerAccount&) = delete;
    SecuredServerAccount& operator=(const SecuredServerAccount&) = delete;
    ~SecuredServerAccount() {
        owner_.reset();
        plain_.reset();
        RunOnServer(BenchServer(), "drop database if exists " + database_ + " with (force)");
        for (const std::string& role : {clerk_, roles_.users, roles_.admins}) {
            RunOnServer(BenchServer(), "drop role if exists " + role);
        }
    }

    DemoMainWindow& Owner() { return *owner_; }
    DemoMainWindow& Plain() { return *plain_; }

private:
    std::string database_;
    zel::AccountRoles roles_;
    std::string clerk_;
    std::unique_ptr<DemoMainWindow> owner_;
    std::unique_ptr<DemoMainWindow> plain_;
};

}  // namespace bench
