#include "host/database/shared_session_locks.h"

#include "host/objects/host_text.h"

namespace zel {

bool SharedSessionLocks::TryAcquire(const void* owner, const std::string& name,
                                    const std::string& holder, std::string& currentHolder) {
    currentHolder.clear();
    const std::string key = AsciiLower(name);
    const auto held = held_.find(key);
    if (held != held_.end() && held->second.owner != owner) {
        currentHolder = held->second.holder;
        return false;
    }
    if (!session_->TryAcquire(name, holder, currentHolder)) {
        return false;
    }
    held_.insert_or_assign(key, Held{owner, name, holder});
    return true;
}

void SharedSessionLocks::Release(const void* owner, const std::string& name) {
    const auto held = held_.find(AsciiLower(name));
    if (held != held_.end() && held->second.owner == owner) {
        session_->Release(held->second.name);
        held_.erase(held);
    }
}

void SharedSessionLocks::ReleaseAll(const void* owner) {
    std::erase_if(held_, [&](const auto& entry) {
        if (entry.second.owner != owner) {
            return false;
        }
        session_->Release(entry.second.name);
        return true;
    });
}

bool SharedSessionLocks::TakeAgain(std::unique_ptr<ISessionLocks> session,
                                   std::string& currentHolder) {
    session_ = std::move(session);
    bool all = true;
    std::erase_if(held_, [&](const auto& entry) {
        std::string holder;
        if (session_->TryAcquire(entry.second.name, entry.second.holder, holder)) {
            return false;
        }
        if (all) {
            currentHolder = holder;
            all = false;
        }
        return true;
    });
    return all;
}

}  // namespace zel
