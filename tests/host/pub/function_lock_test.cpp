#include "host/pub/function_lock.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <chrono>
#include <map>
#include <thread>

#include "host/database/register_database_service.h"
#include "host/database/session_locks.h"
#include "host/login/login.h"
#include "host/objects/object_registry.h"
#include "host/pub/pub_service.h"
#include "support/lock_holder_process.h"
#include "support/scripted_dialogs.h"
#include "support/test_database.h"

namespace zel {
namespace {

// A database service that answers no SQL and has no session locks.
class LocklessDatabase : public IClsCommon {
public:
    void Init(const std::string&) override {}
    bool Status() override { return true; }
    std::shared_ptr<IRecordset> OpenX(const std::string&) override { return nullptr; }
    std::shared_ptr<IRecordset> Openforward(const std::string&) override { return nullptr; }
    bool ExecuteX(const std::string&) override { return false; }
    bool Add(const std::string&, const std::string&, std::string&) override { return false; }
    bool Modify(const std::string&, const std::string&, std::string&) override { return false; }
    bool Delete(const std::string&, const std::string&, const std::string&, std::string&,
                const std::string&) override {
        return false;
    }
    std::string LastError() const override { return {}; }
    void BeginChangeStep() override {}
    void BeginImportStep() override {}
    void EndChangeStep() override {}
    bool BeginTrans() override { return false; }
    bool CommitTrans() override { return false; }
    bool RollbackTrans() override { return true; }
};

// Session locks kept in a map that several "sessions" share.
class LockTable final : public LocklessDatabase, public ISessionLocks {
public:
    using Holders = std::map<std::string, std::string>;
    explicit LockTable(std::shared_ptr<Holders> holders) : holders_(std::move(holders)) {}

    bool TryAcquire(const std::string& name, const std::string& holder,
                    std::string& currentHolder) override {
        if (broken) {
            return false;
        }
        const auto [entry, taken] = holders_->emplace(name, holder);
        currentHolder = taken ? std::string() : entry->second;
        return taken;
    }
    void Release(const std::string& name) override { holders_->erase(name); }

    bool broken = false;

private:
    std::shared_ptr<Holders> holders_;
};

Login UserLogin(const std::string& userId) {
    Login::Values values;
    values.userId = userId;
    return Login(values);
}

class FunctionLockTest : public ::testing::Test {
protected:
    FunctionLockTest() { environment->dialogs = dialogs; }

    std::shared_ptr<LockTable::Holders> holders = std::make_shared<LockTable::Holders>();
    LockTable first{holders};
    LockTable second{holders};
    Login alice = UserLogin("alice");
    Login bob = UserLogin("bob");
    std::shared_ptr<test::ScriptedDialogs> dialogs = std::make_shared<test::ScriptedDialogs>();
    std::shared_ptr<HostEnvironment> environment = std::make_shared<HostEnvironment>();
    ObjectRegistry registry;
    PubService pub{environment, registry};
};

TEST_F(FunctionLockTest, TheHolderNamesUserComputerAndProcess) {
    const std::string holder = FunctionLockHolder("alice");
    EXPECT_EQ(holder.rfind("alice@", 0), 0U);
    // A named process id: GCC 12 -O3 warns (-Wrestrict) on a literal joined to a temporary.
    const std::string pid = std::to_string(getpid());
    EXPECT_NE(holder.find(":" + pid), std::string::npos);
}

TEST_F(FunctionLockTest, ASecondSessionIsRefusedWithTheHolderNamed) {
    EXPECT_FALSE(pub.IsLockFun(first, alice, "WhInvContrapose", kLockFunction));
    EXPECT_TRUE(dialogs->Messages().empty());
    EXPECT_TRUE(pub.IsLockFun(second, bob, "WhInvContrapose", kLockFunction));
    ASSERT_EQ(dialogs->Messages().size(), 1U);
    const auto& shown = dialogs->Messages()[0];
    EXPECT_EQ(shown.text, "该功能正在被 " + FunctionLockHolder("alice") + " 使用，暂时不能进入！");
    EXPECT_EQ(shown.title, "警告信息");
}

TEST_F(FunctionLockTest, FunctionAndEditLocksAreIndependent) {
    EXPECT_FALSE(pub.IsLockFun(first, alice, "WhInvContrapose", kLockFunction));
    EXPECT_FALSE(pub.IsLockFun(second, bob, "WhInvContrapose", kLockEdit));
    EXPECT_TRUE(pub.IsLockFun(first, alice, "WhInvContrapose", kLockEdit));
    ASSERT_EQ(dialogs->Messages().size(), 1U);
    EXPECT_EQ(dialogs->Messages()[0].text,
              "数据正在被 " + FunctionLockHolder("bob") + " 修改，请稍后再试！");
}

TEST_F(FunctionLockTest, OtherFunctionsHaveTheirOwnLocks) {
    EXPECT_FALSE(pub.IsLockFun(first, alice, "WhInvContrapose", kLockFunction));
    EXPECT_FALSE(pub.IsLockFun(second, bob, "Inventory", kLockFunction));
}

TEST_F(FunctionLockTest, AReleasedLockCanBeTakenAgain) {
    EXPECT_FALSE(pub.IsLockFun(first, alice, "WhInvContrapose", kLockEdit));
    EXPECT_FALSE(pub.IsLockFun(first, alice, "WhInvContrapose", kUnlockEdit));
    EXPECT_FALSE(pub.IsLockFun(second, bob, "WhInvContrapose", kLockEdit));
    EXPECT_FALSE(pub.IsLockFun(second, bob, "WhInvContrapose", kUnlockEdit));
    EXPECT_TRUE(holders->empty());
}

TEST_F(FunctionLockTest, ALockThatCannotBeCheckedIsRefused) {
    LocklessDatabase lockless;
    EXPECT_TRUE(pub.IsLockFun(lockless, alice, "WhInvContrapose", kLockFunction));
    first.broken = true;
    EXPECT_TRUE(pub.IsLockFun(first, alice, "WhInvContrapose", kLockEdit));
    EXPECT_EQ(dialogs->MessageTexts(), std::vector<std::string>(2, "无法检查功能锁，操作已取消！"));
}

TEST_F(FunctionLockTest, ReleasingNeverRefusesAndUnknownModesDo) {
    LocklessDatabase lockless;
    EXPECT_FALSE(pub.IsLockFun(lockless, alice, "WhInvContrapose", kUnlockFunction));
    EXPECT_FALSE(pub.IsLockFun(first, alice, "WhInvContrapose", kUnlockEdit));
    EXPECT_TRUE(pub.IsLockFun(first, alice, "WhInvContrapose", 0));
    EXPECT_TRUE(pub.IsLockFun(first, alice, "WhInvContrapose", 3));
    EXPECT_TRUE(holders->empty());
    EXPECT_TRUE(dialogs->Messages().empty());
}

using test::LockHolderProcess;

class LockAcrossProcessesTest : public ::testing::Test {
protected:
    LockAcrossProcessesTest() {
        RegisterDatabaseService(registry, database.Environment());
        service = CreateObjectAs<IClsCommon>(registry, "ZelSrvTrans.IClsCommon");
        service->Init(database.DatabaseArgument());
    }

    bool Refused(short mode) { return pub.IsLockFun(*service, bob, "WhInvContrapose", mode); }
    // A server ends a killed client's session, and with it its locks, only once it notices the
    // lost connection, a moment after the process: the lock is asked for until then, within a
    // bound.
    bool TakenAfterTheHolderDied(short mode) {
        const auto bound = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (Refused(mode)) {
            if (std::chrono::steady_clock::now() > bound) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

    test::TestDatabase database;
    ObjectRegistry registry;
    std::shared_ptr<IClsCommon> service;
    PubService pub{database.Environment(), registry};
    Login bob = UserLogin("bob");
};

// The holder text names the other program by its own process id.
std::string HolderOf(const LockHolderProcess& child) {
    const std::string own = FunctionLockHolder("alice");
    return own.substr(0, own.rfind(':') + 1) + std::to_string(child.Pid());
}

TEST_F(LockAcrossProcessesTest, TheFunctionLockOfOneProgramRefusesTheOther) {
    LockHolderProcess child(database.DatabaseArgument(), "alice", kLockFunction);
    ASSERT_EQ(child.NextLine(), "taken");
    EXPECT_TRUE(Refused(kLockFunction));
    ASSERT_EQ(database.Dialogs().Messages().size(), 1U);
    EXPECT_EQ(database.Dialogs().Messages()[0].text,
              "该功能正在被 " + HolderOf(child) + " 使用，暂时不能进入！");
}

TEST_F(LockAcrossProcessesTest, AKilledHolderLeavesTheLockFree) {
    LockHolderProcess child(database.DatabaseArgument(), "alice", kLockFunction);
    ASSERT_EQ(child.NextLine(), "taken");
    child.Kill();
    EXPECT_TRUE(TakenAfterTheHolderDied(kLockFunction));
    EXPECT_FALSE(Refused(kUnlockFunction));
}

TEST_F(LockAcrossProcessesTest, EditAndFunctionLocksAreIndependent) {
    LockHolderProcess child(database.DatabaseArgument(), "alice", kLockFunction);
    ASSERT_EQ(child.NextLine(), "taken");
    EXPECT_FALSE(Refused(kLockEdit));
    LockHolderProcess editor(database.DatabaseArgument(), "carol", kLockEdit);
    EXPECT_EQ(editor.NextLine().rfind("refused 数据正在被 bob@", 0), 0U);
}

TEST_F(LockAcrossProcessesTest, AReleasedLockCanBeTakenByTheOther) {
    LockHolderProcess child(database.DatabaseArgument(), "alice", kLockEdit);
    ASSERT_EQ(child.NextLine(), "taken");
    EXPECT_TRUE(Refused(kLockEdit));
    child.Release();
    ASSERT_EQ(child.NextLine(), "released");
    EXPECT_FALSE(Refused(kLockEdit));
}

TEST_F(LockAcrossProcessesTest, TheOtherProgramIsRefusedWhileThisOneHolds) {
    ASSERT_FALSE(Refused(kLockFunction));
    LockHolderProcess child(database.DatabaseArgument(), "alice", kLockFunction);
    EXPECT_EQ(child.NextLine(),
              "refused 该功能正在被 " + FunctionLockHolder("bob") + " 使用，暂时不能进入！");
    EXPECT_FALSE(Refused(kUnlockFunction));
    LockHolderProcess later(database.DatabaseArgument(), "alice", kLockFunction);
    EXPECT_EQ(later.NextLine(), "taken");
}

}  // namespace
}  // namespace zel
