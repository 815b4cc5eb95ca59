#include <gtest/gtest.h>

#include "core/correspondence_fields.h"
#include "core/login_context.h"
#include "host/database/cls_common.h"
#include "host/host_services.h"
#include "host/login/login.h"
#include "host/objects/object_registry.h"
#include "import/import_apply.h"
#include "support/server_roles.h"
#include "support/test_database.h"

namespace korvel {
namespace {

ImportRowOutcome Changed(std::size_t sourceRow, const char* warehouse) {
    return {.sourceRow = sourceRow,
            .warehouseCode = warehouse,
            .inventoryCode = "A001",
            .verdict = ImportVerdict::kChanged,
            .fields = {{&Field("iTopSum"), "1", "4"}},
            .reason = {},
            .cells = {}};
}

// A clerk whose conditions in the program say more than the server lets him write: the server's
// row policy passes the row over without an error, and the import must not count it as written.
class ServerImportApplyTest : public ::testing::Test {
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
        auto environment = std::make_shared<zel::HostEnvironment>(*db.Environment());
        environment->accounts.Set("clerk", "postgresql:" + roles.ConninfoOf(clerk));
        zel::RegisterHostServices(registry, environment);
        zel::Login::Values values;
        values.userId = clerk;
        values.curDate = "2024-03-15";
        values.ysDBName = "clerk";
        login.login = std::make_shared<zel::Login>(values);
        login.pub = zel::CreateObjectAs<zel::IPub>(registry, "ZelPub.IPub");
        auto service = std::make_shared<zel::ClsCommon>(environment);
        service->Init("clerk");
        ASSERT_TRUE(service->Status()) << service->LastError();
        login.db = service;
        for (std::string* condition : {&login.sAuthInv, &login.sAuthInvW, &login.sAuthWh,
                                       &login.sAuthWhW, &login.sAuthPerson, &login.sAuthPersonW}) {
            *condition = "(1=1)";
        }
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
    LoginContext login;
    std::string clerk;
};

TEST_F(ServerImportApplyTest, ARowThePolicyPassedOverIsReportedNotCounted) {
    const std::vector<ImportRowOutcome> rows = {Changed(2, "01"), Changed(3, "02")};

    const auto all = ApplyImport(login, rows, ImportApplyMode::kAllOrNothing);
    EXPECT_EQ(all.end, ImportApplyEnd::kFailed);
    ASSERT_EQ(all.refused.size(), 1u);
    EXPECT_EQ(all.refused[0].sourceRow, 3u);
    EXPECT_EQ(TopSums(), "01=1 02=1");

    const auto valid = ApplyImport(login, rows, ImportApplyMode::kValidRowsOnly);
    ASSERT_EQ(valid.end, ImportApplyEnd::kApplied) << valid.error;
    EXPECT_EQ(valid.changed, 1u);
    ASSERT_EQ(valid.refused.size(), 1u);
    EXPECT_EQ(valid.refused[0].warehouseCode, "02");
    EXPECT_EQ(valid.refused[0].reason,
              login.pub->GetResString("Zel.AA.WHINVCONTRAPOSE.IMPORT_APPLY.not_written"));
    EXPECT_EQ(TopSums(), "01=4 02=1");
}

}  // namespace
}  // namespace korvel
