#include <QApplication>
#include <charconv>

#include "core/blank_trim.h"
#include "core/common.h"
#include "core/const.h"
#include "core/text_case.h"
#include "editor/editor_queries.h"
#include "editor/found_row.h"
#include "editor/frm_add_inv.h"
#include "interfaces/refer_client.h"

namespace korvel {
namespace {

// The number a text starts with, 0 when it starts with none, as the host's number boxes read it.
double LeadingNumber(const std::string& text) {
    const std::string_view trimmed = TrimmedBlanks(text);
    double value = 0;
    std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    return value;
}

}  // namespace

void FrmAddInv::ConnectChecks() {
    connect(invCode_, &zel::Edit::LostFocus, this, [this] { CheckInventory(); });
    connect(whCode_, &zel::Edit::LostFocus, this, [this] { CheckWarehouse(); });
    connect(person_, &zel::Edit::LostFocus, this, [this] { CheckPerson(); });
    connect(frequency_, &zel::Edit::LostFocus, this, [this] { CheckFrequency(); });
    connect(wastage_, &zel::Edit::LostFocus, this, [this] { CheckWastage(); });
    for (zel::Edit* number : {topSum_, lowSum_, safeNum_}) {
        connect(number, &zel::Edit::LostFocus, this, [this, number] { FormatNumberBox(*number); });
    }
    // Only what the user types un-resolves a field; the program's own changes do not.
    connect(invCode_, &QLineEdit::textEdited, this, [this] { InventoryTypedOver(); });
    connect(whCode_, &QLineEdit::textEdited, this, [this] { WarehouseTypedOver(); });
    connect(person_, &QLineEdit::textEdited, this, [this] { PersonTypedOver(); });
    connect(pickWarehouse_, &zel::YsCommandButton::Click, this, [this] {
        PickReference("Warehouse", "cWhCode", context_.login.sAuthWhW, "Warehouse", *whCode_, {},
                      {});
    });
    connect(pickInventory_, &zel::YsCommandButton::Click, this, [this] {
        PickReference("Inventory", "cInvCode", context_.login.sAuthInvW, "Inventory", *invCode_,
                      "InventoryClass", "cInvCCode");
    });
    connect(pickPerson_, &zel::YsCommandButton::Click, this, [this] {
        PickReference("Person", "cPersonCode", context_.login.sAuthPersonW, "Person", *person_, {},
                      {});
    });
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
    std::string curDate = context_.login.sCurDate;
    const std::string endDate = context_.login.pub->GetEndDateFilter("inventory", curDate);
    const auto rows =
        Open(InventoryLookupQuery(context_.catalogue, text, context_.login.sAuthInv, endDate));
    if (rows && MoveToFoundRow(*rows, "cInvCode", "cInvName", text)) {
        FillInventory(*rows);
        return;
    }
    ShowInfoMessage(*context_.login.pub,
                    context_.login.pub->GetResString("Zel.AA.ARCHIVE.COMMON.no_inv_auth_stop"));
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

void FrmAddInv::FillInventory(zel::IRecordset& item) {
    zel::IPub& pub = *context_.login.pub;
    auto text = [&item](const char* field) { return NullToStr(item.Fields(field)); };
    invName_->SetText(text("cInvName"));
    invStd_->SetText(text("cInvStd"));
    groupCode_->SetText(text("cGroupCode"));
    groupName_->SetText(text("cGroupName"));
    unitCode_->SetText(text("cComunitCode"));
    unitName_->SetText(text("cComUnitName"));
    short digits = context_.quantity.digits;
    const std::pair<zel::Edit*, const char*> numbers[] = {
        {safeNum_, "iSafeNum"}, {topSum_, "iTopSum"}, {lowSum_, "iLowSum"}, {wastage_, "iWastage"}};
    for (const auto& [box, field] : numbers) {
        box->SetText(pub.FormatNum(item.Fields(field).value_or(zel::Variant{}), digits));
    }
    frequency_->SetText(text("iFrequency"));
    // The item stores the unit's code; the list shows the units' texts.
    const std::string unitText = pub.GetDispTxt(text("cFrequency"), context_.catalogue.arrFreqValue,
                                                context_.catalogue.arrFreqText);
    SelectUnitAndDay(unitText, text("iDays"));
    const std::string lastDate = text("dLastDate");
    lastDate_->SetText(lastDate.empty() ? Today() : lastDate);
    const std::string code = text("cInvCode");
    invCode_->SetUTooltipText(code);
    invCode_->SetText(code);
    const std::string defaultWarehouse(TrimmedBlanks(text("cDefWareHouse")));
    if (!defaultWarehouse.empty() && whCode_->Text().empty()) {
        FillDefaultWarehouse(defaultWarehouse);
    }
}

void FrmAddInv::FillDefaultWarehouse(const std::string& code) {
    const auto warehouse = Open(DefaultWarehouseQuery(code));
    if (!warehouse || warehouse->RecordCount() != 1) {
        return;
    }
    const std::string found = NullToStr(warehouse->Fields("CWhCode"));
    whCode_->SetText(found);
    whCode_->SetUTooltipText(found);
    whName_->SetText(NullToStr(warehouse->Fields("CWhName")));
}

void FrmAddInv::CheckWarehouse() {
    const std::string text = whCode_->Text();
    if (text.empty() || FocusWentTo(*pickWarehouse_) || !FocusStayedInWindow()) {
        return;
    }
    const auto rows = Open(WarehouseLookupQuery(text, context_.login.sAuthWh));
    if (rows && MoveToFoundRow(*rows, "CWhCode", "CWhName", text)) {
        const std::string code = NullToStr(rows->Fields("CWhCode"));
        whCode_->SetUTooltipText(code);
        whCode_->SetText(code);
        whName_->SetText(NullToStr(rows->Fields("CWhName")));
        return;
    }
    whCode_->SetUTooltipText({});
    whCode_->SetText({});
    ShowInfoMessage(*context_.login.pub,
                    context_.login.pub->GetResString("Zel.AA.ARCHIVE.COMMON.no_cwhcode_name_auth"));
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
    const auto rows = Open(PersonLookupQuery(text, context_.login.sAuthPerson));
    if (rows && MoveToFoundRow(*rows, "cPersonCode", "cPersonName", text)) {
        const std::string code = NullToStr(rows->Fields("cPersonCode"));
        person_->SetUTooltipText(pub.GetResString("Zel.AA.ARCHIVE.FIELD.codecolon") + code);
        person_->SetTag(code);
        person_->SetText(NullToStr(rows->Fields("cPersonName")));
        return;
    }
    person_->SetUTooltipText({});
    person_->SetTag({});
    person_->SetText({});
    ShowInfoMessage(pub, pub.GetResString("Zel.AA.WHINVCONTRAPOSE.FRMADDINV.451_1"));
    person_->setFocus();
    entryValid_ = false;
}

// A zero count is only pointed out: it does not stop a save.
void FrmAddInv::CheckFrequency() {
    const std::string text = frequency_->Text();
    if (!text.empty() && FocusStayedInWindow() && LeadingNumber(text) == 0) {
        ShowInfoMessage(*context_.login.pub,
                        context_.login.pub->GetResString("Zel.AA.WHINVCONTRAPOSE.FRMADDINV.522_1"));
        frequency_->setFocus();
    }
}

void FrmAddInv::CheckWastage() {
    if (wastage_->Text().empty() || !FocusStayedInWindow()) {
        return;
    }
    if (LeadingNumber(wastage_->Text()) == 0) {
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
    std::string classQuery = PickerClassQuery(classTable, classCodeField);
    std::string kind = referenceType;
    std::string filterFields = pub.GetFilterFlds(kind);
    std::string match;
    std::string matchTable = table;
    pub.CreateMatchStr(box, filterFields, match, matchTable);
    std::string curDate = context_.login.sCurDate;
    std::string itemQuery =
        PickerItemQuery(table, condition, match, pub.GetEndDateFilter("inventory", curDate));
    auto picker = context_.factory ? zel::CreateObjectAs<zel::IReferClient>(
                                         *context_.factory, "YsReferC.YsReferClient")
                                   : nullptr;
    if (!picker ||
        !picker->StrRefInit(context_.login.login, false, classQuery, itemQuery, "", kind)) {
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
    // Moving on runs the field's own check, which fills the names from the chosen code.
    box.setFocus();
    focusNextChild();
}

}  // namespace korvel
