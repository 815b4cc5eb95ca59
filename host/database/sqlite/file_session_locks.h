#pragma once

#include <map>
#include <string>

#include "host/database/session_locks.h"

namespace zel {

// Session locks of a file database: an advisory lock (flock) on one file per name in a folder
// beside the database. The kernel drops the lock when the process ends, however it ends. Each
// instance opens its own files, so two instances in one process also exclude each other.
class FileSessionLocks final : public ISessionLocks {
public:
    explicit FileSessionLocks(std::string folder) : folder_(std::move(folder)) {}
    FileSessionLocks(const FileSessionLocks&) = delete;
    FileSessionLocks& operator=(const FileSessionLocks&) = delete;
    ~FileSessionLocks() override;

    // Taking a lock this instance already holds succeeds and records the new holder.
    bool TryAcquire(const std::string& name, const std::string& holder,
                    std::string& currentHolder) override;
    void Release(const std::string& name) override;

    // Lock names compare without regard to case; any character is safe in a name.
    std::string PathOf(const std::string& name) const;

private:
    static std::string FileNameOf(const std::string& name);
    static void Unlock(int descriptor);

    std::string folder_;
    std::map<std::string, int> held_;  // file name → open descriptor holding the lock
};

}  // namespace zel
