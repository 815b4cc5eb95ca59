#include "support/lock_holder_process.h"

namespace zel::test {
namespace {

// Generous: a wait, not a speed target.
constexpr int kPatience = 60000;

}  // namespace

LockHolderProcess::LockHolderProcess(const std::string& account, const std::string& user,
                                     short mode) {
    process_.start(PUB_LOCK_HOLDER_PATH, {QString::fromStdString(account),
                                          QString::fromStdString(user), QString::number(mode)});
}

LockHolderProcess::~LockHolderProcess() {
    process_.kill();
    process_.waitForFinished();
}

std::string LockHolderProcess::NextLine() {
    while (!process_.canReadLine() && process_.waitForReadyRead(kPatience)) {
    }
    return process_.readLine().trimmed().toStdString();
}

void LockHolderProcess::Kill() {
    process_.kill();
    process_.waitForFinished(kPatience);
}

}  // namespace zel::test
