#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/database/session_locks.h"
#include "interfaces/cls_common.h"
#include "interfaces/pub.h"
#include "interfaces/recordset.h"

namespace korvel::test {

// The database service of a test account that loses its connection on demand: from then on
// every call fails as the host's service fails when the server is gone (nullptr, false, Status
// false, LastError naming the account), until the connection comes back. A loss may also be
// armed to strike at a given statement, or in the middle of a result's rows. The session locks
// are the service's own, and cannot be checked while the connection is lost. Every statement sent
// is kept, in order, as the component wrote it.
class FailingDb final : public zel::IClsCommon, public zel::ISessionLocks {
public:
    static constexpr const char* kLostText =
        "与数据库acc的连接已断开：server closed the connection unexpectedly";

    explicit FailingDb(std::shared_ptr<zel::IClsCommon> inner) : inner_(std::move(inner)) {}

    // Puts a failing service where the given one was, and returns it.
    static std::shared_ptr<FailingDb> InPlaceOf(std::shared_ptr<zel::IClsCommon>& service) {
        auto failing = std::make_shared<FailingDb>(service);
        service = failing;
        return failing;
    }
    // What the windows tell the user when a call fails for the lost connection.
    static std::string LostMessage(zel::IPub& pub) {
        return pub.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.COMMON.db_failed_reason",
                                      {kLostText});
    }

    void LoseConnection() { lost_ = true; }
    void Reconnect() {
        lost_ = false;
        rowsBeforeLoss = -1;
        cutResultsOf.clear();
        lostAtStatementWith.clear();
        reconnectsOnNextCall = false;
    }

    // Results opened from now on, of statements holding cutResultsOf, stop after this many rows,
    // the connection lost; -1 never.
    int rowsBeforeLoss = -1;
    std::string cutResultsOf;
    // The connection is lost when a statement holding this text is sent, before it runs; "" never.
    std::string lostAtStatementWith;
    // As the host's service does: a call after the loss connects again first (the statement that
    // failed is not sent again), so the loss costs that one statement.
    bool reconnectsOnNextCall = false;
    std::vector<std::string> statements;

    void Init(const std::string& ysDBName) override { inner_->Init(ysDBName); }
    bool Status() override { return !lost_ && inner_->Status(); }
    std::shared_ptr<zel::IRecordset> OpenX(const std::string& sql) override {
        return Cut(Reaches(sql) ? inner_->OpenX(sql) : nullptr, sql);
    }
    std::shared_ptr<zel::IRecordset> Openforward(const std::string& sql) override {
        return Cut(Reaches(sql) ? inner_->Openforward(sql) : nullptr, sql);
    }
    bool ExecuteX(const std::string& sql) override { return Reaches(sql) && inner_->ExecuteX(sql); }
    bool Add(const std::string& xml, const std::string& table, std::string& message) override {
        return Writes(xml, message) && inner_->Add(xml, table, message);
    }
    bool Modify(const std::string& xml, const std::string& table, std::string& message) override {
        return Writes(xml, message) && inner_->Modify(xml, table, message);
    }
    bool Delete(const std::string& condition, const std::string& keyField, const std::string& table,
                std::string& message, const std::string& userId) override {
        return Writes(condition, message) &&
               inner_->Delete(condition, keyField, table, message, userId);
    }
    std::string LastError() const override { return lost_ ? kLostText : inner_->LastError(); }
    void BeginChangeStep() override { inner_->BeginChangeStep(); }
    void BeginImportStep() override { inner_->BeginImportStep(); }
    void EndChangeStep() override { inner_->EndChangeStep(); }
    bool BeginTrans() override { return !lost_ && inner_->BeginTrans(); }
    bool CommitTrans() override { return !lost_ && inner_->CommitTrans(); }
    bool RollbackTrans() override { return inner_->RollbackTrans(); }

    bool TryAcquire(const std::string& name, const std::string& holder,
                    std::string& currentHolder) override {
        currentHolder.clear();
        auto* locks = dynamic_cast<zel::ISessionLocks*>(inner_.get());
        return !lost_ && locks && locks->TryAcquire(name, holder, currentHolder);
    }
    void Release(const std::string& name) override {
        if (auto* locks = dynamic_cast<zel::ISessionLocks*>(inner_.get())) {
            locks->Release(name);
        }
    }

private:
    // A result whose rows stop coming after a number of them: it then ends, closed.
    class CutRecordset final : public zel::IRecordset {
    public:
        CutRecordset(std::shared_ptr<zel::IRecordset> inner, int rows, FailingDb& db)
            : inner_(std::move(inner)), rowsLeft_(rows), db_(db) {}

        bool Bof() const override { return inner_->Bof(); }
        bool Eof() const override { return cut_ || inner_->Eof(); }
        void MoveFirst() override { inner_->MoveFirst(); }
        void MoveNext() override {
            inner_->MoveNext();
            if (--rowsLeft_ <= 0 && !inner_->Eof()) {
                cut_ = true;
                db_.LoseConnection();
            }
        }
        long RecordCount() const override { return -1; }
        long KnownRecordCount() const override { return -1; }
        bool IsOpen() const override { return !cut_ && inner_->IsOpen(); }
        void Close() override { inner_->Close(); }
        int FieldCount() const override { return inner_->FieldCount(); }
        std::string FieldName(int index) const override { return inner_->FieldName(index); }
        int FieldIndex(std::string_view name) const override { return inner_->FieldIndex(name); }
        int FieldDefinedSize(int index) const override { return inner_->FieldDefinedSize(index); }
        std::string FieldSource(int index) const override { return inner_->FieldSource(index); }
        std::optional<zel::Variant> Fields(int index) const override {
            return cut_ ? std::nullopt : inner_->Fields(index);
        }
        std::optional<zel::Variant> Fields(std::string_view name) const override {
            return cut_ ? std::nullopt : inner_->Fields(name);
        }
        bool SetFilter(std::string_view condition) override { return inner_->SetFilter(condition); }

    private:
        std::shared_ptr<zel::IRecordset> inner_;
        int rowsLeft_;
        FailingDb& db_;
        bool cut_ = false;
    };

    bool Reaches(const std::string& statement) {
        statements.push_back(statement);
        if (lost_ && reconnectsOnNextCall) {
            lost_ = false;
        }
        if (!lostAtStatementWith.empty() &&
            statement.find(lostAtStatementWith) != std::string::npos) {
            lost_ = true;
        }
        return !lost_;
    }
    bool Writes(const std::string& statement, std::string& message) {
        if (Reaches(statement)) {
            return true;
        }
        message = kLostText;
        return false;
    }
    std::shared_ptr<zel::IRecordset> Cut(std::shared_ptr<zel::IRecordset> rows,
                                         const std::string& statement) {
        if (!rows || rowsBeforeLoss < 0 || statement.find(cutResultsOf) == std::string::npos) {
            return rows;
        }
        return std::make_shared<CutRecordset>(std::move(rows), rowsBeforeLoss, *this);
    }

    std::shared_ptr<zel::IClsCommon> inner_;
    bool lost_ = false;
};

}  // namespace korvel::test
