#include "mulmodify/set_update.h"

#include "core/blank_trim.h"
#include "core/check_cycle.h"
#include "core/common.h"
#include "core/text_escaping.h"
#include "host/objects/host_date.h"
#include "mulmodify/modify_queries.h"

namespace korvel {

std::string SetUpdateLiteral(const ComponentContext& context, const ModifiableField& field,
                             const std::string& value) {
    if (TrimmedBlanks(value).empty()) {
        return "NULL";
    }
    if (field.kind == ModifiableField::Kind::kUnit) {
        const CycleUnit unit = CycleUnitOfText(context.catalogue, value);
        return SqlQuoted(unit == kUnitNone ? value : std::string(CycleUnitCode(unit)));
    }
    if (field.kind == ModifiableField::Kind::kDate) {
        // The check let through only dates the host reads.
        const auto date = zel::HostDate::Parse(value);
        return SqlQuoted(date ? date->ToIso() : value);
    }
    return SqlQuoted(value);
}

void RunSetUpdate(ModifyScope& scope, const ModifiableField& field,
                  const std::string& fieldAsDelivered, const std::string& value,
                  const std::string& matchingTail) {
    LoginContext& login = scope.context.login;
    zel::IPub& pub = *login.pub;
    const std::string sql = ModifyQueries::SetUpdate(
        fieldAsDelivered, SetUpdateLiteral(scope.context, field, value), matchingTail);
    // One statement: when it fails no row has changed, which the user is told with the reason.
    if (!login.db->ExecuteX(sql)) {
        const std::string reason = login.db->LastError();
        ShowInfoMessage(
            pub, reason.empty()
                     ? pub.GetResString("Zel.AAARCHIVE.COMMON.modify_exe_error")
                     : pub.GetResFormatString("Zel.AAARCHIVE.COMMON.modify_set_failed", {reason}));
        return;
    }
    scope.modifiedFlag = true;
    ShowInfoMessage(pub, pub.GetResString("Zel.AA.ARCHIVE.COMMON.modifysuccess"));
}

}  // namespace korvel
