#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "core/component_context.h"
#include "core/window_frame.h"
#include "host/controls/flex_grid.h"
#include "host/controls/pop_menu.h"
#include "host/controls/print/print_control.h"
#include "host/controls/splitter_bar.h"
#include "host/controls/ys_label.h"
#include "host/controls/ys_status_bar.h"
#include "host/controls/ys_tree_view.h"
#include "mainwindow/grid_filler.h"
#include "mainwindow/main_window_commands.h"
#include "mainwindow/status_clock.h"

class QMenuBar;

namespace korvel {

// The main list window: the warehouse tree, the grid of the selected warehouse's rows, the
// button bar, menus and keys. Every command, from whatever source, goes through ExecCommand.
class FrmWhInvContra final : public QDialog {
    Q_OBJECT

public:
    // The context must outlive the window.
    explicit FrmWhInvContra(ComponentContext& context, MainWindowCommands commands = {},
                            QWidget* parent = nullptr);

    // Runs the command of the key (compared without regard to case); other keys do nothing.
    void ExecCommand(const std::string& key);
    // Re-reads the selected warehouse's rows into the grid; with the root selected it only sets
    // the serial-number header.
    void DataRefresh();
    // Reloads the grid with the selected warehouse's rows that satisfy an SQL condition over the
    // grid query's columns, as the find dialog gives it. False, the user told why, when the rows
    // could not be read: the grid then keeps the rows it showed.
    bool FilterData(const std::string& condition);
    // Selects the warehouse, shows its row of the item alone in the grid and opens it in the
    // record editor as Modify does, after which the grid holds all the warehouse's rows again.
    // False, with the editor not opened, when the warehouse is not in the tree or the row not
    // among those the user may read.
    bool ModifyRowOf(const std::string& warehouse, const std::string& inventory);
    // Shows the change history of the scope's rows over the window given; nothing when the
    // history is not part of this build.
    void ShowHistory(QWidget& over, const HistoryScope& scope);
    bool HistoryAvailable() const { return bool(commands_.changeHistory); }
    // Every column of the selected warehouse's rows; nullptr with the root selected.
    std::shared_ptr<zel::IRecordset> GetInvRst();

    // The selected warehouse's code; "" for the root or no selection.
    std::string SelectedWarehouse() const;
    // The warehouse whose rows the grid holds after the last completed fill; nullopt when the
    // grid holds no warehouse's rows.
    const std::optional<std::string>& FilledWarehouse() const { return filledWarehouse_; }
    bool bFirstActivate() const { return firstActivate_; }

    ComponentContext& Context() { return context_; }
    zel::FlexGrid& Grid() { return *grid_; }
    zel::YsTreeView& Trv() { return *tree_; }
    zel::YsStatusBar& Stb() { return *statusBar_; }
    zel::ButtonBar& Tlb() { return frame_.Buttons(); }
    zel::YsToolbar& TLB2() { return frame_.Toolbar(); }
    zel::SplitterBar& PicSeparate() { return *splitter_; }
    zel::YsFrmCaption& YsFrmCaptionMgr() { return frame_.CaptionManager(); }
    zel::YsLabel& LblCaption() { return *captionLabel_; }
    zel::PrintControl& Prn() { return *prn_; }
    zel::PopMenu& PopMenuMgr() { return *popMenu_; }
    QMenuBar& Menus() { return *menuBar_; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void CreateControls();
    void ConnectControls();
    void Load();
    void DisableMissingCommands();
    void LoadHead();
    // The column headers, formatted after the columns of emptyRows when there are any.
    void LoadHead(const std::shared_ptr<zel::IRecordset>& emptyRows);
    void FirstActivate();
    void InitTree();
    void NodeClick(zel::YsTreeNode& node);
    void ShowWarehouseCaption(const zel::YsTreeNode& node);
    void ShowCaption(const std::string& caption);
    // True when the grid holds the whole of the recordset's rows.
    bool FillGrid(zel::IRecordset& recordset, const std::string& warehouse);
    void ClearGrid();
    void KeepGridAfterFailedQuery();
    void Layout();
    void OnKeyDown(int& keyCode, int shift);
    void OnGridDoubleClick();
    void OnGridMouseUp(short button, short shift, float x, float y);
    void SortGrid(int order);
    void ChoosePopupItem(const std::string& itemKey);
    void SortGridAs(const std::string& itemKey);
    void OnSplitterMouse(short phase, short button, short shift, float x, float y);

    void RunCommand(const std::string& key);
    void Add();
    void Modify();
    void Delete();
    void DeleteRow(const std::string& keyCaption, int keyColumn);
    void ShowRowNear(int row);
    void ShowRowHistory();
    void Filter();
    void ShowFilterFailure();
    void RunUnderEditLock(const std::function<void()>& work);
    bool HasOnlyRoot();
    bool GridShowsSelectedWarehouse();
    void SelectWarehouseFromSelection();
    void Unload();

    ComponentContext& context_;
    MainWindowCommands commands_;
    WindowFrame frame_;
    QMenuBar* menuBar_ = nullptr;
    QWidget* client_ = nullptr;
    QWidget* captionPanel_ = nullptr;
    zel::YsLabel* captionLabel_ = nullptr;
    zel::YsTreeView* tree_ = nullptr;
    zel::SplitterBar* splitter_ = nullptr;
    zel::FlexGrid* grid_ = nullptr;
    zel::YsStatusBar* statusBar_ = nullptr;
    zel::PrintControl* prn_ = nullptr;
    zel::PopMenu* popMenu_ = nullptr;
    pugi::xml_node quantityStyle_;
    GridFiller filler_;
    StatusClock clock_;
    std::optional<std::string> filledWarehouse_;
    bool firstActivate_ = false;
    bool closePending_ = false;
};

}  // namespace korvel
