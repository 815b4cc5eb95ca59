// The rights a storekeeper is given hold on the server, whoever connects and however: a plain
// login reaches through psql-like sessions only the rows its grants allow, and cannot change
// the grants, the users, the master tables or the table's rules.
#include "host/database/server_account_security.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "host/database/cls_common.h"
#include "host/database/database_texts.h"
#include "host/database/postgres/postgres_backend.h"
#include "host/database/postgres/postgres_connection.h"
#include "host/database/postgres/postgres_session_locks.h"
#include "support/server_roles.h"
#include "support/test_database.h"

namespace zel {
namespace {

using test::ServerSession;

// Warehouse 01 the clerk may write, 02 only read, 03 not reach; two rows in each.
class ServerAccountSecurityTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!db.OnServer()) {
            GTEST_SKIP() << "rights on the server only; a SQLite file is its one user's";
        }
        for (const char* warehouse : {"01", "02", "03"}) {
            db.AddWarehouse(warehouse);
        }
        for (const char* item : {"A001", "A002"}) {
            db.AddInventory(item);
        }
        for (const char* warehouse : {"01", "02", "03"}) {
            for (const char* item : {"A001", "A002"}) {
                db.AddCorrespondence(warehouse, item, {{"iTopSum", 10}});
            }
        }
        Secure();
        const AccountRoles roles = AccountRolesOf(roles_.Database());
        roles_.DropAtEnd(roles.admins);
        roles_.DropAtEnd(roles.users);
        clerk = roles_.AddLogin("clerk", {roles.users});
        chief = roles_.AddLogin("chief", {roles.admins});
        ASSERT_TRUE(db.Execute("insert into aa_user (cUserId, cUserName, bAdmin) values ('" +
                               clerk + "', 'clerk', 0), ('" + chief + "', 'chief', 1)"));
        ASSERT_TRUE(db.Execute("insert into aa_rowauth values ('" + clerk +
                               "', 'Warehouse', '01', 'W'), ('" + clerk +
                               "', 'Warehouse', '02', 'R')"));
    }

    void Secure() {
        PostgresBackend owner;
        ASSERT_TRUE(owner.Connect(db.Path())) << owner.LastError();
        std::string error;
        ASSERT_TRUE(SecureServerAccount(owner, error)) << error;
    }

    // Every row as the owner sees it: warehouse, item and highest stock.
    std::vector<std::string> AllRows() {
        return ServerSession(db.Path()).Column(
            "select cWhCode || ' ' || cInvCode || ' ' || iTopSum from WhInvContrapose "
            "order by 1");
    }

    // The clerk's database service on the account.
    std::shared_ptr<ClsCommon> ClerkService() {
        auto environment = std::make_shared<HostEnvironment>(*db.Environment());
        environment->accounts.Set("clerk", "postgresql:" + roles_.ConninfoOf(clerk));
        auto service = std::make_shared<ClsCommon>(environment);
        service->Init("clerk");
        EXPECT_TRUE(service->Status()) << service->LastError();
        return service;
    }

    test::TestDatabase db;
    test::ServerRoles roles_{db};
    std::string clerk;
    std::string chief;
};

const std::vector<std::string> kUntouched = {"01 A001 10", "01 A002 10", "02 A001 10",
                                             "02 A002 10", "03 A001 10", "03 A002 10"};

TEST_F(ServerAccountSecurityTest, APlainLoginReadsAndWritesOnlyTheRowsOfItsGrants) {
    ServerSession session(roles_.ConninfoOf(clerk));
    EXPECT_EQ(session.Column("select cWhCode || ' ' || cInvCode from WhInvContrapose order by 1"),
              (std::vector<std::string>{"01 A001", "01 A002", "02 A001", "02 A002"}));

    const auto updated = session.Run("update WhInvContrapose set iTopSum=0");
    ASSERT_TRUE(updated.ok) << updated.error;
    EXPECT_EQ(updated.rows, 2);
    EXPECT_EQ(AllRows(), (std::vector<std::string>{"01 A001 0", "01 A002 0", "02 A001 10",
                                                   "02 A002 10", "03 A001 10", "03 A002 10"}));

    const auto deleted = session.Run("delete from WhInvContrapose");
    ASSERT_TRUE(deleted.ok) << deleted.error;
    EXPECT_EQ(deleted.rows, 2);
    EXPECT_EQ(AllRows(),
              (std::vector<std::string>{"02 A001 10", "02 A002 10", "03 A001 10", "03 A002 10"}));
}

TEST_F(ServerAccountSecurityTest, APlainLoginIsRefusedWhatOnlyTheOwnerOrAnAdministratorMayDo) {
    const std::vector<std::string> refused = {
        // The grants, the users and the master tables.
        "delete from aa_rowauth",
        "insert into aa_rowauth values (current_user, 'Warehouse', '03', 'W')",
        "update aa_rowauth set cRight='W'",
        "update aa_user set bAdmin=1 where cUserId=current_user",
        "update aa_rowauth_object set bControlled=0",
        "insert into Warehouse (cWhCode, cWhName) values ('04', 'x')",
        "update Inventory set cInvName='x'",
        "delete from Person",
        "update whinv_schema set version=1",
        // Rows of warehouses it may only read, or moved into one.
        "insert into WhInvContrapose (cWhCode, cInvCode) values ('02', 'A001')",
        "insert into WhInvContrapose (cWhCode, cInvCode) values ('03', 'A001')",
        "update WhInvContrapose set cWhCode='03' where cWhCode='01' and cInvCode='A001'",
        // The table's rules themselves.
        "truncate WhInvContrapose",
        "alter table WhInvContrapose disable row level security",
        "drop policy WhInvContrapose_read on WhInvContrapose",
        "create policy everything on WhInvContrapose using (true)",
        "create trigger t before update on WhInvContrapose for each row "
        "execute function WhInvContrapose_trim()",
    };
    ServerSession session(roles_.ConninfoOf(clerk));
    for (const auto& sql : refused) {
        const auto outcome = session.Run(sql);
        EXPECT_FALSE(outcome.ok) << sql;
        EXPECT_EQ(outcome.sqlState, "42501") << sql << ": " << outcome.error;
    }
    EXPECT_EQ(AllRows(), kUntouched);
    ServerSession owner(db.Path());
    EXPECT_EQ(owner.Column("select bAdmin from aa_user where cUserId='" + clerk + "'"),
              std::vector<std::string>{"0"});
    EXPECT_EQ(owner.Column("select count(*) from aa_rowauth"), std::vector<std::string>{"2"});
}

// A table of the login's own, found before the account's on his search path, grants nothing.
TEST_F(ServerAccountSecurityTest, ALoginCannotMakeItselfAnAdministratorWithATableOfItsOwn) {
    ServerSession session(roles_.ConninfoOf(clerk));
    ASSERT_TRUE(session
                    .Run("create temp table aa_user (cUserId citext, cUserName citext, "
                         "bAdmin integer); insert into aa_user values (current_user, 'x', 1); "
                         "set search_path = pg_temp, public")
                    .ok);
    EXPECT_EQ(session.Column("select count(*) from WhInvContrapose"),
              std::vector<std::string>{"4"});
    EXPECT_EQ(session.Run("update WhInvContrapose set iTopSum=0").rows, 2);
}

TEST_F(ServerAccountSecurityTest, AnAdministratorReadsAndChangesEveryRow) {
    ServerSession session(roles_.ConninfoOf(chief));
    EXPECT_EQ(session.Column("select count(*) from WhInvContrapose"),
              std::vector<std::string>{"6"});
    EXPECT_EQ(session.Run("update WhInvContrapose set iTopSum=1").rows, 6);
    EXPECT_TRUE(
        session.Run("insert into aa_rowauth values ('" + clerk + "', 'Warehouse', '03', 'R')").ok);
    EXPECT_EQ(ServerSession(roles_.ConninfoOf(clerk))
                  .Column("select count(*) from WhInvContrapose where iTopSum=1"),
              std::vector<std::string>{"6"});
}

// The lock itself is a session advisory lock; the table only names its holder, which another
// login must not rewrite while that holder's session lives.
TEST_F(ServerAccountSecurityTest, ALockHolderRowIsItsLoginsWhileItsSessionLives) {
    auto holder = std::make_unique<ServerSession>(roles_.ConninfoOf(chief));
    ASSERT_TRUE(holder
                    ->Run("insert into whinv_session_lock (cName, cHolder, iBackendPid) "
                          "values ('F', 'chief', pg_backend_pid())")
                    .ok);
    ServerSession session(roles_.ConninfoOf(clerk));
    EXPECT_EQ(session.Run("update whinv_session_lock set cHolder='clerk'").rows, 0);
    EXPECT_EQ(session.Run("delete from whinv_session_lock").rows, 0);
    EXPECT_EQ(session
                  .Run("insert into whinv_session_lock (cName, cHolder, iBackendPid, cLogin) "
                       "values ('G', 'clerk', 0, '" +
                       chief + "')")
                  .sqlState,
              "42501");
    EXPECT_EQ(session.Column("select cHolder from whinv_session_lock"),
              std::vector<std::string>{"chief"});

    // Gone without tidying up, as a client that dies: the next holder writes over the stale row.
    holder.reset();
    std::string current;
    PostgresSessionLocks locks(PostgresConnection::Open(roles_.ConninfoOf(clerk), current));
    ASSERT_TRUE(locks.TryAcquire("F", "clerk", current));
    EXPECT_EQ(session.Column("select cHolder || ' ' || cLogin from whinv_session_lock"),
              std::vector<std::string>{"clerk " + clerk});
    locks.Release("F");
    EXPECT_EQ(session.Column("select count(*) from whinv_session_lock"),
              std::vector<std::string>{"0"});
}

TEST_F(ServerAccountSecurityTest, EachLoginReadsAndWritesOnlyItsOwnSettings) {
    ASSERT_TRUE(db.Execute("insert into aa_formlayout values ('" + chief + "', 'main', 'x')"));
    ASSERT_TRUE(
        db.Execute("insert into aa_formoption values ('" + chief + "', 'Find:', 'a', 'b')"));
    ServerSession session(roles_.ConninfoOf(clerk));
    for (const char* table : {"aa_formlayout", "aa_formoption"}) {
        SCOPED_TRACE(table);
        EXPECT_EQ(session.Column(std::string("select count(*) from ") + table),
                  std::vector<std::string>{"0"});
        EXPECT_EQ(session.Run(std::string("update ") + table + " set cUserId=current_user").rows,
                  0);
        EXPECT_EQ(session.Run(std::string("delete from ") + table).rows, 0);
    }
    EXPECT_TRUE(session.Run("insert into aa_formlayout values (current_user, 'main', 'y')").ok);
    EXPECT_EQ(
        session.Run("insert into aa_formlayout values ('" + chief + "', 'other', 'y')").sqlState,
        "42501");
    EXPECT_EQ(session.Column("select cLayout from aa_formlayout"), std::vector<std::string>{"y"});
}

// Rights granted by hand or by an older set-up (every right on every table, to all users) end
// with the next set-up; the set-up's own stay.
TEST_F(ServerAccountSecurityTest, SettingUpAgainSetsTheRightsAnewAndKeepsTheOwnerAnAdministrator) {
    ServerSession owner(db.Path());
    ASSERT_TRUE(owner
                    .Run("grant all on all tables in schema public to public; grant all on all "
                         "tables in schema public to \"" +
                         AccountRolesOf(roles_.Database()).users + "\"")
                    .ok);
    ServerSession before(roles_.ConninfoOf(clerk));
    ASSERT_TRUE(before.Run("update aa_rowauth_object set bControlled=bControlled").ok);
    // Whoever sets the account up administers it, even after someone took the flag away.
    ASSERT_TRUE(owner.Run("update aa_user set bAdmin=0 where cUserId=current_user").ok);
    Secure();
    EXPECT_EQ(owner.Column("select bAdmin from aa_user where cUserId=current_user"),
              std::vector<std::string>{"1"});
    ServerSession session(roles_.ConninfoOf(clerk));
    EXPECT_EQ(session.Column("select count(*) from WhInvContrapose"),
              std::vector<std::string>{"4"});
    for (const char* sql :
         {"delete from aa_rowauth", "update aa_user set bAdmin=1", "truncate WhInvContrapose"}) {
        EXPECT_EQ(session.Run(sql).sqlState, "42501") << sql;
    }
    EXPECT_EQ(session.Run("update WhInvContrapose set iTopSum=0").rows, 2);
}

TEST_F(ServerAccountSecurityTest, ALoginWithoutTheNeededPrivilegeIsToldWhichOneItLacks) {
    struct Case {
        const char* suffix;
        const char* attributes;
        const char* text;
        const char* mentioned;  // besides the login
    };
    const Case cases[] = {
        {"plain", "", "Zel.HOST.DB.secure_needs_createrole", "CREATEROLE"},
        {"roles", "createrole", "Zel.HOST.DB.secure_not_owner", "aa_columndic"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.suffix);
        const std::string login = roles_.AddLogin(c.suffix, {}, c.attributes);
        PostgresBackend backend;
        ASSERT_TRUE(backend.Connect(roles_.ConninfoOf(login))) << backend.LastError();
        std::string error;
        EXPECT_FALSE(SecureServerAccount(backend, error));
        const std::string text = DatabaseTexts::Text(c.text);
        EXPECT_EQ(error.substr(0, text.find("%1")), text.substr(0, text.find("%1"))) << error;
        EXPECT_NE(error.find(login), std::string::npos) << error;
        EXPECT_NE(error.find(c.mentioned), std::string::npos) << error;
    }
    EXPECT_EQ(AllRows(), kUntouched);
}

// The service tells a refusal of the server as such, never as a success nor as a missing row.
TEST_F(ServerAccountSecurityTest, TheServiceTellsTheServersRefusalOfAWrite) {
    auto service = ClerkService();
    // Written as an administrator's record: only the server stands in the way.
    const auto record = [](const char* warehouse) {
        return std::string("<WhInvContrapose><cWhCode>") + warehouse +
               "</cWhCode><cInvCode>A001</cInvCode><iTopSum>5</iTopSum>"
               "<cUserId>demo</cUserId></WhInvContrapose>";
    };
    const std::string denied = DatabaseTexts::Text("Zel.HOST.DB.denied");
    ASSERT_TRUE(db.Execute("delete from WhInvContrapose where cInvCode='A001'"));
    std::string message;
    EXPECT_FALSE(service->Add(record("02"), "WhInvContrapose", message));
    EXPECT_EQ(message, denied);
    EXPECT_TRUE(service->Add(record("01"), "WhInvContrapose", message)) << message;

    EXPECT_FALSE(service->Modify(
        "<WhInvContrapose><cWhCode>02</cWhCode><cInvCode>A002</cInvCode><iTopSum>5</iTopSum>"
        "<cUserId>demo</cUserId></WhInvContrapose>",
        "WhInvContrapose", message));
    EXPECT_EQ(message, denied);
    EXPECT_FALSE(
        service->Delete("A002' and cWhCode='02", "cInvCode", "WhInvContrapose", message, "demo"));
    EXPECT_EQ(message, denied);
    EXPECT_FALSE(
        service->Delete("A002' and cWhCode='03", "cInvCode", "WhInvContrapose", message, "demo"));
    EXPECT_EQ(message, DatabaseTexts::Text("Zel.HOST.DB.delete_no_row"));

    EXPECT_FALSE(service->ExecuteX("update WhInvContrapose set iTopSum=1 where cWhCode='02'"));
    EXPECT_FALSE(service->ExecuteX("delete from aa_rowauth"));
    EXPECT_EQ(service->LastError(), denied);
    EXPECT_EQ(AllRows(),
              (std::vector<std::string>{"01 A001 5", "01 A002 10", "02 A002 10", "03 A002 10"}));
}

// Whether a plain login's statements can use the indexes: false where citext was made without
// the superuser's mark, true on the test server, whose template database carries it (as an
// account does after a superuser's set-up).
TEST(PoliciesUseIndexesTest, TellsWhetherTheCodeComparisonsAreLeakproof) {
    const auto server = test::TestDatabase::Server();
    if (!server) {
        GTEST_SKIP() << "a server's catalogue";
    }
    test::TestDatabase marked;
    PostgresBackend markedBackend;
    ASSERT_TRUE(markedBackend.Connect(marked.Path())) << markedBackend.LastError();
    EXPECT_TRUE(PoliciesUseIndexes(markedBackend));

    const std::string database = "whinv_t_unmarked_" + std::to_string(getpid());
    PostgresBackend maintenance;
    ASSERT_TRUE(maintenance.Connect(*server)) << maintenance.LastError();
    ASSERT_TRUE(maintenance.ExecuteScript("create database " + database + " template template0"))
        << maintenance.LastError();
    {
        PostgresBackend unmarked;
        ASSERT_TRUE(unmarked.Connect(*server + " dbname=" + database)) << unmarked.LastError();
        ASSERT_TRUE(unmarked.ExecuteScript("create extension citext")) << unmarked.LastError();
        EXPECT_FALSE(PoliciesUseIndexes(unmarked));
    }
    EXPECT_TRUE(maintenance.ExecuteScript("drop database " + database + " with (force)"));
}

}  // namespace
}  // namespace zel
