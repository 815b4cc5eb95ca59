#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/database/session_locks.h"
#include "host/database/sql_statement.h"
#include "host/objects/host_environment.h"
#include "interfaces/cls_common.h"

namespace zel {

class AccountConnection;
class SqlBackend;
class StaticRecordset;
enum class ChangeStepKind;
class TableRecord;

// ZelSrvTrans.IClsCommon on an account database: adapts the component's SQL dialect, checks and
// writes the records of the schema's tables with bound values, and holds session locks. Every
// service of the program that opens the account works on one connection to it; once that connection
// is lost, the next call connects again before it runs.
class ClsCommon final : public IClsCommon, public ISessionLocks {
public:
    explicit ClsCommon(std::shared_ptr<HostEnvironment> environment);
    ClsCommon(const ClsCommon&) = delete;
    ClsCommon& operator=(const ClsCommon&) = delete;
    ~ClsCommon() override;

    void Init(const std::string& ysDBName) override;
    bool Status() override;
    std::shared_ptr<IRecordset> OpenX(const std::string& sql) override;
    std::shared_ptr<IRecordset> Openforward(const std::string& sql) override;
    bool ExecuteX(const std::string& sql) override;
    bool Add(const std::string& xml, const std::string& table, std::string& message) override;
    bool Modify(const std::string& xml, const std::string& table, std::string& message) override;
    bool Delete(const std::string& condition, const std::string& keyField, const std::string& table,
                std::string& message, const std::string& userId) override;
    std::string LastError() const override { return lastError_; }
    void BeginChangeStep() override;
    void BeginImportStep() override;
    void EndChangeStep() override;
    bool BeginTrans() override;
    bool CommitTrans() override;
    bool RollbackTrans() override;

    bool TryAcquire(const std::string& name, const std::string& holder,
                    std::string& currentHolder) override;
    void Release(const std::string& name) override;

private:
    using Clock = std::chrono::steady_clock;

    // The adapted statement, or nullptr with the reason kept for LastError.
    std::unique_ptr<SqlStatement> Prepare(const std::string& sql, std::string& adapted);
    std::unique_ptr<SqlStatement> PrepareShared(const std::string& adapted);
    // At the start of every call: whether the account is connected, connecting again when the
    // connection was lost; false with LastError.
    bool Connected();
    void CloseFunctionWithoutItsLock();
    // After a failure: when the connection was lost with it, the engine's reason goes to the SQL
    // log and LastError tells the user that the connection was lost. True when it was.
    bool NoteLostConnection();
    // The engine's reason to the SQL log, and to the user that the connection was lost.
    void TellConnectionLost(const char* operation, const std::string& reason,
                            Clock::time_point start);
    // Ends a failed transaction. A loss is noted first, as the rollback's own failure would hide
    // the reason.
    void RollbackAfterFailure();
    bool InCallersTransaction() const;
    // The transaction of one write (a save, a delete, a statement that names its writer): on its
    // own, or inside the caller's transaction a savepoint, so that a write that fails there takes
    // back only itself.
    bool BeginWrite();
    bool CommitWrite();
    void RollbackWrite();
    // A failure inside the caller's transaction that its savepoint cannot take back: everything
    // in the transaction is to be undone, and every call fails until it is.
    void FailCallersTransaction();
    void FailCallersTransactionIfAny();
    SqlBackend& Backend() const;
    void CountBeside(StaticRecordset& recordset, const std::string& adapted) const;
    void Log(const char* operation, const std::string& adapted, long rows,
             Clock::time_point start) const;
    void OpenChangeStep(ChangeStepKind kind);
    // A statement that may change rows, its writer and kind of change ("add", "change",
    // "delete") named to the change history; changed: the rows it changed.
    bool RunWrite(SqlStatement& statement, const std::string& user, std::string_view kind,
                  long& changed);
    // The login's user; empty for a host without a login (a tool, a test).
    std::string SessionUser() const;
    bool Save(const std::string& xml, const std::string& table, std::string& message, bool adding);
    // The checks and the write of a parsed record, in one transaction.
    bool SaveChecked(TableRecord& record, bool adding, std::string& message);
    // The insert or update of a checked record, inside Save's transaction.
    bool Write(const TableRecord& record, bool adding, const std::string& now,
               std::string& message);
    bool RunDelete(const std::string& table, const std::string& where, const std::string& userId,
                   std::string& message);
    // Whether the user may delete the one row of table the condition names.
    bool MayDelete(const std::string& table, const std::string& where, const std::string& userId,
                   std::string& message);
    // Why a delete that did not remove exactly one row failed; rows: "T where ...".
    std::string DeleteRefusal(bool ran, bool prepared, long deleted, const std::string& rows);
    // Whether a query in the host's dialect finds a row; false too when it fails.
    bool Exists(const std::string& sql, const std::vector<Variant>& values);
    // The date the service judges an item's end date on.
    std::optional<std::string> BusinessDate(const std::string& now) const;

    std::shared_ptr<HostEnvironment> environment_;
    std::string ysDBName_;
    std::shared_ptr<AccountConnection> account_;
    std::string lastError_;
};

}  // namespace zel
