#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/database/session_locks.h"
#include "host/database/sql_backend.h"
#include "host/objects/host_environment.h"
#include "interfaces/cls_common.h"

namespace zel {

class CorrespondenceRecord;
class StaticRecordset;

// ZelSrvTrans.IClsCommon on an account database: adapts the component's SQL dialect, checks and
// writes correspondence records with bound values, and holds the session locks of its backend.
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

    bool TryAcquire(const std::string& name, const std::string& holder,
                    std::string& currentHolder) override;
    void Release(const std::string& name) override;

private:
    using Clock = std::chrono::steady_clock;

    // The adapted statement, or nullptr with the reason kept for LastError.
    std::unique_ptr<SqlStatement> Prepare(const std::string& sql, std::string& adapted);
    std::unique_ptr<SqlStatement> PrepareShared(const std::string& adapted);
    // OpenX's results still reading hold a live statement on the connection: they read to their
    // end before anything writes there or the connection closes, so a rollback never cuts one
    // short and no write waits on our own reader.
    void DrainLazyResults();
    void CountBeside(StaticRecordset& recordset, const std::string& adapted) const;
    void Log(const char* operation, const std::string& adapted, long rows,
             Clock::time_point start) const;
    bool Save(const std::string& xml, const std::string& table, std::string& message, bool adding);
    // The insert or update of a checked record, inside Save's transaction.
    bool Write(const CorrespondenceRecord& record, bool adding, const std::string& now,
               std::string& message);
    // rows: "T where ...", the rows to delete.
    bool RunDelete(const std::string& rows, std::string& message);
    // Whether a query in the host's dialect finds a row; false too when it fails.
    bool Exists(const std::string& sql, const std::vector<Variant>& values);
    // The date the service judges an item's end date on.
    std::optional<std::string> BusinessDate(const std::string& now) const;

    std::shared_ptr<HostEnvironment> environment_;
    std::shared_ptr<SqlBackend> backend_;
    std::vector<std::weak_ptr<StaticRecordset>> lazyResults_;
    std::unique_ptr<ISessionLocks> locks_;
    std::string lastError_;
};

}  // namespace zel
