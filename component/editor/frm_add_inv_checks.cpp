#include <QApplication>

#include "core/common.h"
#include "core/const.h"
#include "core/text_case.h"
#include "editor/editor_queries.h"
#include "editor/frm_add_inv.h"
#include "interfaces/refer_client.h"

namespace korvel {

void FrmAddInv::ConnectChecks() {
    connect(invCode_, &zel::Edit::LostFocus, this, [this] { CheckInventory(); });
    connect(whCode_, &zel::Edit::LostFocus, this, [this] { CheckWarehouse(); });
    connect(person_, &zel::Edit::LostFocus, this, [this] { CheckPerson(); });
    connect(frequency_, &zel::Edit::LostFocus, this, [this] { CheckFrequency(); });
    connect(wastage_, &zel::Edit::LostFocus, this, [this] { CheckWastage(); });
    for (zel::Edit* number : {topSum_, lowSum_, safeNum_}) {
        connect(number, &zel::Edit::LostFocus, this, [this, number] { FormatNumberBox(*number); });
    }
    for (zel::Edit* number : {topSum_, lowSum_, safeNum_, wastage_}) {
        connect(number, &QLineEdit::textEdited, this,
                [this, number] { untouchedQuantities_.erase(number); });
    }
    // Only what the user types un-resolves a field; the program's own changes do not.
    connect(invCode_, &QLineEdit::textEdited, this, [this] { InventoryTypedOver(); });
    connect(whCode_, &QLineEdit::textEdited, this, [this] { WarehouseTypedOver(); });
    connect(person_, &QLineEdit::textEdited, this, [this] { PersonTypedOver(); });
    connect(pickWarehouse_, &zel::YsCommandButton::Click, this, [this] {
        PickReference("Warehouse", "cWhCode", context_.login.sAuthWhW, "Warehouse", *whCode_, {},
                      {});
        TabOutOf(*whCode_);
    });
    connect(pickInventory_, &zel::YsCommandButton::Click, this, [this] {
        PickReference("Inventory", "cInvCode", context_.login.sAuthInvW, "Inventory", *invCode_,
                      "InventoryClass", "cInvCCode");
        TabOutOf(*invCode_);
    });
    connect(pickPerson_, &zel::YsCommandButton::Click, this, [this] {
        PickReference("Person", "cPersonCode", context_.login.sAuthPersonW, "Person", *person_, {},
                      {});
        TabOutOf(*person_);
    });
}

// Moving on runs the field's own check, which fills the names from the chosen code. It runs
// whatever became of the picker: one that could not start leaves the typed text to that check.
void FrmAddInv::TabOutOf(zel::Edit& box) {
    box.setFocus();
    focusNextChild();
}

// A modified row keeps its warehouse and item, so their pickers have nothing to offer.
void FrmAddInv::EnableKeyPickers(bool enabled) {
    pickWarehouse_->setEnabled(enabled);
    pickInventory_->setEnabled(enabled);
}

bool FrmAddInv::FocusWentTo(const QWidget& widget) const {
    return QApplication::focusWidget() == &widget;
}

// A focus that left for another window (a message box, a picker) is not the user leaving the
// field: the checks run when the focus moves within this window.
bool FrmAddInv::FocusStayedInWindow() const {
    const QWidget* now = QApplication::focusWidget();
    return now && (now == this || isAncestorOf(now));
}

void FrmAddInv::CheckInventory() {
    const std::string text = invCode_->Text();
    if (text.empty() || FocusWentTo(*pickInventory_) || !FocusStayedInWindow()) {
        return;
    }
    if (const auto item = checks_.FindInventory(text)) {
        FillInventory(*item);
        return;
    }
    if (!checks_.LastLookupFailed()) {
        ShowInfoMessage(*context_.login.pub,
                        context_.login.pub->GetResString("Zel.AA.ARCHIVE.COMMON.no_inv_auth_stop"));
    }
    invCode_->setFocus();
    ClearInventoryFields();
    lastDate_->SetText({});
    entryValid_ = false;
    invCode_->SetUTooltipText({});
    invCode_->SetText({});
}

void FrmAddInv::ClearInventoryFields() {
    for (zel::Edit* shown : {invName_, invStd_, groupCode_, groupName_, unitCode_, unitName_}) {
        shown->SetText({});
    }
}

void FrmAddInv::FillInventory(const FoundInventory& item) {
    invName_->SetText(item.name);
    invStd_->SetText(item.invStd);
    groupCode_->SetText(item.groupCode);
    groupName_->SetText(item.groupName);
    unitCode_->SetText(item.unitCode);
    unitName_->SetText(item.unitName);
    safeNum_->SetText(item.safeNum);
    topSum_->SetText(item.topSum);
    lowSum_->SetText(item.lowSum);
    wastage_->SetText(item.wastage);
    frequency_->SetText(item.frequency);
    SelectUnitAndDay(item.unitText, item.days);
    lastDate_->SetText(item.lastDate.empty() ? Today() : item.lastDate);
    invCode_->SetUTooltipText(item.code);
    invCode_->SetText(item.code);
    if (!whCode_->Text().empty()) {
        return;
    }
    if (const auto warehouse = checks_.FindDefaultWarehouse(item.defaultWarehouse)) {
        whCode_->SetText(warehouse->code);
        whCode_->SetUTooltipText(warehouse->code);
        whName_->SetText(warehouse->name);
    }
}

void FrmAddInv::CheckWarehouse() {
    const std::string text = whCode_->Text();
    if (text.empty() || FocusWentTo(*pickWarehouse_) || !FocusStayedInWindow()) {
        return;
    }
    if (const auto warehouse = checks_.FindWarehouse(text)) {
        whCode_->SetUTooltipText(warehouse->code);
        whCode_->SetText(warehouse->code);
        whName_->SetText(warehouse->name);
        return;
    }
    whCode_->SetUTooltipText({});
    whCode_->SetText({});
    if (!checks_.LastLookupFailed()) {
        ShowInfoMessage(*context_.login.pub, context_.login.pub->GetResString(
                                                 "Zel.AA.ARCHIVE.COMMON.no_cwhcode_name_auth"));
    }
    whCode_->setFocus();
    whName_->SetText({});
    entryValid_ = false;
}

void FrmAddInv::CheckPerson() {
    const std::string text = person_->Text();
    if (text.empty() || FocusWentTo(*pickPerson_) || !person_->Tag().empty() ||
        !FocusStayedInWindow()) {
        return;
    }
    zel::IPub& pub = *context_.login.pub;
    if (const auto person = checks_.FindPerson(text)) {
        person_->SetUTooltipText(pub.GetResString("Zel.AA.ARCHIVE.FIELD.codecolon") + person->code);
        person_->SetTag(person->code);
        person_->SetText(person->name);
        return;
    }
    person_->SetUTooltipText({});
    person_->SetTag({});
    person_->SetText({});
    if (!checks_.LastLookupFailed()) {
        ShowInfoMessage(pub, pub.GetResString("Zel.AA.WHINVCONTRAPOSE.FRMADDINV.451_1"));
    }
    person_->setFocus();
    entryValid_ = false;
}

// A zero count is only pointed out: it does not stop a save.
void FrmAddInv::CheckFrequency() {
    if (FocusStayedInWindow() && RecordEntryChecks::IsZeroEntry(frequency_->Text())) {
        ShowInfoMessage(*context_.login.pub,
                        context_.login.pub->GetResString("Zel.AA.WHINVCONTRAPOSE.FRMADDINV.522_1"));
        frequency_->setFocus();
    }
}

void FrmAddInv::CheckWastage() {
    if (wastage_->Text().empty() || !FocusStayedInWindow()) {
        return;
    }
    if (RecordEntryChecks::IsZeroEntry(wastage_->Text())) {
        ShowInfoMessage(*context_.login.pub,
                        context_.login.pub->GetResString("Zel.AA.WHINVCONTRAPOSE.FRMADDINV.551_1"));
        entryValid_ = false;
        wastage_->setFocus();
    }
    FormatNumberBox(*wastage_);
}

void FrmAddInv::FormatNumberBox(zel::Edit& box) {
    context_.login.pub->FormatCon(box);
}

void FrmAddInv::InventoryTypedOver() {
    ClearInventoryFields();
    invCode_->SetUTooltipText({});
}

void FrmAddInv::WarehouseTypedOver() {
    whName_->SetText({});
    whCode_->SetUTooltipText({});
}

void FrmAddInv::PersonTypedOver() {
    person_->SetTag({});
    person_->SetUTooltipText({});
}

void FrmAddInv::PickReference(const std::string& table, const std::string& codeField,
                              const std::string& condition, const std::string& referenceType,
                              zel::Edit& box, const std::string& classTable,
                              const std::string& classCodeField) {
    zel::IPub& pub = *context_.login.pub;
    box.setFocus();
    std::string match;
    pub.CreateMatchStr(box, pub.GetFilterFlds(referenceType), match, table);
    auto picker = context_.factory ? zel::CreateObjectAs<zel::IReferClient>(
                                         *context_.factory, "YsReferC.YsReferClient")
                                   : nullptr;
    if (!picker || !picker->StrRefInit(
                       context_.login.login, false, PickerClassQuery(classTable, classCodeField),
                       checks_.PickerItemQuery(table, condition, match), "", referenceType)) {
        return;
    }
    picker->Show();
    const auto chosen = picker->recmx();
    if (chosen && !chosen->Eof()) {
        const std::string code = NullToStr(chosen->Fields(codeField));
        if (EqualsNoCase(referenceType, "person")) {
            box.SetText(NullToStr(chosen->Fields("cPersonName")));
            box.SetTag(code);
            box.SetUTooltipText(pub.GetResString("Zel.AA.ARCHIVE.FIELD.codecolon") + code);
        } else {
            box.SetText(code);
        }
        MarkChanged();
    }
    RefreshToolbar();
}

}  // namespace korvel
