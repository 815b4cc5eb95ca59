// The change history on a server is written by the schema's triggers alone and read within the
// rights of the rows it tells about, whoever connects and however.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/server_roles.h"
#include "support/test_database.h"

namespace zel {
namespace {

using test::ServerSession;

// Warehouse 01 the clerk may write, 02 only read, 03 not reach; one row in each, and one entry
// of the owner's that changed all three.
class ServerChangeHistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!db.OnServer()) {
            GTEST_SKIP() << "rights on the server only; a SQLite file is its one user's";
        }
        db.AddInventory("A001");
        for (const char* warehouse : {"01", "02", "03"}) {
            db.AddWarehouse(warehouse);
            db.AddCorrespondence(warehouse, "A001", {{"iTopSum", 10}});
        }
        std::string error;
        const std::optional<AccountRoles> secured = roles_.SecureAccount(error);
        ASSERT_TRUE(secured) << error;
        const AccountRoles& roles = *secured;
        clerk = roles_.AddLogin("clerk", {roles.users});
        chief = roles_.AddLogin("chief", {roles.admins});
        ASSERT_TRUE(db.Execute("insert into aa_user (cUserId, cUserName, bAdmin) values ('" +
                               clerk + "', 'clerk', 0), ('" + chief + "', 'chief', 1)"));
        ASSERT_TRUE(db.Execute("insert into aa_rowauth values ('" + clerk +
                               "', 'Warehouse', '01', 'W'), ('" + clerk +
                               "', 'Warehouse', '02', 'R')"));
        ASSERT_TRUE(db.Execute("update WhInvContrapose set iTopSum = 20"));
    }

    test::TestDatabase db;
    test::ServerRoles roles_{db};
    std::string clerk;
    std::string chief;
};

TEST_F(ServerChangeHistoryTest, APlainLoginReadsTheHistoryOfTheRowsItMayReadOnly) {
    ServerSession session(roles_.ConninfoOf(clerk));
    EXPECT_EQ(session.Column("select cWhCode || ' ' || cOldValue || ' ' || cNewValue from "
                             "whinv_change_value where cField = 'iTopSum' and cOldValue = '10' "
                             "order by 1"),
              (std::vector<std::string>{"01 10 20", "02 10 20"}));
    ServerSession admin(roles_.ConninfoOf(chief));
    EXPECT_EQ(admin.Column("select count(*) from whinv_change_value where cOldValue = '10'"),
              std::vector<std::string>{"3"});
}

TEST_F(ServerChangeHistoryTest, AnEntryOfRowsALoginMayNotReadIsHiddenFromIt) {
    ASSERT_TRUE(db.Execute("update WhInvContrapose set iDays = 5 where cWhCode = '03'"));
    ServerSession session(roles_.ConninfoOf(clerk));
    const std::string entries = "select count(*) from whinv_change where cKind = 'change'";
    EXPECT_EQ(session.Column(entries), std::vector<std::string>{"1"});
    EXPECT_EQ(ServerSession(roles_.ConninfoOf(chief)).Column(entries),
              std::vector<std::string>{"2"});
}

TEST_F(ServerChangeHistoryTest, APlainLoginsWriteIsCreditedToItAndItCannotAlterTheHistory) {
    ServerSession session(roles_.ConninfoOf(clerk));
    const auto written = session.Run("update WhInvContrapose set iSafeNum = 1.000001");
    ASSERT_TRUE(written.ok) << written.error;
    EXPECT_EQ(session.Column("select c.cUser || ' ' || v.cWhCode || ' ' || v.cNewValue from "
                             "whinv_change c join whinv_change_value v on v.iChange = c.iChange "
                             "where v.cField = 'iSafeNum'"),
              std::vector<std::string>{clerk + " 01 1.000001"});
    const std::vector<std::string> refused = {
        "insert into whinv_change (dWhen, cUser, cKind) values (now(), 'x', 'add')",
        "update whinv_change set cUser = 'someone else'",
        "delete from whinv_change",
        "insert into whinv_change_value (iChange, cWhCode, cInvCode, cField) "
        "values (1, '01', 'A001', 'iTopSum')",
        "update whinv_change_value set cOldValue = '0'",
        "delete from whinv_change_value",
        "truncate whinv_change_value",
        "select whinv_change_open('add')",
        "select whinv_change_prune('2999-01-01')",
        "alter table whinv_change disable trigger all",
        "drop trigger WhInvContrapose_history_change on WhInvContrapose",
    };
    for (const auto& sql : refused) {
        const auto outcome = session.Run(sql);
        EXPECT_FALSE(outcome.ok) << sql;
        EXPECT_EQ(outcome.sqlState, "42501") << sql << ": " << outcome.error;
    }
    EXPECT_EQ(ServerSession(db.Path()).Column("select count(*) from whinv_change"),
              std::vector<std::string>{"5"});
}

// A session names the entry its step joins in a setting anyone may set; the server joins only an
// entry of the session's own login and of the step's kind, so that nobody can slip writes into
// another's entry or merge entries of other kinds into an import.
TEST_F(ServerChangeHistoryTest, AStepJoinsOnlyAnEntryOfItsOwnLoginAndItsKind) {
    ServerSession owner(db.Path());
    ASSERT_TRUE(owner.Run("select set_config('whinv.change_step', 'import', false)").ok);
    ASSERT_TRUE(owner.Run("update WhInvContrapose set iDays = 1 where cWhCode = '01'").ok);
    const std::string ownersImport = owner.Column("select current_setting('whinv.change_step')")[0];
    const std::string ownersChange =
        owner.Column("select max(iChange) from whinv_change where cKind = 'change'")[0];
    ServerSession session(roles_.ConninfoOf(clerk));
    ASSERT_TRUE(session.Run("update WhInvContrapose set iDays = 2 where cWhCode = '01'").ok);
    const std::string ownChange =
        session.Column("select max(iChange) from whinv_change where cUser = session_user")[0];
    ASSERT_TRUE(session.Run("select set_config('whinv.change_step', 'import', false)").ok);
    ASSERT_TRUE(session.Run("update WhInvContrapose set iDays = 3 where cWhCode = '01'").ok);
    const std::string ownImport = session.Column("select current_setting('whinv.change_step')")[0];
    ASSERT_EQ(ownImport.rfind("import:", 0), 0u) << ownImport;

    const struct {
        const char* name;
        std::string step;
        std::string joined;  // the entry the write joins; empty: a new one of its own
        const char* kind;
    } cases[] = {
        {"another login's import", ownersImport, "", "import"},
        {"another login's change", ownersChange, "", "change"},
        {"its own change as an import", "import:" + ownChange, "", "import"},
        {"its own import as a change", ownImport.substr(7), "", "change"},
        {"its own import", ownImport, ownImport.substr(7), "import"},
        {"its own change", ownChange, ownChange, "change"},
    };
    int days = 10;
    for (const auto& c : cases) {
        ASSERT_TRUE(
            session.Run("select set_config('whinv.change_step', '" + c.step + "', false)").ok);
        const auto written =
            session.Run("update WhInvContrapose set iDays = " + std::to_string(++days) +
                        " where cWhCode = '01'");
        ASSERT_TRUE(written.ok) << c.name << ": " << written.error;
        const std::vector<std::string> entry = session.Column(
            "select concat_ws(' ', iChange, cUser, cKind) from whinv_change where iChange = "
            "(select iChange from whinv_change_value where cField = 'iDays' and cNewValue = '" +
            std::to_string(days) + "')");
        ASSERT_EQ(entry.size(), 1u) << c.name;
        const std::string number = entry[0].substr(0, entry[0].find(' '));
        if (c.joined.empty()) {
            EXPECT_NE(number, ownersImport.substr(7)) << c.name;
            EXPECT_NE(number, ownersChange) << c.name;
            EXPECT_NE(number, ownChange) << c.name;
            EXPECT_NE(number, ownImport.substr(7)) << c.name;
        } else {
            EXPECT_EQ(number, c.joined) << c.name;
        }
        EXPECT_EQ(entry[0], number + " " + clerk + " " + c.kind) << c.name;
    }
    EXPECT_EQ(owner.Column("select count(*) from whinv_change_value where iChange in (" +
                           ownersImport.substr(7) + ", " + ownersChange + ")"),
              std::vector<std::string>{"4"});
}

TEST_F(ServerChangeHistoryTest, AnAdministratorPrunesEntriesOlderThanADay) {
    ServerSession admin(roles_.ConninfoOf(chief));
    EXPECT_EQ(admin.Column("select whinv_change_prune('2000-01-01')"),
              std::vector<std::string>{"0"});
    EXPECT_EQ(admin.Column("select whinv_change_prune('2999-01-01')"),
              std::vector<std::string>{"4"});
    ServerSession owner(db.Path());
    EXPECT_EQ(owner.Column("select count(*) from whinv_change"), std::vector<std::string>{"0"});
    EXPECT_EQ(owner.Column("select count(*) from whinv_change_value"),
              std::vector<std::string>{"0"});
}

}  // namespace
}  // namespace zel
