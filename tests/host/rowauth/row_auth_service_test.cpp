#include "host/rowauth/row_auth_service.h"

#include <gtest/gtest.h>

#include "host/database/register_database_service.h"
#include "host/objects/object_registry.h"
#include "host/rowauth/register_row_auth_service.h"
#include "support/test_database.h"

namespace zel {
namespace {

class RowAuthServiceTest : public ::testing::Test {
protected:
    RowAuthServiceTest() {
        RegisterDatabaseService(registry, db.Environment());
        RegisterRowAuthService(registry);
        db.Execute("update aa_rowauth_object set bControlled=1");
        AddUser("u01");
    }

    void AddUser(const std::string& user, int admin = 0) {
        ASSERT_TRUE(db.Execute("insert into aa_user (cUserId, cUserName, bAdmin) values ('" +
                               Quoted(user) + "', 'x', " + std::to_string(admin) + ")"));
    }
    void Grant(const std::string& user, const std::string& object, const std::string& code,
               const std::string& right) {
        ASSERT_TRUE(db.Execute("insert into aa_rowauth values ('" + Quoted(user) + "', '" + object +
                               "', '" + Quoted(code) + "', '" + right + "')"));
    }
    static std::string Quoted(const std::string& text) {
        std::string doubled;
        for (const char c : text) {
            doubled += c == '\'' ? std::string("''") : std::string(1, c);
        }
        return doubled;
    }

    std::string Answer(const std::string& user, const std::string& object,
                       const std::string& right = "") {
        const auto service = CreateObjectAs<IRowAuth>(registry, "ZelRowAuthsvr.clsRowAuth");
        EXPECT_NE(service, nullptr);
        service->Init(test::TestDatabase::kAccount, user);
        return service->GetAuthString(object, "", right);
    }

    // The codes a condition lets through, in order, as the component would query them.
    std::vector<std::string> Selected(const std::string& sql) {
        auto service = db.OpenService();
        std::string query = sql;
        const auto rows = service->OpenX(query);
        EXPECT_NE(rows, nullptr) << sql;
        std::vector<std::string> codes;
        for (; rows && !rows->Eof(); rows->MoveNext()) {
            codes.push_back(rows->Fields(0)->ToString());
        }
        return codes;
    }

    test::TestDatabase db;
    ObjectRegistry registry;
};

TEST_F(RowAuthServiceTest, AnAdministratorIsNotRestricted) {
    AddUser("boss", 1);
    EXPECT_EQ(Answer("boss", "Warehouse"), "");
    EXPECT_EQ(Answer("boss", "Inventory", "W"), "");
}

TEST_F(RowAuthServiceTest, AnUncontrolledObjectIsOpenToEveryone) {
    db.Execute("update aa_rowauth_object set bControlled=0 where cBusObCode='Person'");
    db.Execute("delete from aa_rowauth_object where cBusObCode='Inventory'");
    EXPECT_EQ(Answer("u01", "Person"), "");
    EXPECT_EQ(Answer("u01", "Inventory", "W"), "");
    EXPECT_EQ(Answer("u01", "Warehouse"), "1=2");
}

TEST_F(RowAuthServiceTest, AUserWithoutGrantsSeesNoRow) {
    Grant("u02", "Warehouse", "01", "W");
    EXPECT_EQ(Answer("u01", "Warehouse"), "1=2");
    EXPECT_EQ(Answer("u01", "Warehouse", "W"), "1=2");
    EXPECT_EQ(Answer("nobody", "Warehouse"), "1=2");
}

TEST_F(RowAuthServiceTest, AWriteGrantAlsoGrantsReading) {
    Grant("u01", "Warehouse", "02", "W");
    Grant("u01", "Warehouse", "01", "R");
    Grant("u01", "Warehouse", "03", "R");
    EXPECT_EQ(Answer("u01", "Warehouse"), "'01','02','03'");
    EXPECT_EQ(Answer("u01", "Warehouse", "W"), "'02'");
    EXPECT_EQ(Answer("u01", "Warehouse", "w"), "'02'");
}

TEST_F(RowAuthServiceTest, ReadAndWriteGrantsOfOneCodeListItOnce) {
    Grant("u01", "Person", "P01", "R");
    Grant("u01", "Person", "P01", "W");
    EXPECT_EQ(Answer("u01", "Person"), "'P01'");
}

TEST_F(RowAuthServiceTest, CodesWithApostrophesMakeValidSql) {
    db.AddWarehouse("O'1", "仓库甲");
    db.AddWarehouse("02", "仓库乙");
    Grant("u01", "Warehouse", "O'1", "R");
    const std::string list = Answer("u01", "Warehouse");
    EXPECT_EQ(list, "'O''1'");
    EXPECT_EQ(Selected("select cWhCode from Warehouse where (Warehouse.CWhCode in (" + list + "))"),
              std::vector<std::string>{"O'1"});
}

TEST_F(RowAuthServiceTest, InventoryGrantsBecomeTheItemIds) {
    db.AddInventory("A001");
    db.AddInventory("A002");
    db.AddInventory("A'3");
    Grant("u01", "Inventory", "A'3", "W");
    Grant("u01", "Inventory", "A001", "R");
    Grant("u01", "Inventory", "gone", "R");  // an item that no longer exists
    const std::string read = Answer("u01", "Inventory");
    EXPECT_EQ(Selected("select cInvCode from Inventory where ( Inventory.iId in (" + read +
                       ")) order by cInvCode"),
              (std::vector<std::string>{"A'3", "A001"}));
    const std::string write = Answer("u01", "Inventory", "W");
    EXPECT_EQ(write, db.Scalar("select iId from Inventory where cInvCode='A''3'").ToString());
}

TEST_F(RowAuthServiceTest, GrantsOfItemsThatAllVanishedAllowNothing) {
    Grant("u01", "Inventory", "gone", "W");
    EXPECT_EQ(Answer("u01", "Inventory"), "1=2");
}

TEST_F(RowAuthServiceTest, AUserIdWithAnApostropheIsReadSafely) {
    AddUser("o'hara");
    Grant("o'hara", "Warehouse", "01", "R");
    EXPECT_EQ(Answer("o'hara", "Warehouse"), "'01'");
}

TEST_F(RowAuthServiceTest, TablesThatCannotBeReadGiveNoRights) {
    AddUser("boss", 1);
    Grant("u01", "Warehouse", "01", "R");
    ASSERT_TRUE(db.Execute("drop table aa_rowauth"));
    EXPECT_EQ(Answer("u01", "Warehouse"), "1=2");
    ASSERT_TRUE(db.Execute("drop table aa_rowauth_object"));
    EXPECT_EQ(Answer("u01", "Person"), "1=2");
    ASSERT_TRUE(db.Execute("drop table aa_user"));
    EXPECT_EQ(Answer("boss", "Warehouse"), "1=2");
}

TEST_F(RowAuthServiceTest, WithoutADatabaseNothingIsAllowed) {
    db.Execute("update aa_rowauth_object set bControlled=0");
    ASSERT_EQ(Answer("u01", "Person"), "");  // the account itself answers
    const auto service = CreateObjectAs<IRowAuth>(registry, "ZelRowAuthsvr.clsRowAuth");
    EXPECT_EQ(service->GetAuthString("Person"), "1=2");  // not initialised
    service->Init("no-such-account", "u01");
    EXPECT_EQ(service->GetAuthString("Person"), "1=2");
    ObjectRegistry bare;
    RowAuthService orphan(bare);
    orphan.Init(test::TestDatabase::kAccount, "u01");
    EXPECT_EQ(orphan.GetAuthString("Person"), "1=2");
}

}  // namespace
}  // namespace zel
