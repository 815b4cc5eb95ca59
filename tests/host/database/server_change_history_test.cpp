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
