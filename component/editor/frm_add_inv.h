#pragma once

#include <QDialog>
#include <memory>
#include <set>
#include <string>

#include "core/component_context.h"
#include "core/window_frame.h"
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

struct CorrespondenceField;

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
    // Runs the command of a toolbar key: "SaveRs", "First", "Previous", "Next", "Last", "Exit".
    // True when a command was carried out.
    bool Operating(const std::string& key);
    // Fixes the key fields of the row being modified: the warehouse and the item are not edited.
    void FixKeyFields(const std::string& warehouseCode, const std::string& warehouseName);

    short EditMode() const { return mode_; }
    int CurrentRow() const { return row_; }
    // Unsaved changes: the save button is live.
    bool HasUnsavedChanges() const;

    // The controls, named as the fields they hold.
    zel::Edit& EdtcWhCode() { return *whCode_; }
    zel::Edit& EdtcWhName() { return *whName_; }
    zel::Edit& Edtcinvcode() { return *invCode_; }
    zel::Edit& EdtcInvName() { return *invName_; }
    zel::Edit& EdtcInvStd() { return *invStd_; }
    zel::Edit& EdtcGroupCode() { return *groupCode_; }
    zel::Edit& EdtcGroupName() { return *groupName_; }
    zel::Edit& EdtcComunitCode() { return *unitCode_; }
    zel::Edit& EdtcComunitName() { return *unitName_; }
    zel::Edit& EdtcWhPersonCode() { return *person_; }
    zel::Edit& EdtiWastage() { return *wastage_; }
    zel::Edit& EdtdLastDate() { return *lastDate_; }
    zel::Edit& EdtiTopSum() { return *topSum_; }
    zel::Edit& EdtiLowSum() { return *lowSum_; }
    zel::Edit& EdtiSafeNum() { return *safeNum_; }
    zel::Edit& EdtiFrequency() { return *frequency_; }
    zel::YsComboBox& CbocFrequency() { return *unit_; }
    zel::YsComboBox& CboiDays() { return *days_; }
    zel::YsLabel& LblCboiDays() { return *daysLabel_; }
    zel::YsCommandButton& cmdRef1() { return *pickWarehouse_; }
    zel::YsCommandButton& cmdRef2() { return *pickInventory_; }
    zel::YsCommandButton& cmdRef3() { return *pickPerson_; }
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
    void SetTabOrder();
    zel::Edit* AddEdit(const char* name);
    zel::YsLabel* AddLabel(const char* name, const char* text);
    zel::YsCommandButton* AddPickButton(const char* name);
    void ConnectControls();
    void ConnectChecks();
    void Load();
    void InitToolBar();
    void SetLabelCaptions();
    void ApplyLimits();

    // Toolbar state.
    void SetButtonEnabled(const char* key, bool enabled);
    bool ButtonEnabled(const char* key) const;
    bool ButtonVisible(const char* key) const;
    void MarkChanged();
    void RefreshToolbar();

    // Rows of the main grid.
    void ClearAllFields();
    void ShowNavigation(int row);
    bool Navigate(const std::string& key);
    void CopyCell(const CorrespondenceField& field, const std::string& text, std::string& unitText,
                  std::string& dayText);
    std::string CellOf(const CorrespondenceField& field) const;
    void SelectUnitAndDay(const std::string& unitText, const std::string& dayText);

    // Keys.
    void OnKeyDown(int& keyCode, int shift);
    void OnKeyPress(int& ascii);
    void PickFocused();

    // Entry checks and look-ups.
    void CheckInventory();
    void CheckWarehouse();
    void CheckPerson();
    void CheckFrequency();
    void CheckWastage();
    void FormatNumberBox(zel::Edit& box);
    void FillInventory(const FoundInventory& item);
    void ClearInventoryFields();
    void InventoryTypedOver();
    void WarehouseTypedOver();
    void PersonTypedOver();
    bool IsTyping(const zel::Edit& box) const;
    bool FocusWentTo(const QWidget& widget) const;
    bool FocusStayedInWindow() const;
    void PickReference(const std::string& table, const std::string& codeField,
                       const std::string& condition, const std::string& referenceType,
                       zel::Edit& box, const std::string& classTable,
                       const std::string& classCodeField);
    void TabOutOf(zel::Edit& box);
    void EnableKeyPickers(bool enabled);

    // Check-cycle fields.
    void UnitChosen();
    void DayChosen();
    void OnComboKeyPress(zel::YsComboBox& combo, int& ascii);
    void PickDate();
    std::string Today() const;

    // Save.
    bool SaveRs();
    void CheckFocusedField();
    // stored: the quantities held for the boxes the user left alone.
    std::string WriteXML(const std::optional<StoredQuantities>& stored);
    void ResetForNext();
    void MarkQuantitiesUntouched();

    ComponentContext& context_;
    RecordEntryChecks checks_;
    zel::YsTreeView& tree_;
    WindowFrame frame_;
    zel::FlexGrid* grid_ = nullptr;
    short mode_ = 0;
    int row_ = 0;
    bool entryValid_ = true;
    // Quantity boxes the user has not typed into since the row was filled from the grid.
    std::set<const zel::Edit*> untouchedQuantities_;

    QWidget* client_ = nullptr;
    zel::YsToolbar* toolbar_ = nullptr;
    zel::YsFrame* frameAll_ = nullptr;
    zel::YsFrame* frame3_ = nullptr;
    zel::Edit* whCode_ = nullptr;
    zel::Edit* whName_ = nullptr;
    zel::Edit* invCode_ = nullptr;
    zel::Edit* invName_ = nullptr;
    zel::Edit* invStd_ = nullptr;
    zel::Edit* groupCode_ = nullptr;
    zel::Edit* groupName_ = nullptr;
    zel::Edit* unitCode_ = nullptr;
    zel::Edit* unitName_ = nullptr;
    zel::Edit* person_ = nullptr;
    zel::Edit* wastage_ = nullptr;
    zel::Edit* lastDate_ = nullptr;
    zel::Edit* topSum_ = nullptr;
    zel::Edit* lowSum_ = nullptr;
    zel::Edit* safeNum_ = nullptr;
    zel::Edit* frequency_ = nullptr;
    zel::YsComboBox* unit_ = nullptr;
    zel::YsComboBox* days_ = nullptr;
    zel::YsLabel* daysLabel_ = nullptr;
    zel::YsLabel* dayWord_ = nullptr;
    zel::YsCommandButton* pickWarehouse_ = nullptr;
    zel::YsCommandButton* pickInventory_ = nullptr;
    zel::YsCommandButton* pickPerson_ = nullptr;
    zel::YsCommandButton* pickDate_ = nullptr;
    zel::ButtonBar* buttons_ = nullptr;
    zel::YsKeyHook* keyHook_ = nullptr;
    zel::YsFrmCaption* captionManager_ = nullptr;
    zel::ImageList images_;
    zel::CalendarPicker calendar_;
    bool unloaded_ = false;
};

}  // namespace korvel
