#include "mulmodify/modify_request.h"

#include "core/run_ignoring_errors.h"

#include "core/blank_trim.h"
#include "core/common.h"
#include "core/database_failure.h"
#include "mulmodify/modifiable_field.h"
#include "mulmodify/modify_by_row.h"
#include "mulmodify/modify_condition_check.h"
#include "mulmodify/modify_queries.h"
#include "mulmodify/set_update.h"

namespace korvel {
namespace {

void ShowText(zel::IPub& pub, const std::string& key) {
    ShowInfoMessage(pub, pub.GetResString(key));
}

// Codes and numbers are stored without surrounding blanks; other texts as typed.
std::string NewValue(const ModifiableField& field, const std::string& value) {
    return field.IsCode() || field.IsNumeric() ? std::string(TrimmedBlanks(value)) : value;
}

// Yes writes to every counted row, so the question also says what is written there and that
// the condition reaches beyond the warehouse selected in the main window.
bool ConfirmCount(zel::IPub& pub, long count, const std::string& caption,
                  const std::string& value) {
    const std::string shownValue = TrimmedBlanks(value).empty()
                                       ? pub.GetResString("Zel.AAARCHIVE.COMMON.modify_value_empty")
                                       : value;
    const std::string question =
        pub.GetResFormatString("Zel.AAARCHIVE.COMMON.modify_count", {std::to_string(count)}) +
        "\n" +
        pub.GetResFormatString("Zel.AAARCHIVE.COMMON.modify_count_change", {caption, shownValue}) +
        "\n" + pub.GetResString("Zel.AAARCHIVE.COMMON.modify_scope");
    const int answer = pub.MsgBox(question, zel::kMsgYesNo | zel::kMsgQuestion,
                                  pub.GetResString("Zel.AA.ARCHIVE.COMMON.exclamation"));
    return answer != zel::kAnswerNo;
}

void RunRequest(ModifyScope& scope, const std::string& condition, const std::string& caption,
                const std::string& fieldAsDelivered, const std::string& value) {
    LoginContext& login = scope.context.login;
    zel::IPub& pub = *login.pub;
    const auto field = FindModifiableField(fieldAsDelivered);
    if (!field) {
        ShowText(pub, "Zel.AA.ARCHIVE.COMMON.conditionerror");
        return;
    }
    const std::string newValue = NewValue(*field, value);
    // The user's condition stays one operand: an "or" in it cannot escape the rules and rights.
    std::string narrowed = "(" + condition + ")";
    if (!CheckModifyCondition(scope.context, narrowed, caption, *field, newValue)) {
        return;
    }
    const auto rows = login.db->OpenX(ModifyQueries::MatchingQuery(narrowed, login));
    if (!rows) {
        if (!TellIfDisconnected(login)) {
            ShowText(pub, "Zel.AA.ARCHIVE.COMMON.conditionerror");
        }
        return;
    }
    // Counting reads every row: a result cut short must not pass for the rows that match.
    const long matching = rows->RecordCount();
    if (!ReadWholeOrTell(login, *rows)) {
        return;
    }
    if (matching == 0) {
        ShowText(pub, "Zel.AAARCHIVE.COMMON.modify_no_match");
        return;
    }
    if (ModifyByRow(scope, *rows, caption, *field, fieldAsDelivered, newValue)) {
        return;
    }
    if (!ConfirmCount(pub, matching, caption, newValue)) {
        return;
    }
    RunSetUpdate(scope, *field, fieldAsDelivered, newValue,
                 ModifyQueries::MatchingTail(narrowed, login));
}

}  // namespace

void Find_ModifyRequest(ModifyScope& scope, const std::string& condition,
                        const std::string& caption, const std::string& field,
                        const std::string& value) {
    try {
        RunRequest(scope, condition, caption, field, value);
    } catch (...) {
        RunIgnoringErrors([&] {
            zel::IPub& pub = *scope.context.login.pub;
            ShowText(pub, "Zel.AAARCHIVE.COMMON.modify_condi_content_error");
        });
    }
}

}  // namespace korvel
