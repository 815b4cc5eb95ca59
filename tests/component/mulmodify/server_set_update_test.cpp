// The multi-record modify's set update, sent by a login the server's row policies bind, changes
// only the rows that login may write, whatever the program's own conditions let through; and a
// set update the policies leave without a row is a failure, never a success.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "host/database/cls_common.h"
#include "mulmodify/modify_queries.h"
#include "support/server_roles.h"
#include "support/test_database.h"

namespace korvel {
namespace {

using zel::test::ServerSession;

class ServerSetUpdateTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!db.OnServer()) {
            GTEST_SKIP() << "row policies are the server's; a SQLite file is its one user's";
        }
        for (const char* warehouse : {"01", "02", "03"}) {
            db.AddWarehouse(warehouse);
        }
        db.AddInventory("A001");
        db.AddInventory("A002");
        for (const char* warehouse : {"01", "02", "03"}) {
            db.AddCorrespondence(warehouse, "A001", {{"iTopSum", 10}});
            db.AddCorrespondence(warehouse, "A002", {{"iTopSum", 10}});
        }
        std::string error;
        const std::optional<zel::AccountRoles> secured = roles_.SecureAccount(error);
        ASSERT_TRUE(secured) << error;
        const zel::AccountRoles& roles = *secured;
        const std::string clerk = roles_.AddLogin("clerk", {roles.users});
        ASSERT_TRUE(db.Execute("insert into aa_user values ('" + clerk + "', 'clerk', 0)"));
        ASSERT_TRUE(db.Execute("insert into aa_rowauth values ('" + clerk +
                               "', 'Warehouse', '01', 'W'), ('" + clerk +
                               "', 'Warehouse', '02', 'R')"));
        auto environment = std::make_shared<zel::HostEnvironment>(*db.Environment());
        environment->accounts.Set("clerk", "postgresql:" + roles_.ConninfoOf(clerk));
        service = std::make_shared<zel::ClsCommon>(environment);
        service->Init("clerk");
        ASSERT_TRUE(service->Status()) << service->LastError();
        // The program's conditions of a user it takes for an administrator: only the server
        // narrows the rows.
        login.sAuthInvW = "(1=1)";
        login.sAuthWhW = "(1=1)";
    }

    bool SetUpdate(const std::string& condition) {
        return service->ExecuteX(ModifyQueries::SetUpdate(
            "iTopSum", "'0'", ModifyQueries::MatchingTail(condition, login)));
    }

    std::vector<std::string> ChangedRows() {
        return ServerSession(db.Path()).Column(
            "select cWhCode || ' ' || cInvCode from WhInvContrapose where iTopSum=0 "
            "order by 1");
    }

    zel::test::TestDatabase db;
    zel::test::ServerRoles roles_{db};
    std::shared_ptr<zel::ClsCommon> service;
    LoginContext login;
};

TEST_F(ServerSetUpdateTest, ChangesOnlyTheRowsTheLoginMayWrite) {
    EXPECT_TRUE(SetUpdate("(1=1)"));
    EXPECT_EQ(ChangedRows(), (std::vector<std::string>{"01 A001", "01 A002"}));
}

TEST_F(ServerSetUpdateTest, ASetUpdateOfRowsTheLoginMayOnlyReadFails) {
    EXPECT_FALSE(SetUpdate("(whinvcontrapose.cWhCode='02')"));
    EXPECT_FALSE(SetUpdate("(whinvcontrapose.cWhCode='03')"));
    EXPECT_TRUE(ChangedRows().empty());
}

}  // namespace
}  // namespace korvel
