#pragma once

#include <map>
#include <memory>
#include <string>

#include "host/database/session_locks.h"

namespace zel {

// The session locks of a connection that several services of one program share. The database
// sees one session, which may take again a lock it holds; the record kept here keeps the services
// apart, so that two of them exclude each other as two programs do.
class SharedSessionLocks {
public:
    explicit SharedSessionLocks(std::unique_ptr<ISessionLocks> session)
        : session_(std::move(session)) {}

    // As ISessionLocks::TryAcquire, for the service owner; taking a lock the owner holds succeeds
    // and records the new holder.
    bool TryAcquire(const void* owner, const std::string& name, const std::string& holder,
                    std::string& currentHolder);
    void Release(const void* owner, const std::string& name);
    void ReleaseAll(const void* owner);

    // After the session ended with its locks: takes every lock held before again in the new
    // session. False with the holder of a lock someone else took meanwhile (empty when the lock
    // could not be checked); the locks not taken again are no longer held.
    bool TakeAgain(std::unique_ptr<ISessionLocks> session, std::string& currentHolder);

private:
    struct Held {
        const void* owner;
        std::string name;  // as taken
        std::string holder;
    };

    std::unique_ptr<ISessionLocks> session_;
    std::map<std::string, Held> held_;  // name in lower case → its holding
};

}  // namespace zel
