#include "host/database/account_backend.h"

#include "host/database/postgres/postgres_backend.h"
#include "host/database/sqlite/sqlite_backend.h"

namespace zel {

std::unique_ptr<SqlBackend> NewBackendFor(const DatabaseLocation& location) {
    if (location.backend == DatabaseLocation::Backend::Postgres) {
        return std::make_unique<PostgresBackend>(location.reading);
    }
    return std::make_unique<SqliteBackend>(location.reading);
}

}  // namespace zel
