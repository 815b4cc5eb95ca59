#include <algorithm>

#include "host/controls/find/find_field.h"
#include "host/controls/flex_grid.h"
#include "host/pub/find_dialog.h"
#include "host/pub/find_set_dialog.h"
#include "host/pub/find_store.h"
#include "host/pub/pub_service.h"

namespace zel {
namespace {

constexpr const char* kGridName = "Grid";
constexpr const char* kTitleKey = "Zel.HOST.FIND.title";
// The forms the dialogs' help is bound under.
constexpr const char* kFindHelpKey = "Find";
constexpr const char* kFindSetHelpKey = "FindSet";

std::vector<FindField> GridFields(QWidget& window) {
    const auto* grid = window.findChild<FlexGrid*>(kGridName);
    return grid != nullptr ? FindFieldsOf(*grid) : std::vector<FindField>();
}

// The fields the user chose, in grid order; all of them when the choice names none of the grid's
// fields any more.
std::vector<FindField> OfferedFields(std::vector<FindField> fields,
                                     const std::optional<std::vector<std::string>>& chosen) {
    if (!chosen) {
        return fields;
    }
    std::vector<FindField> offered;
    std::copy_if(fields.begin(), fields.end(), std::back_inserter(offered),
                 [&](const FindField& field) {
                     return std::find(chosen->begin(), chosen->end(), field.name) != chosen->end();
                 });
    return offered.empty() ? fields : offered;
}

}  // namespace

void PubService::Find(ILogin& login, const std::string& caption, QWidget& window,
                      std::string& condition) {
    condition.clear();
    const std::string title = GetResString(kTitleKey);
    auto fields = GridFields(window);
    if (fields.empty()) {
        MsgBox(GetResString("Zel.HOST.FIND.noFields"), kMsgOk | kMsgExclamation, title);
        return;
    }
    const auto store = FindStore::Open(factory_, login);
    FindDialog dialog(
        OfferedFields(std::move(fields), store ? store->OfferedFields(caption) : std::nullopt),
        [this](QDialog& calendar) { return ShowModal(calendar, nullptr); },
        [this, &title](const std::string& text) { MsgBox(text, kMsgOk | kMsgExclamation, title); });
    if (store) {
        dialog.SetRows(store->LastRows(caption));
    }
    help_.BindWithF1(dialog, kFindHelpKey);
    if (ShowModal(dialog, &window) != QDialog::Accepted || dialog.Condition().empty()) {
        return;
    }
    if (store) {
        store->SaveLastRows(caption, dialog.Rows());
    }
    condition = dialog.Condition();
}

void PubService::FindSet(ILogin& login, const std::string& caption, QWidget& window) {
    const auto fields = GridFields(window);
    if (fields.empty()) {
        MsgBox(GetResString("Zel.HOST.FIND.noFields"), kMsgOk | kMsgExclamation,
               GetResString("Zel.HOST.FIND.setTitle"));
        return;
    }
    const auto store = FindStore::Open(factory_, login);
    const auto chosen = store ? store->OfferedFields(caption) : std::nullopt;
    std::vector<std::string> offered;
    for (const auto& field : OfferedFields(fields, chosen)) {
        offered.push_back(field.name);
    }
    FindSetDialog dialog(fields, offered, [this](const std::string& text) {
        MsgBox(text, kMsgOk | kMsgExclamation, GetResString("Zel.HOST.FIND.setTitle"));
    });
    help_.BindWithF1(dialog, kFindSetHelpKey);
    if (ShowModal(dialog, &window) != QDialog::Accepted || !store) {
        return;
    }
    store->SaveOfferedFields(caption, dialog.Offered());
}

}  // namespace zel
