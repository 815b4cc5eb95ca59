#include "host/objects/host_date.h"
#include "host/objects/host_text.h"
#include "host/pub/failure_report.h"
#include "host/pub/modify_report_dialog.h"
#include "host/pub/pub_service.h"
#include "host/pub/reference_object.h"
#include "interfaces/refer_client.h"

namespace zel {
namespace {

constexpr const char* kReferProgId = "YsReferC.YsReferClient";

void Refuse(IPub& pub, const std::string& text) {
    pub.MsgBox(text, kMsgExclamation, pub.GetResString("Zel.AA.ARCHIVE.COMMON.exclamation"));
}

std::string TextOf(const IRecordset& row, const char* field) {
    const auto value = row.Fields(field);
    return value ? value->ToString() : std::string();
}

}  // namespace

void PubService::showRef(QWidget&, const std::string& kind, ILogin& login, bool& ok,
                         const std::string& authCondition, std::string& code, std::string& name,
                         std::shared_ptr<IRecordset>& recordset) {
    ok = false;
    const auto object = ReferenceObject::Of(kind);
    const auto picker = object ? CreateObjectAs<IReferClient>(factory_, kReferProgId) : nullptr;
    // The picker reads the login only while this call runs (it opens its queries in StrRefInit
    // and is dropped on return), so a pointer that does not own the caller's login serves.
    const std::shared_ptr<ILogin> borrowedLogin(std::shared_ptr<ILogin>(), &login);
    if (!picker || !picker->StrRefInit(borrowedLogin, false, object->classQuery,
                                       object->PickerQuery(authCondition), "", kind)) {
        return;
    }
    picker->Show();
    auto chosen = picker->recmx();
    if (!chosen || !chosen->IsOpen()) {
        return;
    }
    chosen->MoveFirst();
    if (chosen->Eof()) {
        return;
    }
    code = TextOf(*chosen, object->codeField);
    name = TextOf(*chosen, object->nameField);
    recordset = std::move(chosen);
    ok = true;
}

bool PubService::IFExists(IClsCommon& db, const std::string& kind, const std::string& caption,
                          const std::string& value, bool emptyRefused, const std::string&,
                          const std::string& authCondition) {
    if (WithoutSurroundingBlanks(value).empty()) {
        if (emptyRefused) {
            Refuse(*this, GetResFormatString("Zel.HOST.MODIFY.empty_code", {caption}));
        }
        return !emptyRefused;
    }
    const auto object = ReferenceObject::Of(kind);
    const auto found = object ? db.OpenX(object->CodeQuery(value, authCondition)) : nullptr;
    if (!found || !found->IsOpen()) {
        Refuse(*this, GetResFormatString("Zel.HOST.MODIFY.code_unchecked", {caption, value}));
        return false;
    }
    if (found->Eof()) {
        Refuse(*this, GetResFormatString("Zel.HOST.MODIFY.code_not_found", {caption, value}));
        return false;
    }
    return true;
}

bool PubService::CheckDateStyle(const std::string& value, const std::string& caption) {
    if (HostDate::Parse(value)) {
        return true;
    }
    Refuse(*this, GetResFormatString("Zel.HOST.MODIFY.bad_date", {caption, value}));
    return false;
}

void PubService::ModifyInitMsg(std::shared_ptr<IRecordset>& report, const std::string& fields,
                               const std::string& captions) {
    report = NewFailureReport(fields, captions);
}

void PubService::ModifyAddMsg(std::shared_ptr<IRecordset>& report,
                              const std::vector<std::string>& values) {
    if (const auto table = std::dynamic_pointer_cast<HeldRowsRecordset>(report)) {
        table->Append(std::vector<Variant>(values.begin(), values.end()));
    }
}

void PubService::ModifyShowMsg(QWidget& window, ILogin&, IClsCommon&,
                               std::shared_ptr<IRecordset>& report) {
    const auto table = std::dynamic_pointer_cast<const HeldRowsRecordset>(report);
    if (!table || table->RowCount() == 0) {
        return;
    }
    ModifyReportDialog dialog(
        table, [this](QDialog& shown) { return ShowModal(shown, shown.parentWidget()); },
        [this](const std::string& text) { Refuse(*this, text); }, &window);
    ShowModal(dialog, &window);
}

}  // namespace zel
