#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "core/busy_scope.h"
#include "core/component_context.h"
#include "core/window_frame.h"
#include "host/controls/progress_strip.h"
#include "host/controls/ys_label.h"
#include "host/controls/ys_list_view.h"
#include "host/controls/ys_tree_view.h"

class QGroupBox;

namespace korvel {

// Batch add: attaches the inventory items of the checked classes to the warehouse selected in
// the main window's tree. Every command goes through ExecuteCommand.
class FrmBatchAdd final : public QDialog {
    Q_OBJECT

public:
    // The warehouse tree belongs to the main window and must outlive this window; dataRefresh
    // re-reads the main window's grid.
    FrmBatchAdd(ComponentContext& context, zel::YsTreeView& warehouseTree,
                std::function<void()> dataRefresh, QWidget* parent = nullptr);

    // "ShowDetail", "SaveRs", "AllSel", "AllCancel", "Pos", "Exit", in any letter case.
    void ExecuteCommand(const std::string& key);
    void CheckChildNodes(zel::YsTreeNode& node, bool state);
    void CheckAllClasses(bool state);
    // The query mode (InventoryListQuery::Mode) and its forward-only result.
    std::pair<int, std::shared_ptr<zel::IRecordset>> QueryInventory();
    void lvwInventoryInit();
    void SaveBatch();
    // A fill or a save is running: commands, checks and closing wait for it.
    bool Busy() const { return busy_; }

    zel::YsTreeView& Trv() { return *tree_; }
    zel::YsListView& lvwInventory() { return *list_; }
    zel::YsLabel& Label1() { return *label_; }
    zel::ProgressStrip& Progress() { return *progress_; }
    zel::ButtonBar& Tlb() { return frame_.Buttons(); }
    zel::YsToolbar& TLB2() { return frame_.Toolbar(); }
    QGroupBox& FrameInv() { return *frameInv_; }
    zel::YsFrmCaption& YsFrmCaptionMgr() { return frame_.CaptionManager(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void reject() override;

private:
    void CreateControls();
    void ConnectControls();
    void Load();
    void InitImageList();
    void InitBatchToolBar();
    void InitClassTree();
    void AddClassNodes(zel::IRecordset& classes, const std::string& codingRule);
    void RunCommand(const std::string& command);
    void OnKeyDown(int keyCode, int shift);
    void ShowDetail();
    void SaveRs();
    void TickAllListed(bool state);
    // Whether the window may close: asks first when ticked items would be dropped unsaved.
    bool MayDropTicks();
    std::string TargetWarehouse() const;
    // The window busy while the returned scope lasts: commands, checks and closing wait.
    BusyScope Working();
    void LetEventsRun();

    ComponentContext& context_;
    zel::YsTreeView& warehouseTree_;
    std::function<void()> dataRefresh_;
    WindowFrame frame_;
    bool busy_ = false;
    // Ticks given since the list was filled or last saved; closing asks before dropping them.
    bool ticksUnsaved_ = false;
    QElapsedTimer sinceEvents_;

    zel::YsTreeView* tree_ = nullptr;
    QGroupBox* frameInv_ = nullptr;
    zel::YsListView* list_ = nullptr;
    zel::YsLabel* label_ = nullptr;
    zel::ProgressStrip* progress_ = nullptr;
};

}  // namespace korvel
