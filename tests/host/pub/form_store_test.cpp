#include "host/pub/form_store.h"

#include <gtest/gtest.h>

#include "support/test_database.h"

namespace zel {
namespace {

class FormStoreTest : public ::testing::Test {
protected:
    FormStore Store(const std::string& userId) { return FormStore(database.OpenService(), userId); }

    test::TestDatabase database;
};

TEST_F(FormStoreTest, NothingStoredGivesNothing) {
    FormStore store = Store("u1");
    EXPECT_EQ(store.Layout("WhInvContrapose"), std::nullopt);
    EXPECT_TRUE(store.Options("WhInvContrapose").empty());
}

TEST_F(FormStoreTest, ALayoutIsReplacedNotDuplicated) {
    FormStore store = Store("u1");
    ASSERT_TRUE(store.SaveLayout("WhInvContrapose", "Width=1"));
    ASSERT_TRUE(store.SaveLayout("WhInvContrapose", "Width=2"));
    EXPECT_EQ(store.Layout("WhInvContrapose"), "Width=2");
    EXPECT_EQ(database.Scalar("select count(*) from aa_formlayout").ToString(), "1");
}

TEST_F(FormStoreTest, UsersAndFormsKeepTheirOwnValues) {
    ASSERT_TRUE(Store("u1").SaveOption("WhInvContrapose", "mStb", "0"));
    ASSERT_TRUE(Store("u1").SaveOption("WhInvContrapose", "mText", "1"));
    ASSERT_TRUE(Store("u2").SaveOption("WhInvContrapose", "mStb", "1"));
    ASSERT_TRUE(Store("u1").SaveOption("Other", "mStb", "1"));
    ASSERT_TRUE(Store("u1").SaveOption("WhInvContrapose", "mStb", "1"));

    const auto options = Store("u1").Options("WhInvContrapose");
    EXPECT_EQ(options, (std::map<std::string, std::string>{{"mStb", "1"}, {"mText", "1"}}));
    EXPECT_EQ(Store("u2").Options("WhInvContrapose").at("mStb"), "1");
}

TEST_F(FormStoreTest, ApostrophesAreStoredAsTextNotAsSql) {
    FormStore store = Store("o'neil");
    ASSERT_TRUE(store.SaveLayout("form'); drop table aa_formoption; --", "it's"));
    ASSERT_TRUE(store.SaveOption("a'b", "mStb", "'"));
    EXPECT_EQ(store.Layout("form'); drop table aa_formoption; --"), "it's");
    EXPECT_EQ(store.Options("a'b").at("mStb"), "'");
    EXPECT_EQ(Store("o").Layout("form'); drop table aa_formoption; --"), std::nullopt);
}

TEST_F(FormStoreTest, AMissingTableIsAFailureNotACrash) {
    ASSERT_TRUE(database.Execute("drop table aa_formlayout"));
    ASSERT_TRUE(database.Execute("drop table aa_formoption"));
    FormStore store = Store("u1");
    EXPECT_FALSE(store.SaveLayout("WhInvContrapose", "Width=1"));
    EXPECT_FALSE(store.SaveOption("WhInvContrapose", "mStb", "1"));
    EXPECT_EQ(store.Layout("WhInvContrapose"), std::nullopt);
    EXPECT_TRUE(store.Options("WhInvContrapose").empty());
}

}  // namespace
}  // namespace zel
