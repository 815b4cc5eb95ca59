#include "core/host_lock.h"

#include <utility>

#include "core/run_ignoring_errors.h"

namespace korvel {

std::optional<HostLock> HostLock::Take(std::shared_ptr<zel::IPub> pub,
                                       std::shared_ptr<zel::IClsCommon> db,
                                       std::shared_ptr<zel::ILogin> login, std::string function,
                                       short mode) {
    if (!pub || !db || !login) {
        return std::nullopt;
    }
    bool refused = true;
    RunIgnoringErrors([&] { refused = pub->IsLockFun(*db, *login, function, mode); });
    if (refused) {
        return std::nullopt;
    }
    return HostLock(std::move(pub), std::move(db), std::move(login), std::move(function), mode);
}

HostLock::HostLock(std::shared_ptr<zel::IPub> pub, std::shared_ptr<zel::IClsCommon> db,
                   std::shared_ptr<zel::ILogin> login, std::string function, short mode)
    : pub_(std::move(pub)),
      db_(std::move(db)),
      login_(std::move(login)),
      function_(std::move(function)),
      mode_(mode) {}

HostLock::HostLock(HostLock&& other) noexcept
    : pub_(std::move(other.pub_)),
      db_(std::move(other.db_)),
      login_(std::move(other.login_)),
      function_(std::move(other.function_)),
      mode_(other.mode_),
      held_(std::exchange(other.held_, false)) {}

HostLock::~HostLock() {
    if (held_) {
        RunIgnoringErrors(
            [&] { pub_->IsLockFun(*db_, *login_, function_, static_cast<short>(-mode_)); });
    }
}

}  // namespace korvel
