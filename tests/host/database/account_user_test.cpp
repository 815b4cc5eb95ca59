#include "host/database/account_user.h"

#include <gtest/gtest.h>

#include "host/database/account_connection.h"
#include "host/database/cls_common.h"
#include "support/test_database.h"

namespace zel {
namespace {

class AccountUserTest : public ::testing::Test {
protected:
    AccountUser Establish(const std::optional<std::string>& requestedUser) const {
        return EstablishAccountUser(environment->accounts, *environment->connections,
                                    test::TestDatabase::kAccount, requestedUser);
    }

    // Whether the program still keeps a connection to the account.
    bool ConnectionKept() const {
        const DatabaseLocation location =
            environment->accounts.Locate(test::TestDatabase::kAccount);
        return environment->connections->Share<AccountConnection>(
                   AccountConnection::KeyOf(location), [] { return nullptr; }) != nullptr;
    }

    test::TestDatabase database;
    std::shared_ptr<HostEnvironment> environment = database.Environment();
};

// On a server every connection is a new session: the program checks its user and then works on
// the same one.
TEST_F(AccountUserTest, TheServicesBoundNextWorkOnTheConnectionTheUserWasEstablishedOn) {
    const AccountUser user = Establish(std::nullopt);
    ASSERT_TRUE(user.Established()) << user.reason;
    ASSERT_NE(user.connection, nullptr);

    // A temporary table is seen by the connection that made it only.
    ASSERT_TRUE(
        user.connection->Backend().ExecuteScript("create temp table established_here (i int)"));
    ClsCommon service(environment);
    service.Init(test::TestDatabase::kAccount);
    ASSERT_TRUE(service.Status());
    EXPECT_NE(service.OpenX("select i from established_here"), nullptr) << service.LastError();
}

// A program that refuses the user shows why and ends: it keeps no session open meanwhile.
TEST_F(AccountUserTest, ARefusedUserLeavesNoConnectionOpen) {
    const AccountUser user = Establish("nobody");
    ASSERT_FALSE(user.Established());
    EXPECT_EQ(user.connection, nullptr);
    EXPECT_FALSE(ConnectionKept());
}

TEST_F(AccountUserTest, TheConnectionEndsWithTheLastThatHoldsIt) {
    {
        const AccountUser user = Establish(std::nullopt);
        ASSERT_TRUE(user.Established()) << user.reason;
        EXPECT_TRUE(ConnectionKept());
    }
    EXPECT_FALSE(ConnectionKept());
}

}  // namespace
}  // namespace zel
