#include "host/pub/function_lock.h"

#include <QCoreApplication>
#include <QSysInfo>
#include <optional>

#include "host/database/session_locks.h"
#include "interfaces/pub.h"

namespace zel {
namespace {

std::optional<std::string> LockName(const std::string& function, short mode) {
    switch (mode) {
        case kLockFunction:
        case kUnlockFunction:
            return function + ".function";
        case kLockEdit:
        case kUnlockEdit:
            return function + ".edit";
        default:
            return std::nullopt;
    }
}

}  // namespace

FunctionLockResult ApplyFunctionLock(IClsCommon& db, const std::string& function,
                                     const std::string& holder, short mode) {
    using Outcome = FunctionLockResult::Outcome;
    auto* locks = dynamic_cast<ISessionLocks*>(&db);
    const auto name = LockName(function, mode);
    if (locks == nullptr || !name) {
        return {Outcome::Unavailable, {}};
    }
    if (mode < 0) {
        locks->Release(*name);
        return {Outcome::Released, {}};
    }
    std::string current;
    if (locks->TryAcquire(*name, holder, current)) {
        return {Outcome::Taken, {}};
    }
    // A refusal always names its holder; without one the lock table could not be read.
    if (current.empty()) {
        return {Outcome::Unavailable, {}};
    }
    return {Outcome::Refused, current};
}

std::string FunctionLockHolder(const std::string& userId) {
    return userId + "@" + QSysInfo::machineHostName().toStdString() + ":" +
           std::to_string(QCoreApplication::applicationPid());
}

}  // namespace zel
