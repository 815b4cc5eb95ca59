#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/database/shared_session_locks.h"
#include "host/database/sql_backend.h"
#include "host/objects/account_directory.h"

namespace zel {

class StaticRecordset;

// The one connection of a program to an account database, shared by every database service that
// opens the account: its backend, its session locks and the results still reading on it.
class AccountConnection {
public:
    // nullptr with the engine's reason when the database cannot be opened.
    static std::shared_ptr<AccountConnection> Open(const DatabaseLocation& location,
                                                   std::string& error);
    // The connection over a backend already open on the location.
    static std::shared_ptr<AccountConnection> Over(const DatabaseLocation& location,
                                                   std::shared_ptr<SqlBackend> backend);
    AccountConnection(const AccountConnection&) = delete;
    AccountConnection& operator=(const AccountConnection&) = delete;
    ~AccountConnection();

    // The key under which a program shares the connection to a location.
    static std::string KeyOf(const DatabaseLocation& location);

    SqlBackend& Backend() const { return *backend_; }
    std::weak_ptr<const SqlBackend> WeakBackend() const { return backend_; }
    bool IsOpen() const { return backend_->IsOpen(); }
    SharedSessionLocks& Locks() { return locks_; }

    // A result that reads its rows on the connection as the caller asks for them.
    void KeepReading(const std::shared_ptr<StaticRecordset>& result);
    // Every service's results still reading hold a live statement on the connection: they read to
    // their end before anything writes there or the connection closes, so a rollback never cuts
    // one short and no write waits on a reader of the same program.
    void DrainLazyResults();

    // The transaction a service began on the connection (IClsCommon::BeginTrans): every service of
    // the account writes in it until it ends. Failed: a call in it failed in a way that cannot
    // be taken back alone, or the connection was lost; failure says why, in the user's words.
    enum class Transaction { kNone, kOpen, kFailed };
    Transaction OpenTransaction() const { return transaction_; }
    const std::string& TransactionFailure() const { return transactionFailure_; }
    void StartTransaction() { transaction_ = Transaction::kOpen; }
    void FailTransaction(std::string failure) {
        transaction_ = Transaction::kFailed;
        transactionFailure_ = std::move(failure);
    }
    void EndTransaction() {
        transaction_ = Transaction::kNone;
        transactionFailure_.clear();
    }

    enum class Reconnection { Connected, Unreachable, LockTaken };
    // Once the connection was lost: connects again and takes the session locks held before again
    // before anything else runs. Unreachable with the engine's reason, LockTaken with the holder
    // of a lock another session took meanwhile.
    Reconnection Reconnect(std::string& reason);

private:
    AccountConnection(DatabaseLocation location, std::shared_ptr<SqlBackend> backend);

    DatabaseLocation location_;
    std::shared_ptr<SqlBackend> backend_;
    SharedSessionLocks locks_;
    std::vector<std::weak_ptr<StaticRecordset>> lazyResults_;
    Transaction transaction_ = Transaction::kNone;
    std::string transactionFailure_;
};

}  // namespace zel
