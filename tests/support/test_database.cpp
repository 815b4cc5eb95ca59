#include "support/test_database.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "host/database/account_database.h"
#include "host/database/cls_common.h"
#include "host/database/postgres/postgres_backend.h"
#include "host/database/sqlite/sqlite_backend.h"
#include "host/objects/host_text.h"

namespace zel::test {
namespace {

std::string NewDatabaseName() {
    static std::atomic<int> made{0};
    return "whinv_t_" + std::to_string(getpid()) + "_" + std::to_string(++made);
}

// Runs a statement outside any transaction (a database is made or dropped that way) on the
// server's maintenance connection.
bool RunOnServer(const std::string& server, const std::string& sql, std::string& error) {
    PostgresBackend admin;
    if (!admin.Connect(server) || !admin.ExecuteScript(sql)) {
        error = admin.LastError();
        return false;
    }
    return true;
}

std::string TestFunctions() {
    std::ifstream file(WHINV_SOURCE_DIR "/tests/support/postgres_test_functions.sql");
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

bool IsPragma(const std::string& sql) {
    const auto first = sql.find_first_not_of(" \t\n");
    return first != std::string::npos && sql.compare(first, 6, "pragma") == 0;
}

}  // namespace

std::optional<std::string> TestDatabase::Server() {
    const char* server = std::getenv("WHINV_TEST_POSTGRES");
    return server != nullptr && *server != '\0' ? std::optional<std::string>(server) : std::nullopt;
}

TestDatabase::TestDatabase(Engine engine)
    : folder_(dir_.path().toStdString()),
      path_(folder_ + "/test.db"),
      dialogs_(std::make_shared<ScriptedDialogs>()),
      environment_(std::make_shared<HostEnvironment>()) {
    environment_->accounts = AccountDirectory(folder_);
    environment_->dialogs = dialogs_;
    if (const auto server = Server(); server && engine == Engine::Configured) {
        CreateOnServer(*server);
        return;
    }
    environment_->accounts.Set(kAccount, "sqlite:" + path_);
    std::string error;
    EXPECT_TRUE(CreateAccountDatabase(path_, error)) << error;
    connection_ = OpenBackend();
}

void TestDatabase::CreateOnServer(const std::string& server) {
    server_ = server;
    database_ = NewDatabaseName();
    // libpq takes the last of repeated keywords: the account's database replaces the server's.
    path_ = server + " dbname=" + database_;
    environment_->accounts.Set(kAccount, "postgresql:" + path_);
    std::string error;
    if (!RunOnServer(server, "create database " + database_, error) ||
        !CreateServerAccount(path_, error)) {
        ADD_FAILURE() << error;
    }
    auto account = std::make_unique<PostgresBackend>();
    // The tests act as an administrator, as "demo" does on a file.
    if (!account->Open(path_) || !account->ExecuteScript(TestFunctions()) ||
        !AddLoginAsAdministrator(*account)) {
        ADD_FAILURE() << account->LastError();
    }
    connection_ = std::move(account);
}

TestDatabase::UserLogin TestDatabase::AddLogin(const std::string& code) {
    if (!OnServer()) {
        return {code, DatabaseArgument()};
    }
    const std::string role = database_ + "_" + AsciiLower(code);
    std::string error;
    if (!RunOnServer(server_, "create role " + role + " login", error)) {
        ADD_FAILURE() << error;
        return {role, {}};
    }
    roles_.push_back(role);
    EXPECT_TRUE(Execute("grant select, insert, update, delete on all tables in schema public to " +
                        role + ";" +
                        "grant usage, select, update on all sequences in schema public to " + role))
        << connection_->LastError();
    return {role, DatabaseArgument() + " user=" + role};
}

TestDatabase::~TestDatabase() {
    connection_.reset();
    if (!database_.empty()) {
        std::string error;
        EXPECT_TRUE(
            RunOnServer(server_, "drop database if exists " + database_ + " with (force)", error))
            << error;
    }
    // Their rights were on the dropped database alone.
    for (const auto& role : roles_) {
        std::string error;
        EXPECT_TRUE(RunOnServer(server_, "drop role if exists " + role, error)) << error;
    }
}

std::shared_ptr<IClsCommon> TestDatabase::OpenService() const {
    auto service = std::make_shared<ClsCommon>(environment_);
    service->Init(kAccount);
    EXPECT_TRUE(service->Status()) << service->LastError();
    return service;
}

std::shared_ptr<IClsCommon> TestDatabase::OpenServiceOfAnotherProgram() const {
    auto environment = std::make_shared<HostEnvironment>(*environment_);
    environment->connections = std::make_shared<SharedConnections>();
    auto service = std::make_shared<ClsCommon>(environment);
    service->Init(kAccount);
    EXPECT_TRUE(service->Status()) << service->LastError();
    return service;
}

std::unique_ptr<SqlBackend> TestDatabase::OpenBackend(ReadingPattern reading) const {
    std::unique_ptr<SqlBackend> backend;
    if (OnServer()) {
        backend = std::make_unique<PostgresBackend>(reading);
    } else {
        backend = std::make_unique<SqliteBackend>(reading);
    }
    EXPECT_TRUE(backend->Open(path_)) << backend->LastError();
    return backend;
}

void TestDatabase::Insert(const std::string& table, const std::map<std::string, Variant>& columns) {
    std::string names;
    std::string places;
    for (const auto& [name, value] : columns) {
        names += (names.empty() ? "" : ",") + name;
        places += places.empty() ? "?" : ",?";
    }
    const std::string sql = "insert into " + table + " (" + names + ") values (" + places + ")";
    std::vector<Variant> values;
    for (const auto& [name, value] : columns) {
        values.push_back(value);
    }
    const auto statement = connection_->Prepare(sql);
    ASSERT_TRUE(statement) << connection_->LastError() << " in " << sql;
    ASSERT_TRUE(statement->Run(values)) << connection_->LastError() << " in " << sql;
}

void TestDatabase::AddWarehouse(const std::string& code, const std::string& name) {
    Insert("Warehouse", {{"cWhCode", code}, {"cWhName", name}});
}

void TestDatabase::AddInventory(const std::string& code, const std::string& name,
                                const std::map<std::string, Variant>& columns) {
    auto all = columns;
    all["cInvCode"] = code;
    all["cInvName"] = name;
    Insert("Inventory", all);
}

void TestDatabase::AddPerson(const std::string& code, const std::string& name) {
    Insert("Person", {{"cPersonCode", code}, {"cPersonName", name}});
}

void TestDatabase::AddCorrespondence(const std::string& warehouse, const std::string& inventory,
                                     const std::map<std::string, Variant>& columns) {
    auto all = columns;
    all["cWhCode"] = warehouse;
    all["cInvCode"] = inventory;
    Insert("WhInvContrapose", all);
}

void TestDatabase::AddThousandCorrespondences(const std::string& warehouse) {
    ASSERT_TRUE(
        Execute("create table Numbers (i integer);"
                "with recursive k(i) as (select 1 union all select i+1 from k where i<1000) "
                "insert into Numbers select i from k;"
                "insert into Inventory (cInvCode, cInvName) select printf('B%04d', i), 'x' "
                "from Numbers;"
                "insert into WhInvContrapose (cWhCode, cInvCode, iTopSum) "
                "select '" +
                warehouse + "', printf('B%04d', i), 1 from Numbers"));
}

bool TestDatabase::Execute(const std::string& sql) {
    // A server always holds its references; SQLite's settings mean nothing there.
    if (OnServer() && IsPragma(sql)) {
        return true;
    }
    return connection_->ExecuteScript(sql);
}

Variant TestDatabase::Scalar(const std::string& sql) {
    const auto statement = connection_->Prepare(sql);
    if (!statement) {
        ADD_FAILURE() << connection_->LastError() << " in " << sql;
        return Variant();
    }
    const StepResult step = statement->Step();
    if (step == StepResult::Error) {
        ADD_FAILURE() << connection_->LastError() << " in " << sql;
    }
    return step == StepResult::Row ? statement->ColumnValue(0) : Variant();
}

}  // namespace zel::test
