#pragma once

#include <QProcess>
#include <string>

namespace zel::test {

// Another program holding (or asking for) a lock on the same account database: pub_lock_holder,
// which takes the lock through the public service and keeps its session until told to let go.
class LockHolderProcess {
public:
    LockHolderProcess(const std::string& account, const std::string& user, short mode);
    ~LockHolderProcess();

    // The next line the program writes; empty when it ends without one.
    std::string NextLine();
    void Release() { process_.write("release\n"); }
    void Kill();
    long long Pid() const { return process_.processId(); }

private:
    QProcess process_;
};

}  // namespace zel::test
