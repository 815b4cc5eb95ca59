#include "support/test_database.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "host/database/account_database.h"
#include "host/database/cls_common.h"

namespace zel::test {
namespace {

void BindValue(sqlite3_stmt* statement, int index, const Variant& value) {
    if (value.IsNull()) {
        sqlite3_bind_null(statement, index);
    } else if (value.IsInteger()) {
        sqlite3_bind_int64(statement, index, std::stoll(value.ToString()));
    } else if (value.IsReal()) {
        sqlite3_bind_double(statement, index, *value.ToDouble());
    } else {
        const std::string text = value.ToString();
        sqlite3_bind_text(statement, index, text.c_str(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
    }
}

}  // namespace

TestDatabase::TestDatabase()
    : folder_(dir_.path().toStdString()),
      path_(folder_ + "/test.db"),
      dialogs_(std::make_shared<ScriptedDialogs>()),
      environment_(std::make_shared<HostEnvironment>()) {
    environment_->accounts = AccountDirectory(folder_);
    environment_->accounts.Set(kAccount, "sqlite:" + path_);
    environment_->dialogs = dialogs_;
    std::string error;
    EXPECT_TRUE(CreateAccountDatabase(path_, error)) << error;
    EXPECT_EQ(sqlite3_open_v2(path_.c_str(), &connection_, SQLITE_OPEN_READWRITE, nullptr),
              SQLITE_OK);
}

TestDatabase::~TestDatabase() {
    sqlite3_close_v2(connection_);
}

std::shared_ptr<IClsCommon> TestDatabase::OpenService() const {
    auto service = std::make_shared<ClsCommon>(environment_);
    service->Init(kAccount);
    EXPECT_TRUE(service->Status()) << service->LastError();
    return service;
}

void TestDatabase::Insert(const std::string& table, const std::map<std::string, Variant>& columns) {
    std::string names;
    std::string places;
    for (const auto& [name, value] : columns) {
        names += (names.empty() ? "" : ",") + name;
        places += places.empty() ? "?" : ",?";
    }
    const std::string sql = "insert into " + table + " (" + names + ") values (" + places + ")";
    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(connection_, sql.c_str(), -1, &statement, nullptr), SQLITE_OK)
        << sqlite3_errmsg(connection_) << " in " << sql;
    int index = 1;
    for (const auto& [name, value] : columns) {
        BindValue(statement, index++, value);
    }
    const int result = sqlite3_step(statement);
    sqlite3_finalize(statement);
    ASSERT_EQ(result, SQLITE_DONE) << sqlite3_errmsg(connection_) << " in " << sql;
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

bool TestDatabase::Execute(const std::string& sql) {
    return sqlite3_exec(connection_, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

Variant TestDatabase::Scalar(const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(connection_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << sqlite3_errmsg(connection_) << " in " << sql;
        return Variant();
    }
    Variant value;
    if (sqlite3_step(statement) == SQLITE_ROW) {
        switch (sqlite3_column_type(statement, 0)) {
            case SQLITE_INTEGER:
                value = Variant(static_cast<std::int64_t>(sqlite3_column_int64(statement, 0)));
                break;
            case SQLITE_FLOAT:
                value = Variant(sqlite3_column_double(statement, 0));
                break;
            case SQLITE_NULL:
                break;
            default:
                value = Variant(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        }
    }
    sqlite3_finalize(statement);
    return value;
}

}  // namespace zel::test
