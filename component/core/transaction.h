#pragma once

#include "interfaces/cls_common.h"

namespace korvel {

// One database transaction for as long as it lives: what was written in it is undone unless
// Commit kept it.
class Transaction {
public:
    explicit Transaction(zel::IClsCommon& db) : db_(db), open_(db_.BeginTrans()) {}
    ~Transaction() {
        if (open_) {
            db_.RollbackTrans();
        }
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // False when the transaction could not begin (LastError tells why): nothing is to be written.
    bool Open() const { return open_; }
    // False with LastError when it was not kept; nothing of it is kept then.
    bool Commit() {
        const bool kept = open_ && db_.CommitTrans();
        open_ = false;
        return kept;
    }
    void Rollback() {
        if (open_) {
            db_.RollbackTrans();
        }
        open_ = false;
    }

private:
    zel::IClsCommon& db_;
    bool open_;
};

}  // namespace korvel
