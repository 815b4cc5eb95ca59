#pragma once

#include <memory>
#include <optional>
#include <string>

#include "interfaces/cls_common.h"
#include "interfaces/login.h"
#include "interfaces/pub.h"

namespace korvel {

// A host lock (function lock mode 1 or edit lock mode 2) held for one scope and released with
// the negative mode when the scope ends, on every path.
class HostLock {
public:
    // nullopt when the host refuses the lock, cannot check it or a service is missing; nothing
    // is to be released then.
    static std::optional<HostLock> Take(std::shared_ptr<zel::IPub> pub,
                                        std::shared_ptr<zel::IClsCommon> db,
                                        std::shared_ptr<zel::ILogin> login, std::string function,
                                        short mode);

    HostLock(HostLock&& other) noexcept;
    HostLock& operator=(HostLock&&) = delete;
    HostLock(const HostLock&) = delete;
    HostLock& operator=(const HostLock&) = delete;
    ~HostLock();

private:
    HostLock(std::shared_ptr<zel::IPub> pub, std::shared_ptr<zel::IClsCommon> db,
             std::shared_ptr<zel::ILogin> login, std::string function, short mode);

    // Kept here so that a window dropping the context's references cannot strand the release.
    std::shared_ptr<zel::IPub> pub_;
    std::shared_ptr<zel::IClsCommon> db_;
    std::shared_ptr<zel::ILogin> login_;
    std::string function_;
    short mode_;
    bool held_ = true;
};

}  // namespace korvel
