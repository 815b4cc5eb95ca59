#include <QApplication>

#include "core/common.h"
#include "core/const.h"
#include "core/text_case.h"
#include "editor/editor_queries.h"
#include "editor/found_inventory_row.h"
#include "editor/frm_add_inv.h"
#include "editor/reference_picker.h"

namespace korvel {

void FrmAddInv::ConnectChecks() {
    connect(&Edtcinvcode(), &zel::Edit::LostFocus, this, [this] { CheckInventory(); });
    connect(&EdtcWhCode(), &zel::Edit::LostFocus, this, [this] { CheckWarehouse(); });
    connect(&EdtcWhPersonCode(), &zel::Edit::LostFocus, this, [this] { CheckPerson(); });
    connect(&EdtiFrequency(), &zel::Edit::LostFocus, this, [this] { CheckFrequency(); });
    connect(&EdtiWastage(), &zel::Edit::LostFocus, this, [this] { CheckWastage(); });
    for (zel::Edit* number : {&EdtiTopSum(), &EdtiLowSum(), &EdtiSafeNum()}) {
        connect(number, &zel::Edit::LostFocus, this, [this, number] { FormatNumberBox(*number); });
    }
    for (const CorrespondenceField& field : kCorrespondenceFields) {
        if (TakesQuantityDigits(field)) {
            connect(&BoxOf(field), &QLineEdit::textEdited, this,
                    [this, &field] { untouchedQuantities_.erase(&field); });
        }
    }
    // Only what the user types un-resolves a field; the program's own changes do not.
    connect(&Edtcinvcode(), &QLineEdit::textEdited, this, [this] { InventoryTypedOver(); });
    connect(&EdtcWhCode(), &QLineEdit::textEdited, this, [this] { WarehouseTypedOver(); });
    connect(&EdtcWhPersonCode(), &QLineEdit::textEdited, this, [this] { PersonTypedOver(); });
    for (const CorrespondenceField* field :
         {&Field("cWhCode"), &Field("cInvCode"), &Field("cWhPersonCode")}) {
        connect(&PickerOf(*field), &zel::YsCommandButton::Click, this, [this, field] {
            PickInto(*field);
            TabOutOf(BoxOf(*field));
        });
    }
}

// Moving on runs the field's own check, which fills the names from the chosen code. It runs
// whatever became of the picker: one that could not start leaves the typed text to that check.
void FrmAddInv::TabOutOf(zel::Edit& box) {
    box.setFocus();
    focusNextChild();
}

// A modified row keeps its warehouse and item, so their pickers have nothing to offer.
void FrmAddInv::EnableKeyPickers(bool enabled) {
    cmdRef1().setEnabled(enabled);
    cmdRef2().setEnabled(enabled);
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
    zel::Edit& code = Edtcinvcode();
    const std::string text = code.Text();
    if (text.empty() || FocusWentTo(cmdRef2()) || !FocusStayedInWindow()) {
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
    code.setFocus();
    ClearInventoryFields();
    EdtdLastDate().SetText({});
    entryValid_ = false;
    code.SetUTooltipText({});
    code.SetText({});
}

// What only the item gives: its fields that the record does not carry.
void FrmAddInv::ClearInventoryFields() {
    const CorrespondenceRow itemFields = RowOfInventory({});
    for (const CorrespondenceField& field : kCorrespondenceFields) {
        if (itemFields.Value(field) && !IsSavedFromBox(field.editor.box)) {
            BoxOf(field).SetText({});
        }
    }
}

void FrmAddInv::FillInventory(const FoundInventory& item) {
    CorrespondenceRow row = RowOfInventory(item);
    if (item.lastDate.empty()) {
        row.Set(Field("dLastDate"), Today());
    }
    ShowRow(row);
    Edtcinvcode().SetUTooltipText(item.code);
    if (!EdtcWhCode().Text().empty()) {
        return;
    }
    if (const auto warehouse = checks_.FindDefaultWarehouse(item.defaultWarehouse)) {
        EdtcWhCode().SetText(warehouse->code);
        EdtcWhCode().SetUTooltipText(warehouse->code);
        EdtcWhName().SetText(warehouse->name);
    }
}

void FrmAddInv::CheckWarehouse() {
    const std::string text = EdtcWhCode().Text();
    if (text.empty() || FocusWentTo(cmdRef1()) || !FocusStayedInWindow()) {
        return;
    }
    if (const auto warehouse = checks_.FindWarehouse(text)) {
        EdtcWhCode().SetUTooltipText(warehouse->code);
        EdtcWhCode().SetText(warehouse->code);
        EdtcWhName().SetText(warehouse->name);
        return;
    }
    EdtcWhCode().SetUTooltipText({});
    EdtcWhCode().SetText({});
    if (!checks_.LastLookupFailed()) {
        ShowInfoMessage(*context_.login.pub, context_.login.pub->GetResString(
                                                 "Zel.AA.ARCHIVE.COMMON.no_cwhcode_name_auth"));
    }
    EdtcWhCode().setFocus();
    EdtcWhName().SetText({});
    entryValid_ = false;
}

void FrmAddInv::CheckPerson() {
    const std::string text = EdtcWhPersonCode().Text();
    if (text.empty() || FocusWentTo(cmdRef3()) || !EdtcWhPersonCode().Tag().empty() ||
        !FocusStayedInWindow()) {
        return;
    }
    zel::IPub& pub = *context_.login.pub;
    if (const auto person = checks_.FindPerson(text)) {
        EdtcWhPersonCode().SetUTooltipText(pub.GetResString("Zel.AA.ARCHIVE.FIELD.codecolon") +
                                           person->code);
        EdtcWhPersonCode().SetTag(person->code);
        EdtcWhPersonCode().SetText(person->name);
        return;
    }
    EdtcWhPersonCode().SetUTooltipText({});
    EdtcWhPersonCode().SetTag({});
    EdtcWhPersonCode().SetText({});
    if (!checks_.LastLookupFailed()) {
        ShowInfoMessage(pub, pub.GetResString("Zel.AA.WHINVCONTRAPOSE.FRMADDINV.451_1"));
    }
    EdtcWhPersonCode().setFocus();
    entryValid_ = false;
}

// A zero count is only pointed out: it does not stop a save.
void FrmAddInv::CheckFrequency() {
    if (FocusStayedInWindow() && RecordEntryChecks::IsZeroEntry(EdtiFrequency().Text())) {
        ShowInfoMessage(*context_.login.pub,
                        context_.login.pub->GetResString("Zel.AA.WHINVCONTRAPOSE.FRMADDINV.522_1"));
        EdtiFrequency().setFocus();
    }
}

void FrmAddInv::CheckWastage() {
    if (EdtiWastage().Text().empty() || !FocusStayedInWindow()) {
        return;
    }
    if (const auto refusal = checks_.RefuseLossRate(EdtiWastage().Text())) {
        ShowInfoMessage(*context_.login.pub, *refusal);
        entryValid_ = false;
        EdtiWastage().setFocus();
    }
    FormatNumberBox(EdtiWastage());
}

// The limits hold together only as a row, so the save checks them all, whatever box has the
// focus and wherever their values came from.
bool FrmAddInv::CheckStockLimits() {
    const auto refusal = checks_.RefuseStockLimits(
        [this](const CorrespondenceField& field) { return BoxOf(field).Text(); });
    if (!refusal) {
        return true;
    }
    ShowInfoMessage(*context_.login.pub, refusal->message);
    BoxOf(*refusal->field).setFocus();
    return false;
}

void FrmAddInv::FormatNumberBox(zel::Edit& box) {
    context_.login.pub->FormatCon(box);
}

void FrmAddInv::InventoryTypedOver() {
    ClearInventoryFields();
    Edtcinvcode().SetUTooltipText({});
}

void FrmAddInv::WarehouseTypedOver() {
    EdtcWhName().SetText({});
    EdtcWhCode().SetUTooltipText({});
}

void FrmAddInv::PersonTypedOver() {
    EdtcWhPersonCode().SetTag({});
    EdtcWhPersonCode().SetUTooltipText({});
}

void FrmAddInv::PickInto(const CorrespondenceField& field) {
    zel::Edit& box = BoxOf(field);
    box.setFocus();
    const PickerOutcome picked = PickReference(context_, checks_, field, box);
    if (!picked.shown) {
        return;
    }
    if (picked.code) {
        if (field.editor.value == EditorValue::kTag) {
            box.SetText(picked.name);
            box.SetTag(*picked.code);
            box.SetUTooltipText(context_.login.pub->GetResString("Zel.AA.ARCHIVE.FIELD.codecolon") +
                                *picked.code);
        } else {
            box.SetText(*picked.code);
        }
        MarkChanged();
    }
    RefreshToolbar();
}

}  // namespace korvel
