#include "host/database/write_rights.h"

#include <gtest/gtest.h>

#include <memory>

#include "host/database/sql_backend.h"
#include "support/test_database.h"

namespace zel {
namespace {

// Warehouse and Person are controlled here, Inventory is not (the seed's settings); u01 holds
// write grants on warehouse 01 and person P01 and a read grant on warehouse 02.
class WriteRightsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            db.Execute("update aa_rowauth_object set bControlled=1 where "
                       "cBusObCode in ('Warehouse','Person')"));
        ASSERT_TRUE(db.Execute("insert into aa_user values ('u01','x',0), ('boss','y',1)"));
        ASSERT_TRUE(
            db.Execute("insert into aa_rowauth values ('u01','Warehouse','01','W'), "
                       "('u01','Warehouse','02','R'), ('u01','Person','P01','W'), "
                       "('u02','Warehouse','03','W')"));
    }

    bool MayWrite(const std::string& user, const std::string& object, const std::string& code) {
        return WriteRights(backend, user).MayWrite(object, code);
    }

    test::TestDatabase db;
    std::unique_ptr<SqlBackend> opened = db.OpenBackend();
    SqlBackend& backend = *opened;
};

TEST_F(WriteRightsTest, ControlledObjectsAreWritableOnlyInTheCodesGrantedForWriting) {
    struct Case {
        const char* object;
        const char* code;
        bool expected;
    };
    const Case cases[] = {
        {"Warehouse", "01", true},  {"Warehouse", "01 ", true},  // codes compare like the host's
        {"Warehouse", "02", false},                              // read grant only
        {"Warehouse", "03", false},                              // another user's grant
        {"Warehouse", "04", false}, {"Person", "P01", true},
        {"Person", "p02", false},   {"Inventory", "anything", true},  // not controlled
        {"Department", "D1", true},  // not listed, so not controlled
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MayWrite("u01", c.object, c.code), c.expected) << c.object << " " << c.code;
    }
}

TEST_F(WriteRightsTest, AnAdministratorWritesEverything) {
    EXPECT_TRUE(MayWrite("boss", "Warehouse", "04"));
    EXPECT_TRUE(MayWrite("BOSS", "Person", "P99"));
}

TEST_F(WriteRightsTest, AUserTheAccountDoesNotKnowWritesNothing) {
    const WriteRights stranger(backend, "u02");
    EXPECT_FALSE(stranger.UserKnown());
    EXPECT_FALSE(stranger.MayWrite("Inventory", "A001"));
    EXPECT_FALSE(stranger.MayWrite("Warehouse", "03"));
    EXPECT_FALSE(WriteRights(backend, "").UserKnown());
    EXPECT_TRUE(WriteRights(backend, "u01").UserKnown());
}

TEST_F(WriteRightsTest, ATableThatCannotBeReadGrantsNothing) {
    ASSERT_TRUE(db.Execute("drop table aa_rowauth"));
    EXPECT_FALSE(MayWrite("u01", "Warehouse", "01"));
    ASSERT_TRUE(db.Execute("drop table aa_rowauth_object"));
    EXPECT_FALSE(MayWrite("u01", "Inventory", "A001"));
    ASSERT_TRUE(db.Execute("drop table aa_user"));
    EXPECT_FALSE(WriteRights(backend, "boss").UserKnown());
    EXPECT_FALSE(MayWrite("boss", "Inventory", "A001"));
}

TEST_F(WriteRightsTest, AFlagThatIsNoNumberGrantsNothing) {
    if (db.OnServer()) {
        GTEST_SKIP() << "a server's integer column holds no text to read";
    }
    ASSERT_TRUE(
        db.Execute("update aa_rowauth_object set bControlled='ja' where "
                   "cBusObCode='Inventory'"));
    ASSERT_TRUE(db.Execute("update aa_user set bAdmin='ja' where cUserId='boss'"));
    EXPECT_FALSE(MayWrite("u01", "Inventory", "A001"));
    EXPECT_FALSE(MayWrite("boss", "Inventory", "A001"));
}

}  // namespace
}  // namespace zel
