#pragma once

#include <memory>
#include <string>

#include "interfaces/object.h"
#include "interfaces/recordset.h"

namespace zel {

// ProgID ZelSrvTrans.IClsCommon: all SQL access of the component.
// The component writes the host's dialect (select top N, [caption] aliases, update ... from ...);
// the service adapts it to the database behind it.
class IClsCommon : public IObject {
public:
    virtual void Init(const std::string& ysDBName) = 0;
    virtual bool Status() = 0;
    // Static result: all rows held, RecordCount known, filterable. nullptr when the query fails.
    virtual std::shared_ptr<IRecordset> OpenX(const std::string& sql) = 0;
    // Forward-only result: rows are read as the caller moves, not held. nullptr when it fails.
    virtual std::shared_ptr<IRecordset> Openforward(const std::string& sql) = 0;
    // True when the statement ran and, for insert, update and delete, changed at least one row.
    virtual bool ExecuteX(const std::string& sql) = 0;
    virtual bool Add(const std::string& xml, const std::string& table, std::string& message) = 0;
    virtual bool Modify(const std::string& xml, const std::string& table, std::string& message) = 0;
    virtual bool Delete(const std::string& condition, const std::string& keyField,
                        const std::string& table, std::string& message,
                        const std::string& userId) = 0;
    // The database's own words for the last failure, for diagnostics.
    virtual std::string LastError() const = 0;
    // The change history keeps one entry per write statement; the writes of one action that
    // writes row by row (a batch add, a modify row by row) between these two calls are one entry
    // instead, per kind of change, so that the action can be looked back at and undone as one.
    virtual void BeginChangeStep() = 0;
    // The writes of an import, whatever each statement does, until EndChangeStep: one entry of
    // kind "import", which is undone whole.
    virtual void BeginImportStep() = 0;
    virtual void EndChangeStep() = 0;
    // The calls between BeginTrans and CommitTrans write all or nothing; each still succeeds or
    // fails alone, and a write that fails takes back only its own changes. Nothing is written for
    // others to see before CommitTrans. False with LastError: a transaction already open (they do
    // not nest), or, for CommitTrans, one that cannot keep what it did: a read failed in it or the
    // connection was lost, and everything in it is undone. Until RollbackTrans or CommitTrans,
    // a lost connection is never made again behind the caller's back: every call fails.
    virtual bool BeginTrans() = 0;
    virtual bool CommitTrans() = 0;
    // True when nothing of the transaction is kept, also when the lost connection took it.
    virtual bool RollbackTrans() = 0;
};

}  // namespace zel
