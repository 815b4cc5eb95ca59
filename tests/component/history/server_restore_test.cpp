// A user the server's row policies bind restores only rows he may write: the program refuses
// the others before writing, with the rights the row-authorisation service gives him.
#include <gtest/gtest.h>

#include "core/component_context.h"
#include "history/restore_command.h"
#include "host/database/cls_common.h"
#include "host/host_services.h"
#include "host/login/login.h"
#include "host/objects/object_registry.h"
#include "support/server_roles.h"
#include "support/test_database.h"

namespace korvel {
namespace {

class ServerRestoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!db.OnServer()) {
            GTEST_SKIP() << "row policies are the server's; a SQLite file is its one user's";
        }
        db.AddWarehouse("01");
        db.AddWarehouse("02");
        db.AddInventory("A001");
        db.AddCorrespondence("01", "A001", {{"iTopSum", 1}});
        db.AddCorrespondence("02", "A001", {{"iTopSum", 1}});
        ASSERT_TRUE(db.OpenService()->ExecuteX("update WhInvContrapose set iTopSum=2"));
        change = std::stoll(db.Scalar("select max(iChange) from whinv_change").ToString());

        std::string error;
        const auto secured = roles.SecureAccount(error);
        ASSERT_TRUE(secured) << error;
        clerk = roles.AddLogin("clerk", {secured->users});
        ASSERT_TRUE(db.Execute("insert into aa_user values ('" + clerk + "', 'clerk', 0)"));
        ASSERT_TRUE(
            db.Execute("update aa_rowauth_object set bControlled=1 where cBusObCode='Warehouse'"));
        ASSERT_TRUE(db.Execute("insert into aa_rowauth values ('" + clerk +
                               "', 'Warehouse', '01', 'W'), ('" + clerk +
                               "', 'Warehouse', '02', 'R')"));
        BindClerk();
    }

    // As Show binds the services for the clerk's login.
    void BindClerk() {
        auto environment = std::make_shared<zel::HostEnvironment>(*db.Environment());
        environment->accounts.Set("clerk", "postgresql:" + roles.ConninfoOf(clerk));
        zel::RegisterHostServices(registry, environment);
        zel::Login::Values values;
        values.userId = clerk;
        values.curDate = "2024-03-15";
        values.ysDBName = "clerk";
        LoginContext& login = context.login;
        login.login = std::make_shared<zel::Login>(values);
        login.sCurDate = values.curDate;
        login.pub = zel::CreateObjectAs<zel::IPub>(registry, "ZelPub.IPub");
        auto service = std::make_shared<zel::ClsCommon>(environment);
        service->Init("clerk");
        ASSERT_TRUE(service->Status()) << service->LastError();
        login.db = service;
        login.rowAuth = zel::CreateObjectAs<zel::IRowAuth>(registry, "ZelRowAuthsvr.clsRowAuth");
        ASSERT_TRUE(login.pub && login.rowAuth);
        login.rowAuth->Init("clerk", clerk);
        InitAuth(login);
    }

    std::string TopSums() {
        return db
            .Scalar(
                "select string_agg(cWhCode || '=' || iTopSum, ' ' order by cWhCode) from "
                "WhInvContrapose")
            .ToString();
    }

    zel::test::TestDatabase db;
    zel::test::ServerRoles roles{db};
    zel::ObjectRegistry registry;
    ComponentContext context;
    std::string clerk;
    long long change = 0;
};

TEST_F(ServerRestoreTest, AnEntryWithARowTheUserMayOnlyReadIsRefusedWhole) {
    EXPECT_FALSE(RestoreCommand::UndoEntry(context, change, {}));

    EXPECT_EQ(db.Dialogs().MessageTexts().back(), "您无权修改其中 1 行（02/A001），未恢复任何行。");
    EXPECT_EQ(TopSums(), "01=2 02=2");
}

TEST_F(ServerRestoreTest, TheRowsTheUserMayWriteGoBackInHisName) {
    EXPECT_TRUE(RestoreCommand::RestoreValues(context, {{change, "01", "A001", "iTopSum"}}, {}));

    EXPECT_EQ(TopSums(), "01=1 02=2");
    EXPECT_EQ(db.Scalar("select cUser from whinv_change order by iChange desc limit 1").ToString(),
              clerk);
}

}  // namespace
}  // namespace korvel
