#include "mulmodify/modify_condition_check.h"

#include "core/check_cycle.h"
#include "core/common.h"
#include "core/date_check.h"
#include "core/stock_limit_rule.h"
#include "core/text_escaping.h"

namespace korvel {
namespace {

using Kind = ModifiableField::Kind;

void Refuse(ComponentContext& context, const std::string& key,
            const std::vector<std::string>& values = {}) {
    zel::IPub& pub = *context.login.pub;
    ShowInfoMessage(pub,
                    values.empty() ? pub.GetResString(key) : pub.GetResFormatString(key, values));
}

// A null limit never blocks: only the limits that are set must stay on the right side.
std::string LimitRule(const std::string& column, const char* comparison,
                      const std::string& literal) {
    return "(WhInvContrapose." + column + comparison + literal + " or WhInvContrapose." + column +
           " is null)";
}

// Each order of the stock-limit rule that the column takes part in keeps the row's other limit
// on its side of the new value.
std::string LimitFragment(const std::string& column, const std::string& literal) {
    std::string fragment;
    for (const LimitOrder& order : kLimitOrders) {
        if (order.lower->column == column) {
            fragment += " and " + LimitRule(std::string(order.upper->column), ">=", literal);
        } else if (order.upper->column == column) {
            fragment += " and " + LimitRule(std::string(order.lower->column), "<=", literal);
        }
    }
    return fragment;
}

bool CheckLimit(ComponentContext& context, std::string& condition, const std::string& caption,
                const ModifiableField& field, const std::string& value) {
    if (value.empty()) {
        Refuse(context, "Zel.AAARCHIVE.COMMON.modify_empty_limit", {caption});
        return false;
    }
    if (!IsDecimalNumber(value)) {
        Refuse(context, "Zel.AA.ARCHIVE.COMMON.conditionerror");
        return false;
    }
    condition += LimitFragment(field.column, SqlQuoted(value));
    return true;
}

// Rows keep their check day only when it fits the new unit: a day cycle has none, a week's lies
// within the week; every check day fits a month.
bool CheckUnit(ComponentContext& context, std::string& condition, const std::string& value) {
    switch (CycleUnitOfText(context.catalogue, value)) {
        case kUnitDay:
            condition +=
                " and (WhInvContrapose.iDays is null ) and (WhInvContrapose.iFrequency is "
                "not null) ";
            return true;
        case kUnitWeek:
            condition += " and WhInvContrapose.idays<=" + std::to_string(*LastCycleDay(kUnitWeek)) +
                         " and (WhInvContrapose.iFrequency is not null) ";
            return true;
        case kUnitMonth:
            return true;
        case kUnitNone:
            break;
    }
    if (value.empty()) {
        return true;
    }
    Refuse(context, "Zel.AA.ARCHIVE.COMMON.conditionerror");
    return false;
}

bool CheckNumber(ComponentContext& context, const std::string& value, bool whole) {
    if (value.empty() || (whole ? IsWholeNumber(value) : IsDecimalNumber(value))) {
        return true;
    }
    Refuse(context, "Zel.AA.ARCHIVE.COMMON.conditionerror");
    return false;
}

bool CheckLossRate(ComponentContext& context, const ModifiableField& field,
                   const std::string& value) {
    if (value.empty() || field.column != kLossRate.column) {
        return true;
    }
    const auto rate = LimitNumber(value);
    if (const char* refusal = rate ? LossRateRefusal(*rate) : nullptr) {
        Refuse(context, refusal);
        return false;
    }
    return true;
}

}  // namespace

bool CheckModifyCondition(ComponentContext& context, std::string& condition,
                          const std::string& caption, const ModifiableField& field,
                          const std::string& value) {
    LoginContext& login = context.login;
    // A code written into rows must be one the user may write, as the editor's save requires.
    switch (field.kind) {
        case Kind::kWarehouseCode:
            return login.pub->IFExists(*login.db, "warehouse", caption, value, true, "",
                                       login.sAuthWhW);
        case Kind::kPersonCode:
            return login.pub->IFExists(*login.db, "Person", caption, value, false, "",
                                       login.sAuthPersonW);
        case Kind::kInventoryCode:
            return login.pub->IFExists(*login.db, "inventory", caption, value, true, "",
                                       login.sAuthInvW);
        case Kind::kLimit:
            return CheckLimit(context, condition, caption, field, value);
        case Kind::kNumber:
            return CheckNumber(context, value, false) && CheckLossRate(context, field, value);
        case Kind::kCount:
            return CheckNumber(context, value, true);
        case Kind::kUnit:
            return CheckUnit(context, condition, value);
        case Kind::kDate:
            return CheckedDate(*login.pub, value, caption).has_value();
    }
    return false;
}

}  // namespace korvel
