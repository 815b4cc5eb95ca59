#include "import/import_query.h"

#include "core/blank_trim.h"
#include "core/run_ignoring_errors.h"
#include "core/text_case.h"

namespace korvel {
namespace {

std::string FailureText(const LoginContext& login) {
    std::string reason;
    RunIgnoringErrors([&] { reason = login.db->LastError(); });
    zel::IPub& pub = *login.pub;
    return reason.empty()
               ? pub.GetResString("Zel.AA.WHINVCONTRAPOSE.COMMON.db_failed")
               : pub.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.COMMON.db_failed_reason", {reason});
}

}  // namespace

bool StreamRows(const LoginContext& login, const std::string& sql,
                const std::function<void(const zel::IRecordset&)>& row, std::string& failure) {
    const auto rows = login.db->Openforward(sql);
    if (!rows) {
        failure = FailureText(login);
        return false;
    }
    for (; !rows->Eof(); rows->MoveNext()) {
        row(*rows);
    }
    // A result whose rows stopped coming is closed at its end.
    if (!rows->IsOpen()) {
        failure = FailureText(login);
        return false;
    }
    rows->Close();
    return true;
}

std::string FieldText(const zel::IRecordset& rows, int index) {
    const auto value = rows.Fields(index);
    return value ? value->ToString() : std::string();
}

std::string CodeKey(std::string_view code) {
    return AsciiLower(TrimmedBlanks(code));
}

}  // namespace korvel
