#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "host/database/session_locks.h"

namespace zel {

class PostgresConnection;

// Session locks on a PostgreSQL server: advisory locks of the account's connection, which the
// server gives back when that connection ends, however the client ends. A table beside them
// tells a refused user who holds a lock; a holder's row outlives a crash harmlessly, as the next
// holder writes over it.
class PostgresSessionLocks final : public ISessionLocks {
public:
    explicit PostgresSessionLocks(std::shared_ptr<PostgresConnection> connection)
        : connection_(std::move(connection)) {}
    PostgresSessionLocks(const PostgresSessionLocks&) = delete;
    PostgresSessionLocks& operator=(const PostgresSessionLocks&) = delete;
    ~PostgresSessionLocks() override;

    // Taking a lock this instance already holds succeeds and records the new holder. A lock held
    // under the same holder's description by an earlier session of the same login is taken over:
    // that session is the program's own, lost to it but not yet to the server.
    bool TryAcquire(const std::string& name, const std::string& holder,
                    std::string& currentHolder) override;
    void Release(const std::string& name) override;

    // The advisory lock's key: lock names compare without regard to ASCII case.
    static long long KeyOf(const std::string& name);

private:
    bool RecordHolder(const std::string& name, const std::string& holder);
    // The advisory lock; when another session holds it, false with the holder's description.
    bool TakeAdvisoryLock(const std::string& name, std::string& currentHolder);
    // Ends the session of this login that holds the lock under this very holder's description.
    bool EndOwnEarlierSession(const std::string& name, const std::string& holder);

    std::shared_ptr<PostgresConnection> connection_;
    std::map<std::string, std::string> held_;  // name in lower case → as taken
};

}  // namespace zel
