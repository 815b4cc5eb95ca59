#include "host/database/sqlite/file_session_locks.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>

namespace zel {
namespace {

// A child process that takes a lock with its own FileSessionLocks, tells the parent through a
// pipe whether it got it, and then waits until it is killed or told to go.
class LockingChild {
public:
    LockingChild(const std::string& folder, const std::string& name, const std::string& holder) {
        int report[2];
        int release[2];
        if (pipe(report) != 0 || pipe(release) != 0) {
            ADD_FAILURE() << "no pipe";
            return;
        }
        pid_ = fork();
        if (pid_ == 0) {
            close(report[0]);
            close(release[1]);
            FileSessionLocks locks(folder);
            std::string current;
            const char taken = locks.TryAcquire(name, holder, current) ? 'y' : 'n';
            ssize_t written = write(report[1], &taken, 1);
            char ignored;
            written += read(release[0], &ignored, 1);
            _exit(written > 0 ? 0 : 1);
        }
        close(report[1]);
        close(release[0]);
        releaseWrite_ = release[1];
        char taken = 0;
        took_ = read(report[0], &taken, 1) == 1 && taken == 'y';
        close(report[0]);
    }
    ~LockingChild() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(releaseWrite_);
    }

    bool Took() const { return took_; }
    void Kill() {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    int releaseWrite_ = -1;
    bool took_ = false;
};

class FileSessionLocksTest : public ::testing::Test {
protected:
    std::string Folder() const { return dir.path().toStdString() + "/account.db.locks"; }
    QTemporaryDir dir;
};

TEST_F(FileSessionLocksTest, AnotherProcessIsRefusedAndLearnsTheHolder) {
    FileSessionLocks locks(Folder());
    std::string current;
    ASSERT_TRUE(locks.TryAcquire("WhInvContrapose", "demo on pc1", current));
    LockingChild child(Folder(), "WHINVCONTRAPOSE", "other");
    EXPECT_FALSE(child.Took());
    FileSessionLocks sameProcess(Folder());
    EXPECT_FALSE(sameProcess.TryAcquire("whinvcontrapose", "third", current));
    EXPECT_EQ(current, "demo on pc1");
}

TEST_F(FileSessionLocksTest, LockOfAKilledProcessIsFreeAgain) {
    LockingChild child(Folder(), "WhInvContrapose.edit", "killed");
    ASSERT_TRUE(child.Took());
    FileSessionLocks locks(Folder());
    std::string current;
    EXPECT_FALSE(locks.TryAcquire("WhInvContrapose.edit", "me", current));
    EXPECT_EQ(current, "killed");
    child.Kill();
    EXPECT_TRUE(locks.TryAcquire("WhInvContrapose.edit", "me", current));
}

TEST_F(FileSessionLocksTest, ReleaseAndDestructionFreeTheLock) {
    std::string current;
    FileSessionLocks other(Folder());
    {
        FileSessionLocks locks(Folder());
        ASSERT_TRUE(locks.TryAcquire("a", "first", current));
        ASSERT_TRUE(locks.TryAcquire("b", "first", current));
        EXPECT_TRUE(locks.TryAcquire("a", "again", current)) << "held by this instance";
        locks.Release("a");
        EXPECT_TRUE(other.TryAcquire("a", "second", current));
        EXPECT_FALSE(other.TryAcquire("b", "second", current));
    }
    EXPECT_TRUE(other.TryAcquire("b", "second", current));
}

TEST_F(FileSessionLocksTest, NamesMapToSafeFilesInTheFolder) {
    FileSessionLocks locks(Folder());
    const struct {
        std::string name;
        std::string file;
    } cases[] = {
        {"WhInvContrapose", "whinvcontrapose.lock"},
        {"../etc/passwd", "%2e.%2fetc%2fpasswd.lock"},
        {"仓库", "%e4%bb%93%e5%ba%93.lock"},
        {"a b%", "a%20b%25.lock"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(locks.PathOf(c.name), Folder() + "/" + c.file) << c.name;
        std::string current;
        EXPECT_TRUE(locks.TryAcquire(c.name, "x", current)) << c.name;
    }
}

}  // namespace
}  // namespace zel
