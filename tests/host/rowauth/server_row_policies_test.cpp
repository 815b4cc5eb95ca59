// The server's row policies and the program's own conditions agree: for every set-up of grants,
// the rows the row-authorisation service's answers select, and the rows the write checks allow,
// are exactly those the server lets the login read and change.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "host/database/register_database_service.h"
#include "host/database/write_rights.h"
#include "host/objects/object_registry.h"
#include "host/rowauth/register_row_auth_service.h"
#include "interfaces/row_auth.h"
#include "support/server_roles.h"
#include "support/test_database.h"

namespace zel {
namespace {

using test::ServerSession;

struct Grant {
    const char* object;
    const char* code;
    const char* right;
};

struct SetUp {
    const char* name;
    std::vector<const char*> controlled;  // the objects aa_rowauth_object controls
    enum class User { Missing, Plain, Administrator } user;
    std::vector<Grant> grants;
};

const SetUp kSetUps[] = {
    {"nothing controlled", {}, SetUp::User::Plain, {}},
    {"warehouses read and written",
     {"Warehouse"},
     SetUp::User::Plain,
     {{"Warehouse", "01", "W"}, {"Warehouse", "02", "R"}}},
    {"warehouses and items",
     {"Warehouse", "Inventory"},
     SetUp::User::Plain,
     {{"Warehouse", "01", "W"},
      {"Warehouse", "02", "W"},
      {"Warehouse", "03", "R"},
      {"Inventory", "A001", "W"},
      {"Inventory", "A002", "R"}}},
    {"storekeepers",
     {"Person"},
     SetUp::User::Plain,
     {{"Person", "P1", "R"}, {"Person", "P2", "W"}}},
    {"everything controlled",
     {"Warehouse", "Inventory", "Person"},
     SetUp::User::Plain,
     {{"Warehouse", "01", "W"},
      {"Warehouse", "02", "R"},
      {"Inventory", "A001", "W"},
      {"Inventory", "A002", "W"},
      {"Inventory", "A003", "R"},
      {"Person", "P1", "W"}}},
    {"everything controlled, no grant",
     {"Warehouse", "Inventory", "Person"},
     SetUp::User::Plain,
     {}},
    {"grants in another letter case",
     {"Inventory"},
     SetUp::User::Plain,
     {{"Inventory", "a001", "r"}, {"Inventory", "a002", "w"}}},
    {"administrator", {"Warehouse", "Inventory", "Person"}, SetUp::User::Administrator, {}},
    {"no user row", {"Warehouse"}, SetUp::User::Missing, {{"Warehouse", "01", "W"}}},
    {"no user row, nothing controlled", {}, SetUp::User::Missing, {}},
};

// Three warehouses, three items, and storekeepers P1, P2 or none on the nine rows.
class ServerRowPoliciesTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!db.OnServer()) {
            GTEST_SKIP() << "row policies are the server's; a SQLite file is its one user's";
        }
        RegisterDatabaseService(registry, db.Environment());
        RegisterRowAuthService(registry);
        const char* persons[] = {"", "P1", "P2"};
        db.AddPerson("P1");
        db.AddPerson("P2");
        for (int w = 1; w <= 3; ++w) {
            db.AddWarehouse("0" + std::to_string(w));
            db.AddInventory("A00" + std::to_string(w));
        }
        for (int w = 1; w <= 3; ++w) {
            for (int i = 1; i <= 3; ++i) {
                std::map<std::string, Variant> columns;
                if (const char* person = persons[(w + i) % 3]; *person != '\0') {
                    columns["cWhPersonCode"] = person;
                }
                db.AddCorrespondence("0" + std::to_string(w), "A00" + std::to_string(i), columns);
            }
        }
        std::string error;
        const std::optional<AccountRoles> secured = roles_.SecureAccount(error);
        ASSERT_TRUE(secured) << error;
        const AccountRoles& roles = *secured;
        login = roles_.AddLogin("keeper", {roles.users});
    }

    void Arrange(const zel::SetUp& setUp) {
        ASSERT_TRUE(db.Execute("delete from aa_rowauth"));
        ASSERT_TRUE(db.Execute("delete from aa_user where cUserId='" + login + "'"));
        ASSERT_TRUE(db.Execute("update aa_rowauth_object set bControlled=0"));
        for (const char* object : setUp.controlled) {
            ASSERT_TRUE(db.Execute(std::string("update aa_rowauth_object set bControlled=1 ") +
                                   "where cBusObCode='" + object + "'"));
        }
        if (setUp.user != SetUp::User::Missing) {
            const bool administrator = setUp.user == SetUp::User::Administrator;
            ASSERT_TRUE(db.Execute("insert into aa_user values ('" + login + "', 'x', " +
                                   (administrator ? "1" : "0") + ")"));
        }
        for (const Grant& grant : setUp.grants) {
            ASSERT_TRUE(db.Execute("insert into aa_rowauth values ('" + login + "', '" +
                                   grant.object + "', '" + grant.code + "', '" + grant.right +
                                   "')"));
        }
    }

    // A condition of the service's answer, as the component makes it of GetAuthString's.
    std::string Condition(const std::string& object, const std::string& column) {
        const auto service = CreateObjectAs<IRowAuth>(registry, "ZelRowAuthsvr.clsRowAuth");
        service->Init(test::TestDatabase::kAccount, login);
        const std::string answer = service->GetAuthString(object, "", "");
        if (answer == "1=2") {
            return "(1=2)";
        }
        return answer.empty() ? "(1=1)" : "(" + column + " in (" + answer + "))";
    }

    // The rows the program's read conditions select, as the owner reads them.
    std::set<std::string> ProgramReads() {
        const std::string sql =
            "select WhInvContrapose.cWhCode, WhInvContrapose.cInvCode from WhInvContrapose "
            "inner join Inventory on WhInvContrapose.cInvCode=Inventory.cInvCode "
            "inner join Warehouse on WhInvContrapose.cWhCode=Warehouse.cWhCode "
            "left join Person on WhInvContrapose.cWhPersonCode=Person.cPersonCode where " +
            Condition("Warehouse", "Warehouse.CWhCode") + " and " +
            Condition("Inventory", "Inventory.iId") +
            " and (WhInvContrapose.cWhPersonCode is null or " +
            Condition("Person", "Person.cPersonCode") + ")";
        const auto rows = db.OpenService()->OpenX(sql);
        EXPECT_NE(rows, nullptr) << sql;
        std::set<std::string> keys;
        for (; rows && !rows->Eof(); rows->MoveNext()) {
            keys.insert(rows->Fields(0)->ToString() + " " + rows->Fields(1)->ToString());
        }
        return keys;
    }

    // The rows the program's write checks allow, as a save checks them.
    std::set<std::string> ProgramWrites() {
        const auto backend = db.OpenBackend();
        const WriteRights rights(*backend, login);
        std::set<std::string> keys;
        ServerSession owner(db.Path());
        for (const auto& row : owner.Column("select cWhCode || ' ' || cInvCode || ' ' || "
                                            "coalesce(cWhPersonCode, '') from WhInvContrapose")) {
            const std::string warehouse = row.substr(0, 2);
            const std::string item = row.substr(3, 4);
            const std::string person = row.substr(8);
            if (rights.MayWrite("Warehouse", warehouse) && rights.MayWrite("Inventory", item) &&
                (person.empty() || rights.MayWrite("Person", person))) {
                keys.insert(warehouse + " " + item);
            }
        }
        return keys;
    }

    static std::set<std::string> AsSet(const std::vector<std::string>& rows) {
        return {rows.begin(), rows.end()};
    }

    test::TestDatabase db;
    test::ServerRoles roles_{db};
    ObjectRegistry registry;
    std::string login;
};

TEST_F(ServerRowPoliciesTest, TheServerLetsALoginReachTheRowsTheProgramsConditionsSelect) {
    const std::string key = "cWhCode || ' ' || cInvCode";
    for (const auto& setUp : kSetUps) {
        SCOPED_TRACE(setUp.name);
        Arrange(setUp);
        ServerSession session(roles_.ConninfoOf(login));
        EXPECT_EQ(AsSet(session.Column("select " + key + " from WhInvContrapose")), ProgramReads());
        // Every row the server lets the login change, taken back at once.
        ASSERT_TRUE(session.Run("begin").ok);
        EXPECT_EQ(AsSet(session.Column("update WhInvContrapose set iTopSum=1 returning " + key)),
                  ProgramWrites());
        ASSERT_TRUE(session.Run("rollback").ok);
    }
}

}  // namespace
}  // namespace zel
