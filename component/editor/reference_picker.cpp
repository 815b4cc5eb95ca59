#include "editor/reference_picker.h"

#include <algorithm>
#include <iterator>

#include "core/const.h"
#include "editor/editor_queries.h"
#include "interfaces/refer_client.h"

namespace korvel {
namespace {

struct Reference {
    std::string_view column;
    const char* table;
    const char* codeField;
    // For a box that shows the name and keeps the code.
    const char* nameField;
    std::string LoginContext::*writeCondition;
    const char* referenceType;
    const char* classTable;
    const char* classCodeField;
};

constexpr Reference kReferences[] = {
    {"cWhCode", "Warehouse", "cWhCode", "", &LoginContext::sAuthWhW, "Warehouse", "", ""},
    {"cInvCode", "Inventory", "cInvCode", "", &LoginContext::sAuthInvW, "Inventory",
     "InventoryClass", "cInvCCode"},
    {"cWhPersonCode", "Person", "cPersonCode", "cPersonName", &LoginContext::sAuthPersonW, "Person",
     "", ""},
};

}  // namespace

PickerOutcome PickReference(const ComponentContext& context, const RecordEntryChecks& checks,
                            const CorrespondenceField& field, zel::Edit& box) {
    const auto* reference =
        std::find_if(std::begin(kReferences), std::end(kReferences),
                     [&](const Reference& known) { return known.column == field.column; });
    if (reference == std::end(kReferences)) {
        return {};
    }
    zel::IPub& pub = *context.login.pub;
    std::string match;
    pub.CreateMatchStr(box, pub.GetFilterFlds(reference->referenceType), match, reference->table);
    auto picker = context.factory ? zel::CreateObjectAs<zel::IReferClient>(*context.factory,
                                                                           "YsReferC.YsReferClient")
                                  : nullptr;
    const std::string items =
        checks.PickerItemQuery(reference->table, context.login.*reference->writeCondition, match);
    if (!picker ||
        !picker->StrRefInit(context.login.login, false,
                            PickerClassQuery(reference->classTable, reference->classCodeField),
                            items, "", reference->referenceType)) {
        return {};
    }
    picker->Show();
    PickerOutcome outcome;
    outcome.shown = true;
    const auto chosen = picker->recmx();
    if (chosen && !chosen->Eof()) {
        outcome.code = NullToStr(chosen->Fields(reference->codeField));
        if (*reference->nameField != '\0') {
            outcome.name = NullToStr(chosen->Fields(reference->nameField));
        }
    }
    return outcome;
}

}  // namespace korvel
