#pragma once

#include <memory>
#include <string>
#include <vector>

#include "interfaces/cls_common.h"
#include "interfaces/login.h"
#include "interfaces/object.h"
#include "interfaces/recordset.h"
#include "interfaces/variant.h"

class QDialog;
class QWidget;

namespace zel {

// MsgBox button codes as the host defines them.
enum MsgBoxCode : int {
    kMsgOk = 0,
    kMsgYesNo = 4,
    kMsgStop = 16,
    kMsgQuestion = 32,
    kMsgExclamation = 48,
    kMsgInformation = 64,
    kAnswerOk = 1,
    kAnswerYes = 6,
    kAnswerNo = 7,
};

// Lock modes of IsLockFun.
enum LockMode : short {
    kLockFunction = 1,
    kUnlockFunction = -1,
    kLockEdit = 2,
    kUnlockEdit = -2,
};

// ProgID ZelPub.IPub: resource texts, dialogs, locks, formatting and window framework.
class IPub : public IObject {
public:
    // Resource texts. An unknown key comes back as the key itself.
    virtual std::string GetResString(const std::string& key) = 0;
    // The text with values[0] in place of "%1", values[1] in place of "%2", and so on.
    virtual std::string GetResFormatString(const std::string& key,
                                           std::vector<std::string>& values) = 0;

    // Modal message box; returns the answer code (kAnswerOk, kAnswerYes, kAnswerNo).
    virtual int MsgBox(const std::string& text, int buttons, const std::string& title) = 0;
    // Shows a window modally, owned by owner (nullptr: no owner); returns its result code.
    // Every modal window of the component goes through here so that a test host can answer it.
    virtual int ShowModal(QDialog& window, QWidget* owner) = 0;

    // Function lock (modes 1/-1) and edit lock (2/-2). With 1 or 2 the result True means the
    // caller must not go on (held by someone else, or the lock could not be checked).
    virtual bool IsLockFun(IClsCommon& db, ILogin& login, const std::string& function,
                           short mode) = 0;

    // Person authorisation as a complete condition, e.g. "(1=1)" or "(Person.cPersonCode in (...))".
    virtual std::string GetAuth(const std::string& objectName, const std::string& userId,
                                const std::string& ysDBName, const std::string& right = "") = 0;
    // Condition that leaves out items past their end date on the business date.
    virtual std::string GetEndDateFilter(const std::string& kind, std::string& curDate) = 0;
    // Caption of a column from a column-dictionary recordset (select * from aa_columndic ...).
    virtual std::string GetFldCaption(std::shared_ptr<IRecordset>& dictionary,
                                      const std::string& field) = 0;

    // Number as text with that many decimals ("" for Null or non-numbers).
    virtual std::string FormatNum(const Variant& value, short& digits) = 0;
    virtual void UtoLCase(std::string& text) = 0;
    // The entry of `to` at the position of `value` in `from`; `value` unchanged when absent.
    virtual std::string GetDispTxt(const std::string& value, std::vector<std::string>& from,
                                   std::vector<std::string>& to) = 0;
    virtual std::string GetCmbDB(const std::string& text, std::vector<std::string>& from,
                                 std::vector<std::string>& to) = 0;
};

}  // namespace zel
