#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "core/component_context.h"
#include "core/window_frame.h"
#include "editor/editor_boxes.h"
#include "editor/grid_row_navigation.h"
#include "editor/record_entry_checks.h"
#include "host/controls/button_bar.h"
#include "host/controls/calendar_picker.h"
#include "host/controls/edit_box.h"
#include "host/controls/flex_grid.h"
#include "host/controls/image_list.h"
#include "host/controls/ys_combo_box.h"
#include "host/controls/ys_command_button.h"
#include "host/controls/ys_frame.h"
#include "host/controls/ys_frm_caption.h"
#include "host/controls/ys_key_hook.h"
#include "host/controls/ys_label.h"
#include "host/controls/ys_toolbar.h"
#include "host/controls/ys_tree_view.h"

namespace korvel {

// The record editor: adds rows to the warehouse selected in the main window's tree, or modifies
// the main grid's rows one by one. Every command goes through Operating.
class FrmAddInv final : public QDialog {
    Q_OBJECT

public:
    enum Mode : short { kAdd = 1, kModify = 2 };

    // The tree gives the warehouse of a new row; both belong to the main window and must
    // outlive the editor.
    FrmAddInv(ComponentContext& context, zel::YsTreeView& tree, QWidget* parent = nullptr);

    void InitData(short mode, zel::FlexGrid& grid, int row);
    void Fillallfields(int row);
    void FillfieldsToGrid();
    // Clears the combo box, adds the texts and selects the list index (-1: nothing).
    void AddCmbItems(zel::YsComboBox& combo, const std::vector<std::string>& texts,
                     short listIndex);
    // Runs the command of a toolbar key: "SaveRs", "First", "Previous", "Next", "Last",
    // "History", "Exit".
    // True when a command was carried out.
    bool Operating(const std::string& key);
    // Fixes the key fields of the row being modified: the warehouse and the item are not edited.
    void FixKeyFields(const std::string& warehouseCode, const std::string& warehouseName);
    // Shows the change history of the warehouse's item over the editor.
    using RowHistory = std::function<void(QWidget& over, const std::string& warehouse,
                                          const std::string& inventory)>;
    // Offers the history of the row being modified ("History"); after InitData.
    void SetRowHistory(RowHistory show);
    // Adding: fills the boxes with a row to add again, for the editor's rules to decide on, as
    // if the user had typed it; saved runs once, right after it was saved.
    void FillForAdding(const CorrespondenceRow& row, std::function<void()> saved);

    short EditMode() const { return mode_; }
    int CurrentRow() const { return row_; }
    // Unsaved changes: the save button is live.
    bool HasUnsavedChanges() const;

    // The controls, named as the fields they hold.
    zel::Edit& EdtcWhCode() { return boxes_->Edit(Field("cWhCode")); }
    zel::Edit& EdtcWhName() { return boxes_->Edit(Field("cWhName")); }
    zel::Edit& Edtcinvcode() { return boxes_->Edit(Field("cInvCode")); }
    zel::Edit& EdtcInvName() { return boxes_->Edit(Field("cInvName")); }
    zel::Edit& EdtcInvStd() { return boxes_->Edit(Field("cInvStd")); }
    zel::Edit& EdtcGroupCode() { return boxes_->Edit(Field("cGroupCode")); }
    zel::Edit& EdtcGroupName() { return boxes_->Edit(Field("cGroupName")); }
    zel::Edit& EdtcComunitCode() { return boxes_->Edit(Field("cComunitCode")); }
    zel::Edit& EdtcComunitName() { return boxes_->Edit(Field("cComUnitName")); }
    zel::Edit& EdtcWhPersonCode() { return boxes_->Edit(Field("cWhPersonCode")); }
    zel::Edit& EdtiWastage() { return boxes_->Edit(Field("iWastage")); }
    zel::Edit& EdtdLastDate() { return boxes_->Edit(Field("dLastDate")); }
    zel::Edit& EdtiTopSum() { return boxes_->Edit(Field("iTopSum")); }
    zel::Edit& EdtiLowSum() { return boxes_->Edit(Field("iLowSum")); }
    zel::Edit& EdtiSafeNum() { return boxes_->Edit(Field("iSafeNum")); }
    zel::Edit& EdtiFrequency() { return boxes_->Edit(Field("iFrequency")); }
    zel::YsComboBox& CbocFrequency() { return boxes_->Combo(Field("cFrequency")); }
    zel::YsComboBox& CboiDays() { return boxes_->Combo(Field("iDays")); }
    zel::YsLabel& LblCboiDays() { return *daysLabel_; }
    zel::YsCommandButton& cmdRef1() { return PickerOf(Field("cWhCode")); }
    zel::YsCommandButton& cmdRef2() { return PickerOf(Field("cInvCode")); }
    zel::YsCommandButton& cmdRef3() { return PickerOf(Field("cWhPersonCode")); }
    zel::YsCommandButton& CmdDate() { return *pickDate_; }
    zel::ButtonBar& Tlb() { return *buttons_; }
    zel::YsToolbar& TLB2() { return *toolbar_; }
    zel::YsFrmCaption& YsFrmCaptionMgr() { return *captionManager_; }
    zel::CalendarPicker& Calendar() { return calendar_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void reject() override;

private:
    // Window construction and load.
    void CreateControls();
    void CreateFieldGrid();
    void ConnectControls();
    void ConnectChecks();
    void Load();
    void InitToolBar();
    void SetLabelCaptions();
    void ApplyLimits();
    // The box of a field, to wire the checks that belong to that field.
    zel::Edit& BoxOf(const CorrespondenceField& field) const { return boxes_->Edit(field); }
    zel::YsCommandButton& PickerOf(const CorrespondenceField& field) const {
        return *boxes_->Picker(field);
    }

    // Toolbar state.
    void SetButtonEnabled(const char* key, bool enabled);
    bool ButtonEnabled(const char* key) const;
    bool ButtonVisible(const char* key) const;
    void SetButtonVisible(const char* key, bool visible);
    void MarkChanged();
    void RefreshToolbar();

    // Rows of the main grid.
    void ClearAllFields();
    void ShowButtons(const NavigationButtons& buttons);
    bool Navigate(RowStep step);
    bool ShowRowHistory();
    // The row's set fields into their boxes; the unit and the day are always chosen.
    void ShowRow(const CorrespondenceRow& row);

    // Keys.
    void OnKeyDown(int& keyCode, int shift);
    void OnKeyPress(int& ascii);

    // Entry checks and look-ups.
    void CheckInventory();
    void CheckWarehouse();
    void CheckPerson();
    void CheckFrequency();
    void CheckWastage();
    bool CheckStockLimits();
    void FormatNumberBox(zel::Edit& box);
    void FillInventory(const FoundInventory& item);
    void ClearInventoryFields();
    void InventoryTypedOver();
    void WarehouseTypedOver();
    void PersonTypedOver();
    bool FocusWentTo(const QWidget& widget) const;
    bool FocusStayedInWindow() const;
    // Fills the field's box from its picker.
    void PickInto(const CorrespondenceField& field);
    void TabOutOf(zel::Edit& box);
    void EnableKeyPickers(bool enabled);

    // Check-cycle fields.
    void UnitChosen();
    void DayChosen();
    void OnComboKeyPress(zel::YsComboBox& combo, int& ascii);
    void PickDate();
    std::string Today() const;
    bool CheckLastDate();

    // Save.
    bool SaveRs();
    void CheckFocusedField();
    // stored: the quantities held for the boxes the user left alone.
    std::string WriteXML(const std::optional<StoredQuantities>& stored);
    void ResetForNext();
    void FocusForNext(QWidget* focused);
    void MarkQuantitiesUntouched();

    ComponentContext& context_;
    RecordEntryChecks checks_;
    zel::YsTreeView& tree_;
    WindowFrame frame_;
    zel::FlexGrid* grid_ = nullptr;
    short mode_ = 0;
    int row_ = 0;
    bool entryValid_ = true;
    // Quantity fields the user has not typed into since the row was filled from the grid.
    std::set<const CorrespondenceField*> untouchedQuantities_;

    zel::YsToolbar* toolbar_ = nullptr;
    zel::YsFrame* frameAll_ = nullptr;
    zel::YsFrame* frame3_ = nullptr;
    std::unique_ptr<EditorBoxes> boxes_;
    // The check-cycle boxes and the date's picker under the names the cycle's handlers use.
    zel::YsComboBox* unit_ = nullptr;
    zel::YsComboBox* days_ = nullptr;
    zel::Edit* lastDate_ = nullptr;
    zel::YsLabel* daysLabel_ = nullptr;
    zel::YsCommandButton* pickDate_ = nullptr;
    zel::ButtonBar* buttons_ = nullptr;
    zel::YsKeyHook* keyHook_ = nullptr;
    zel::YsFrmCaption* captionManager_ = nullptr;
    zel::CalendarPicker calendar_;
    RowHistory rowHistory_;
    std::function<void()> filledRowSaved_;
};

}  // namespace korvel
