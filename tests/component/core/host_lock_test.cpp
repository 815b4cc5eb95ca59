#include "core/host_lock.h"

#include <gtest/gtest.h>

#include "fake_services.h"
#include "support/scripted_dialogs.h"

namespace korvel::test {
namespace {

struct HostLockFixture : ::testing::Test {
    zel::test::ScriptedDialogs dialogs;
    std::shared_ptr<Journal> journal = std::make_shared<Journal>();
    std::shared_ptr<FakePub> pub = std::make_shared<FakePub>(journal, dialogs);
    std::shared_ptr<FakeDb> db = std::make_shared<FakeDb>(journal);
    std::shared_ptr<zel::ILogin> login = std::make_shared<FakeLogin>();

    std::optional<HostLock> Take(short mode) {
        return HostLock::Take(pub, db, login, "WhInvContrapose", mode);
    }
};

TEST_F(HostLockFixture, ReleasesWithTheNegativeModeOnceWhenTheScopeEnds) {
    for (const short mode : {zel::kLockFunction, zel::kLockEdit}) {
        journal->clear();
        {
            auto lock = Take(mode);
            ASSERT_TRUE(lock.has_value());
            const HostLock moved = std::move(*lock);
            lock.reset();
        }
        EXPECT_EQ(*journal, (Journal{"lock WhInvContrapose " + std::to_string(mode),
                                     "lock WhInvContrapose " + std::to_string(-mode)}));
    }
}

TEST_F(HostLockFixture, ARefusedOrFailedLockIsNeverReleased) {
    for (bool* failure : {&pub->refuseLock, &pub->failLock}) {
        journal->clear();
        *failure = true;
        EXPECT_FALSE(Take(zel::kLockEdit).has_value());
        EXPECT_EQ(*journal, Journal{"lock WhInvContrapose 2"});
        *failure = false;
    }
}

TEST_F(HostLockFixture, AMissingServiceRefusesWithoutAskingTheHost) {
    db.reset();
    EXPECT_FALSE(Take(zel::kLockFunction).has_value());
    EXPECT_EQ(*journal, Journal{"drop db"});
}

}  // namespace
}  // namespace korvel::test
