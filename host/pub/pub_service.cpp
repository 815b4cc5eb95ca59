#include "host/pub/pub_service.h"

#include <QDate>
#include <QRegularExpression>
#include <QString>
#include <algorithm>
#include <optional>

#include "host/objects/resource_texts.h"
#include "host/pub/decimal_text.h"
#include "host/pub/function_lock.h"
#include "interfaces/row_auth.h"

namespace zel {
namespace {

constexpr const char* kRowAuthProgId = "ZelRowAuthsvr.clsRowAuth";
constexpr const char* kNothingAllowed = "(1=2)";
constexpr const char* kEverythingAllowed = "(1=1)";

bool SameText(const std::string& a, const std::string& b) {
    return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

struct AuthObject {
    const char* name;
    const char* prefix;
};

// The column each object's answer lists: codes for warehouses and persons, ids for inventory.
constexpr AuthObject kAuthObjects[] = {
    {"Person", "(Person.cPersonCode in ("},
    {"Warehouse", "(Warehouse.cWhCode in ("},
    {"Inventory", "(Inventory.iId in ("},
};

std::optional<AuthObject> FindAuthObject(const std::string& name) {
    for (const auto& object : kAuthObjects) {
        if (SameText(name, object.name)) {
            return object;
        }
    }
    return std::nullopt;
}

std::string AuthCondition(const AuthObject& object, const std::string& answer) {
    if (answer == "1=2") {
        return kNothingAllowed;
    }
    if (answer.empty()) {
        return kEverythingAllowed;
    }
    return object.prefix + answer + "))";
}

// yyyy-m-d with "-", "/" or "." (a time after it is ignored) or yyyymmdd, as yyyy-mm-dd; a date
// that does not exist gives nullopt. The result holds digits and dashes only.
std::optional<std::string> IsoDate(const std::string& text) {
    static const QRegularExpression pattern(
        R"(^\s*(\d{4})(?:([-/.])(\d{1,2})\2(\d{1,2})|(\d{2})(\d{2}))(?:[ T].*)?\s*$)");
    const auto match = pattern.match(QString::fromStdString(text));
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const bool separated = !match.captured(2).isEmpty();
    const QDate date(match.captured(1).toInt(), match.captured(separated ? 3 : 5).toInt(),
                     match.captured(separated ? 4 : 6).toInt());
    if (!date.isValid()) {
        return std::nullopt;
    }
    return date.toString(QStringLiteral("yyyy-MM-dd")).toStdString();
}

std::string EntryAtSamePosition(const std::string& value, const std::vector<std::string>& from,
                                const std::vector<std::string>& to) {
    if (value.empty()) {
        return value;
    }
    const auto found = std::find(from.begin(), from.end(), value);
    const auto index = static_cast<std::size_t>(found - from.begin());
    return found != from.end() && index < to.size() ? to[index] : value;
}

}  // namespace

PubService::PubService(std::shared_ptr<HostEnvironment> environment, IObjectFactory& factory)
    : environment_(std::move(environment)), factory_(factory) {}

std::string PubService::GetResString(const std::string& key) {
    return ResourceTexts::Instance().Text(key);
}

std::string PubService::GetResFormatString(const std::string& key,
                                           std::vector<std::string>& values) {
    return ResourceTexts::Instance().Format(key, values);
}

int PubService::MsgBox(const std::string& text, int buttons, const std::string& title) {
    if (!environment_ || !environment_->dialogs) {
        // Nobody to ask: the cautious answer, never a "yes".
        return (buttons & 0x0F) == kMsgYesNo ? kAnswerNo : kAnswerOk;
    }
    return environment_->dialogs->MessageBox(text, buttons, title);
}

int PubService::ShowModal(QDialog& window, QWidget* owner) {
    if (!environment_ || !environment_->dialogs) {
        return 0;
    }
    return environment_->dialogs->ShowModal(window, owner);
}

bool PubService::IsLockFun(IClsCommon& db, ILogin& login, const std::string& function, short mode) {
    using Outcome = FunctionLockResult::Outcome;
    const bool releasing = mode == kUnlockFunction || mode == kUnlockEdit;
    const auto result = ApplyFunctionLock(db, function, FunctionLockHolder(login.cUserId()), mode);
    if (releasing || result.outcome == Outcome::Taken) {
        return false;
    }
    if (result.outcome == Outcome::Refused) {
        std::vector<std::string> holder{result.holder};
        ShowLockMessage(GetResFormatString(
            mode == kLockEdit ? "Zel.HOST.LOCK.edit_busy" : "Zel.HOST.LOCK.function_busy", holder));
    } else if (mode == kLockFunction || mode == kLockEdit) {
        ShowLockMessage(GetResString("Zel.HOST.LOCK.check_failed"));
    }
    return true;
}

void PubService::ShowLockMessage(const std::string& text) {
    MsgBox(text, kMsgExclamation, GetResString("Zel.AA.ARCHIVE.COMMON.exclamation"));
}

std::string PubService::GetAuth(const std::string& objectName, const std::string& userId,
                                const std::string& ysDBName, const std::string& right) {
    const auto object = FindAuthObject(objectName);
    const auto rowAuth = object ? CreateObjectAs<IRowAuth>(factory_, kRowAuthProgId) : nullptr;
    if (!rowAuth) {
        return kNothingAllowed;
    }
    rowAuth->Init(ysDBName, userId);
    return AuthCondition(*object, rowAuth->GetAuthString(object->name, "", right));
}

std::string PubService::GetEndDateFilter(const std::string& kind, std::string& curDate) {
    if (!SameText(kind, "inventory")) {
        return kEverythingAllowed;
    }
    const auto date = IsoDate(curDate);
    // Without a readable business date only the items that never end are surely still in use.
    if (!date) {
        return "(Inventory.dEDate is null)";
    }
    return "(Inventory.dEDate is null or Inventory.dEDate>'" + *date + "')";
}

std::string PubService::GetFldCaption(std::shared_ptr<IRecordset>& dictionary,
                                      const std::string& field) {
    if (!dictionary || !dictionary->IsOpen()) {
        return field;
    }
    std::string caption = field;
    for (dictionary->MoveFirst(); !dictionary->Eof(); dictionary->MoveNext()) {
        const auto name = dictionary->Fields("cfldname");
        if (name && SameText(name->ToString(), field)) {
            const auto text = dictionary->Fields("ccaption");
            if (text && !text->ToString().empty()) {
                caption = text->ToString();
            }
            break;
        }
    }
    // The caller hands the same dictionary to the next call.
    dictionary->MoveFirst();
    return caption;
}

std::string PubService::FormatNum(const Variant& value, short& digits) {
    return DecimalText(value, digits);
}

void PubService::UtoLCase(std::string& text) {
    text = QString::fromStdString(text).toLower().toStdString();
}

std::string PubService::GetDispTxt(const std::string& value, std::vector<std::string>& from,
                                   std::vector<std::string>& to) {
    return EntryAtSamePosition(value, from, to);
}

std::string PubService::GetCmbDB(const std::string& text, std::vector<std::string>& from,
                                 std::vector<std::string>& to) {
    return EntryAtSamePosition(text, from, to);
}

}  // namespace zel
