#pragma once

#include <string>

namespace zel {

// Named locks that belong to a database session: the database (or the operating system, for a
// file database) gives a lock back by itself when the process that holds it ends, so a crashed
// program never leaves a function locked. The database service implements it beside IClsCommon.
class ISessionLocks {
public:
    virtual ~ISessionLocks() = default;
    // True when taken. When someone else holds it, false with that holder's description.
    virtual bool TryAcquire(const std::string& name, const std::string& holder,
                            std::string& currentHolder) = 0;
    virtual void Release(const std::string& name) = 0;
};

}  // namespace zel
