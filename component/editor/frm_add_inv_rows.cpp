#include <QApplication>

#include "core/common.h"
#include "core/const.h"
#include "core/correspondence_fields.h"
#include "core/run_ignoring_errors.h"
#include "core/text_case.h"
#include "editor/frm_add_inv.h"
#include "editor/grid_row_fields.h"
#include "host/controls/vb_input_codes.h"
#include "mainwindow/warehouse_tree.h"

namespace korvel {

void FrmAddInv::InitData(short mode, zel::FlexGrid& grid, int row) {
    mode_ = mode;
    zel::IPub& pub = *context_.login.pub;
    if (mode == kAdd) {
        captionManager_->SetCaption(pub.GetResString("Zel.AA.ARCHIVE.COMMON.add"));
        for (int index = 2; index <= 6; ++index) {
            if (auto* button = buttons_->Button(index)) {
                button->SetVisible(false);
            }
        }
        ClearAllFields();
    } else if (mode == kModify) {
        captionManager_->SetCaption(pub.GetResString("Zel.AA.ARCHIVE.COMMON.modify"));
        grid_ = &grid;
        row_ = row;
        Fillallfields(row_);
    }
    EnableKeyPickers(mode != kModify);
    SetButtonEnabled("SaveRs", false);
    SetButtonVisible("History", false);
    RefreshToolbar();
}

// A new row has no history yet.
void FrmAddInv::SetRowHistory(RowHistory show) {
    rowHistory_ = std::move(show);
    SetButtonVisible("History", rowHistory_ && mode_ == kModify);
    RefreshToolbar();
}

void FrmAddInv::FillForAdding(const CorrespondenceRow& row, std::function<void()> saved) {
    ShowRow(row);
    filledRowSaved_ = std::move(saved);
    MarkChanged();
}

bool FrmAddInv::ShowRowHistory() {
    if (!rowHistory_ || mode_ != kModify) {
        return false;
    }
    rowHistory_(*this, EdtcWhCode().Text(), Edtcinvcode().Text());
    return true;
}

void FrmAddInv::FixKeyFields(const std::string& warehouseCode, const std::string& warehouseName) {
    const QColor buttonFace = palette().color(QPalette::Button);
    for (zel::Edit* key : {&EdtcWhCode(), &Edtcinvcode()}) {
        key->setEnabled(false);
        QPalette colours = key->palette();
        colours.setColor(QPalette::Base, buttonFace);
        key->setPalette(colours);
    }
    cmdRef1().setEnabled(false);
    cmdRef2().setEnabled(false);
    EdtcWhCode().SetText(warehouseCode);
    EdtcWhName().SetText(warehouseName);
}

void FrmAddInv::ClearAllFields() {
    try {
        boxes_->Clear();
        const zel::YsTreeNode* node = tree_.SelectedItem();
        const std::string code = node ? WarehouseCodeOfKey(node->Key()) : std::string();
        EdtcWhCode().SetText(code);
        if (code.empty()) {
            return;
        }
        EdtcWhName().SetText(checks_.WarehouseName(code));
    } catch (const std::exception& error) {
        ShowInfoMessage(*context_.login.pub, error.what());
    }
}

void FrmAddInv::Fillallfields(int row) {
    if (!grid_ || row < 1 || row > grid_->Rows() - 1) {
        return;
    }
    ShowRow(RowOfGrid(context_.catalogue, *grid_, row));
    MarkQuantitiesUntouched();
    ShowButtons(GridRowNavigation(row, grid_->Rows() - 1).AtRow());
}

// The unit is chosen before the day, which its list depends on, and before the other boxes: a
// unit chosen on adding dates the count today, which a date of the row must overwrite.
void FrmAddInv::ShowRow(const CorrespondenceRow& row) {
    for (const CorrespondenceField* combo : {&Field("cFrequency"), &Field("iDays")}) {
        boxes_->Show(*combo, row.Text(*combo));
    }
    DayChosen();
    for (const CorrespondenceField& field : kCorrespondenceFields) {
        if (field.editor.value != EditorValue::kListText && row.Value(field)) {
            boxes_->Show(field, *row.Value(field));
        }
    }
    if (const auto& person = row.Value(Field("cWhPersonCode"))) {
        const std::string codeColon =
            context_.login.pub->GetResString("Zel.AA.ARCHIVE.FIELD.codecolon");
        EdtcWhPersonCode().SetUTooltipText(person->empty() ? std::string() : codeColon + *person);
    }
}

void FrmAddInv::ShowButtons(const NavigationButtons& buttons) {
    if (buttons.back) {
        SetButtonEnabled("First", *buttons.back);
        SetButtonEnabled("Previous", *buttons.back);
    }
    if (buttons.on) {
        SetButtonEnabled("Next", *buttons.on);
        SetButtonEnabled("Last", *buttons.on);
    }
}

void FrmAddInv::FillfieldsToGrid() {
    if (!grid_ || row_ < 1 || row_ > grid_->Rows() - 1) {
        return;
    }
    CorrespondenceRow shown;
    for (const CorrespondenceField& field : kCorrespondenceFields) {
        if (field.editor.writtenBack) {
            shown.Set(field, boxes_->Read(field));
        }
    }
    WriteBackToGrid(context_.catalogue, shown, *grid_, row_);
}

bool FrmAddInv::Operating(const std::string& key) {
    bool done = false;
    if (EqualsNoCase(key, "SaveRs")) {
        done = SaveRs();
    } else if (EqualsNoCase(key, "History")) {
        done = ShowRowHistory();
    } else if (EqualsNoCase(key, "Exit")) {
        close();
        done = true;
    } else if (const auto step = RowStepOfKey(key)) {
        done = Navigate(*step);
    }
    if (done) {
        RefreshToolbar();
    }
    return done;
}

bool FrmAddInv::Navigate(RowStep step) {
    if (!context_.login.pub->isSaveRs(*this) || !ButtonVisible("First") || !grid_ ||
        grid_->Rows() <= 1) {
        return false;
    }
    GridRowNavigation navigation(row_, grid_->Rows() - 1);
    const NavigationButtons buttons = navigation.Step(step);
    row_ = navigation.Row();
    Fillallfields(row_);
    ShowButtons(buttons);
    SetButtonEnabled("SaveRs", false);
    return true;
}

void FrmAddInv::OnKeyDown(int& keyCode, int shift) {
    int shiftState = shift;
    if (context_.login.pub->FrmKeyDown(*this, keyCode, shiftState)) {
        MarkChanged();
    }
    switch (keyCode) {
        case zel::kVbKeyF2:
            boxes_->PickFocused();
            break;
        case zel::kVbKeyPageUp:
            Operating(shift == zel::kVbAlt ? "First" : "Previous");
            break;
        case zel::kVbKeyPageDown:
            Operating(shift == zel::kVbAlt ? "Last" : "Next");
            break;
        case zel::kVbKeyEscape:
            if (!HasUnsavedChanges()) {
                keyCode = 0;
                Operating("Exit");
            }
            break;
        case zel::kVbKeyF6:
            if (HasUnsavedChanges()) {
                Operating("SaveRs");
                keyCode = 0;
            }
            break;
        default:
            break;
    }
}

// Enter moves on to the next field; in a check-cycle box it may save first.
void FrmAddInv::OnKeyPress(int& ascii) {
    QWidget* focused = QApplication::focusWidget();
    if (ascii != zel::kVbCharEnter) {
        return;
    }
    if (auto* combo = qobject_cast<zel::YsComboBox*>(focused)) {
        OnComboKeyPress(*combo, ascii);
    }
    if (qobject_cast<zel::Edit*>(focused) || qobject_cast<zel::YsComboBox*>(focused)) {
        ascii = 0;
        focusNextChild();
    }
}

void FrmAddInv::SetButtonEnabled(const char* key, bool enabled) {
    if (auto* button = buttons_->Buttons(key)) {
        button->SetEnabled(enabled);
    }
}

bool FrmAddInv::ButtonEnabled(const char* key) const {
    const auto* button = buttons_->Buttons(key);
    return button && button->Enabled();
}

void FrmAddInv::SetButtonVisible(const char* key, bool visible) {
    if (auto* button = buttons_->Buttons(key)) {
        button->SetVisible(visible);
    }
}

bool FrmAddInv::ButtonVisible(const char* key) const {
    const auto* button = buttons_->Buttons(key);
    return button && button->Visible();
}

bool FrmAddInv::HasUnsavedChanges() const {
    return ButtonEnabled("SaveRs");
}

void FrmAddInv::MarkChanged() {
    SetButtonEnabled("SaveRs", true);
    RefreshToolbar();
}

void FrmAddInv::RefreshToolbar() {
    RunIgnoringErrors([this] { context_.login.pub->ReRefreshYsTlb(*this); });
}

}  // namespace korvel
