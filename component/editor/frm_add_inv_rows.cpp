#include <QApplication>
#include <algorithm>
#include <stdexcept>

#include "core/common.h"
#include "core/const.h"
#include "core/correspondence_fields.h"
#include "core/run_ignoring_errors.h"
#include "core/text_case.h"
#include "editor/field_box.h"
#include "editor/frm_add_inv.h"
#include "editor/grid_row_fields.h"
#include "host/controls/vb_input_codes.h"
#include "mainwindow/warehouse_tree.h"

namespace korvel {
namespace {

// The box that the field table names for the field.
template <class Box>
Box& BoxOf(const QObject& window, const CorrespondenceField& field) {
    Box* box = FieldBox<Box>(window, field);
    if (!box) {
        throw std::logic_error("the editor has no box " + std::string(field.editor.box));
    }
    return *box;
}

}  // namespace

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
    RefreshToolbar();
}

void FrmAddInv::FixKeyFields(const std::string& warehouseCode, const std::string& warehouseName) {
    const QColor buttonFace = palette().color(QPalette::Button);
    for (zel::Edit* key : {whCode_, invCode_}) {
        key->setEnabled(false);
        QPalette colours = key->palette();
        colours.setColor(QPalette::Base, buttonFace);
        key->setPalette(colours);
    }
    pickWarehouse_->setEnabled(false);
    pickInventory_->setEnabled(false);
    whCode_->SetText(warehouseCode);
    whName_->SetText(warehouseName);
}

void FrmAddInv::ClearAllFields() {
    try {
        for (zel::YsComboBox* combo : findChildren<zel::YsComboBox*>()) {
            combo->SetListIndex(-1);
        }
        for (zel::Edit* edit : findChildren<zel::Edit*>()) {
            edit->SetText({});
            edit->SetUTooltipText({});
        }
        person_->SetTag({});
        const zel::YsTreeNode* node = tree_.SelectedItem();
        const std::string code = node ? WarehouseCodeOfKey(node->Key()) : std::string();
        whCode_->SetText(code);
        if (code.empty()) {
            return;
        }
        whName_->SetText(checks_.WarehouseName(code));
    } catch (const std::exception& error) {
        ShowInfoMessage(*context_.login.pub, error.what());
    }
}

void FrmAddInv::Fillallfields(int row) {
    if (!grid_ || row < 1 || row > grid_->Rows() - 1) {
        return;
    }
    std::string unitText;
    std::string dayText;
    for (int col = 1; col < grid_->Cols(); ++col) {
        const auto caption = CaptionIndexOfHeader(context_.catalogue, grid_->TextMatrix(0, col));
        if (caption) {
            CopyCell(*FieldOfCaption(*caption), grid_->TextMatrix(row, col), unitText, dayText);
        }
    }
    SelectUnitAndDay(unitText, dayText);
    MarkQuantitiesUntouched();
    ShowNavigation(row);
}

// A combo box's text is held until every cell is read: the unit must be chosen before the day,
// whatever the order of the grid's columns.
void FrmAddInv::CopyCell(const CorrespondenceField& field, const std::string& text,
                         std::string& unitText, std::string& dayText) {
    switch (field.editor.value) {
        case EditorValue::kText:
            BoxOf<zel::Edit>(*this, field).SetText(text);
            break;
        case EditorValue::kTag: {
            zel::Edit& box = BoxOf<zel::Edit>(*this, field);
            box.SetTag(text);
            box.SetUTooltipText(
                text.empty()
                    ? std::string()
                    : context_.login.pub->GetResString("Zel.AA.ARCHIVE.FIELD.codecolon") + text);
            break;
        }
        case EditorValue::kListText:
            (&BoxOf<zel::YsComboBox>(*this, field) == unit_ ? unitText : dayText) = text;
            break;
        case EditorValue::kNone:
            break;
    }
}

void FrmAddInv::SelectUnitAndDay(const std::string& unitText, const std::string& dayText) {
    // The first item equal to the text, exactly; nothing when there is none. Selecting raises
    // the box's click, which rebuilds the day list after a unit.
    auto select = [](zel::YsComboBox& combo, const std::string& text) {
        combo.SetListIndex(combo.findText(QString::fromStdString(text),
                                          Qt::MatchExactly | Qt::MatchCaseSensitive));
    };
    select(*unit_, unitText);
    select(*days_, dayText);
    DayChosen();
}

void FrmAddInv::ShowNavigation(int row) {
    if (row == 1) {
        SetButtonEnabled("First", false);
        SetButtonEnabled("Previous", false);
    } else if (row == grid_->Rows() - 1) {
        SetButtonEnabled("Next", false);
        SetButtonEnabled("Last", false);
    }
}

std::string FrmAddInv::CellOf(const CorrespondenceField& field) const {
    switch (field.editor.value) {
        case EditorValue::kText:
            return BoxOf<zel::Edit>(*this, field).Text();
        case EditorValue::kTag:
            return BoxOf<zel::Edit>(*this, field).Tag();
        case EditorValue::kListText:
            return BoxOf<zel::YsComboBox>(*this, field).Text();
        case EditorValue::kNone:
            break;
    }
    return {};
}

void FrmAddInv::FillfieldsToGrid() {
    if (!grid_ || row_ < 1 || row_ > grid_->Rows() - 1) {
        return;
    }
    for (int col = 1; col < grid_->Cols(); ++col) {
        const auto caption = CaptionIndexOfHeader(context_.catalogue, grid_->TextMatrix(0, col));
        if (caption && IsWrittenBack(*caption)) {
            grid_->SetTextMatrix(row_, col, CellOf(*FieldOfCaption(*caption)));
        }
    }
}

bool FrmAddInv::Operating(const std::string& key) {
    bool done = false;
    if (EqualsNoCase(key, "SaveRs")) {
        done = SaveRs();
    } else if (EqualsNoCase(key, "Exit")) {
        close();
        done = true;
    } else {
        done = Navigate(key);
    }
    if (done) {
        RefreshToolbar();
    }
    return done;
}

bool FrmAddInv::Navigate(const std::string& key) {
    const bool first = EqualsNoCase(key, "First");
    const bool previous = EqualsNoCase(key, "Previous");
    const bool next = EqualsNoCase(key, "Next");
    const bool last = EqualsNoCase(key, "Last");
    if (!(first || previous || next || last)) {
        return false;
    }
    if (!context_.login.pub->isSaveRs(*this) || !ButtonVisible("First") || !grid_ ||
        grid_->Rows() <= 1) {
        return false;
    }
    const int lastRow = grid_->Rows() - 1;
    auto enableBack = [this](bool enabled) {
        SetButtonEnabled("First", enabled);
        SetButtonEnabled("Previous", enabled);
    };
    auto enableOn = [this](bool enabled) {
        SetButtonEnabled("Next", enabled);
        SetButtonEnabled("Last", enabled);
    };
    if (first) {
        row_ = 1;
    } else if (previous) {
        row_ = std::max(1, row_ - 1);
    } else if (next) {
        row_ = std::min(lastRow, row_ + 1);
    } else {
        row_ = lastRow;
    }
    Fillallfields(row_);
    if (first || last) {
        enableBack(last);
        enableOn(first);
    } else if (previous) {
        enableOn(true);
        enableBack(row_ > 1);
    } else {
        enableBack(true);
        enableOn(row_ < lastRow);
    }
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
            PickFocused();
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

void FrmAddInv::PickFocused() {
    QWidget* focused = QApplication::focusWidget();
    const std::pair<QWidget*, zel::YsCommandButton*> pickers[] = {{whCode_, pickWarehouse_},
                                                                  {invCode_, pickInventory_},
                                                                  {person_, pickPerson_},
                                                                  {lastDate_, pickDate_}};
    for (const auto& [field, button] : pickers) {
        if (focused == field && button->isEnabled()) {
            button->click();
        }
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
