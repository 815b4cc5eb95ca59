#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "core/component_context.h"
#include "host/controls/button_bar.h"
#include "host/controls/image_list.h"
#include "host/controls/mouse_pointer.h"
#include "host/controls/progress_strip.h"
#include "host/controls/ys_frame.h"
#include "host/controls/ys_frm_caption.h"
#include "host/controls/ys_key_hook.h"
#include "host/controls/ys_label.h"
#include "host/controls/ys_list_view.h"
#include "host/controls/ys_toolbar.h"
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
    zel::ButtonBar& Tlb() { return *buttons_; }
    zel::YsToolbar& TLB2() { return *toolbar_; }
    QGroupBox& FrameInv() { return *frameInv_; }
    zel::YsFrmCaption& YsFrmCaptionMgr() { return *captionManager_; }

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
    void OnKeyDown(int keyCode, int shift);
    void ShowDetail();
    void SaveRs();
    std::string TargetWarehouse() const;
    void SetWorking(bool working);
    void LetEventsRun();
    void Unload();

    ComponentContext& context_;
    zel::YsTreeView& warehouseTree_;
    std::function<void()> dataRefresh_;
    bool busy_ = false;
    bool unloaded_ = false;
    QElapsedTimer sinceEvents_;

    zel::YsToolbar* toolbar_ = nullptr;
    zel::YsFrame* frame3_ = nullptr;
    zel::YsTreeView* tree_ = nullptr;
    QGroupBox* frameInv_ = nullptr;
    zel::YsListView* list_ = nullptr;
    zel::YsLabel* label_ = nullptr;
    zel::ProgressStrip* progress_ = nullptr;
    zel::ButtonBar* buttons_ = nullptr;
    zel::YsKeyHook* keyHook_ = nullptr;
    zel::YsFrmCaption* captionManager_ = nullptr;
    zel::ImageList images_;
};

}  // namespace korvel
