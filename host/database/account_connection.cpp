#include "host/database/account_connection.h"

#include "host/database/account_backend.h"
#include "host/database/static_recordset.h"

namespace zel {

std::shared_ptr<AccountConnection> AccountConnection::Open(const DatabaseLocation& location,
                                                           std::string& error) {
    std::shared_ptr<SqlBackend> backend = NewBackendFor(location);
    if (!backend->Open(location.connection)) {
        error = backend->LastError();
        return nullptr;
    }
    return Over(location, std::move(backend));
}

std::shared_ptr<AccountConnection> AccountConnection::Over(const DatabaseLocation& location,
                                                           std::shared_ptr<SqlBackend> backend) {
    return std::shared_ptr<AccountConnection>(new AccountConnection(location, std::move(backend)));
}

AccountConnection::AccountConnection(DatabaseLocation location, std::shared_ptr<SqlBackend> backend)
    : location_(std::move(location)),
      backend_(std::move(backend)),
      locks_(backend_->CreateSessionLocks()) {}

AccountConnection::~AccountConnection() {
    DrainLazyResults();
}

std::string AccountConnection::KeyOf(const DatabaseLocation& location) {
    return (location.backend == DatabaseLocation::Backend::Postgres ? "postgresql:" : "sqlite:") +
           location.connection;
}

void AccountConnection::KeepReading(const std::shared_ptr<StaticRecordset>& result) {
    std::erase_if(lazyResults_, [](const auto& kept) { return kept.expired(); });
    lazyResults_.push_back(result);
}

void AccountConnection::DrainLazyResults() {
    for (const auto& result : lazyResults_) {
        if (const auto recordset = result.lock()) {
            recordset->ReadToEnd();
        }
    }
    lazyResults_.clear();
}

AccountConnection::Reconnection AccountConnection::Reconnect(std::string& reason) {
    // The results reading on the lost connection have ended with it.
    lazyResults_.clear();
    if (!backend_->Open(location_.connection)) {
        reason = backend_->LastError();
        return Reconnection::Unreachable;
    }
    if (!locks_.TakeAgain(backend_->CreateSessionLocks(), reason)) {
        return Reconnection::LockTaken;
    }
    return Reconnection::Connected;
}

}  // namespace zel
