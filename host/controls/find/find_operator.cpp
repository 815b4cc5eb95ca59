#include "host/controls/find/find_operator.h"

#include <array>

namespace zel {
namespace {

struct OperatorNames {
    FindOperator op;
    const char* stored;
    const char* textKey;
};

constexpr std::array kOperators = {
    OperatorNames{FindOperator::kEqual, "=", "Zel.HOST.FIND.opEqual"},
    OperatorNames{FindOperator::kNotEqual, "<>", "Zel.HOST.FIND.opNotEqual"},
    OperatorNames{FindOperator::kLess, "<", "Zel.HOST.FIND.opLess"},
    OperatorNames{FindOperator::kLessOrEqual, "<=", "Zel.HOST.FIND.opLessOrEqual"},
    OperatorNames{FindOperator::kGreater, ">", "Zel.HOST.FIND.opGreater"},
    OperatorNames{FindOperator::kGreaterOrEqual, ">=", "Zel.HOST.FIND.opGreaterOrEqual"},
    OperatorNames{FindOperator::kBetween, "between", "Zel.HOST.FIND.opBetween"},
    OperatorNames{FindOperator::kContains, "contains", "Zel.HOST.FIND.opContains"},
    OperatorNames{FindOperator::kBeginsWith, "begins", "Zel.HOST.FIND.opBeginsWith"},
    OperatorNames{FindOperator::kIsEmpty, "empty", "Zel.HOST.FIND.opIsEmpty"},
};

const OperatorNames& NamesOf(FindOperator op) {
    for (const auto& names : kOperators) {
        if (names.op == op) {
            return names;
        }
    }
    return kOperators.front();
}

}  // namespace

std::vector<FindOperator> OperatorsFor(const FindField& field) {
    using enum FindOperator;
    if (!field.choices.empty()) {
        return {kEqual, kNotEqual, kIsEmpty};
    }
    if (field.type == FieldKind::kText) {
        return {kContains, kEqual, kNotEqual, kBeginsWith, kLess, kGreater, kBetween, kIsEmpty};
    }
    return {kEqual, kNotEqual, kLess, kLessOrEqual, kGreater, kGreaterOrEqual, kBetween, kIsEmpty};
}

std::string FindOperatorName(FindOperator op) {
    return NamesOf(op).stored;
}

std::optional<FindOperator> FindOperatorNamed(const std::string& name) {
    for (const auto& names : kOperators) {
        if (name == names.stored) {
            return names.op;
        }
    }
    return std::nullopt;
}

std::string FindOperatorTextKey(FindOperator op) {
    return NamesOf(op).textKey;
}

}  // namespace zel
