#include "core/common.h"
#include "core/correspondence_fields.h"
#include "core/database_failure.h"
#include "mainwindow/frm_whinv_contra.h"
#include "mainwindow/grid_query.h"
#include "mainwindow/warehouse_tree.h"

namespace korvel {
namespace {

constexpr int kCountPanel = 3;

}  // namespace

std::string FrmWhInvContra::SelectedWarehouse() const {
    const zel::YsTreeNode* node = tree_->SelectedItem();
    return node ? WarehouseCodeOfKey(node->Key()) : std::string();
}

void FrmWhInvContra::InitTree() {
    zel::IPub& pub = *context_.login.pub;
    zel::YsTreeNode* last =
        BuildWarehouseTree(*tree_, context_.login, pub.GetResString("Zel.AA.ARCHIVE.warehouse"));
    if (!last) {
        if (auto* root = tree_->Nodes().Find(std::string(kRootNodeKey))) {
            root->SetSelected(true);
        }
        return;
    }
    last->SetSelected(true);
    pub.SetTreeStyle(*tree_, *this);
    NodeClick(*last);
}

void FrmWhInvContra::NodeClick(zel::YsTreeNode& node) {
    if (node.Key() == kRootNodeKey) {
        ShowCaption(context_.catalogue.sTableTitle);
        ShowInfoMessage(*context_.login.pub,
                        context_.login.pub->GetResString("Zel.AA.WHINVCONTRAPOSE.FRMMAIN.408_1"));
        return;
    }
    ShowWarehouseCaption(node);
    DataRefresh();
}

void FrmWhInvContra::ShowWarehouseCaption(const zel::YsTreeNode& node) {
    ShowCaption(context_.catalogue.sTableTitle + "-" + node.Text());
}

// The caption panel repeats the window's caption: a window frame may not show a title at all.
void FrmWhInvContra::ShowCaption(const std::string& caption) {
    frame_.CaptionManager().SetCaption(caption);
    captionLabel_->SetCaption(caption);
}

void FrmWhInvContra::LoadHead() {
    LoadHead(context_.login.db->OpenX(GridColumnsQuery(context_.catalogue)));
}

void FrmWhInvContra::LoadHead(const std::shared_ptr<zel::IRecordset>& emptyRows) {
    const auto& caption = context_.catalogue.arrFldCaption;
    const FieldList columns = FieldsInGridOrder();
    grid_->SetCols(static_cast<int>(columns.size()) + 1);
    grid_->SetRows(1);
    grid_->SetFixedRows(1);
    for (const CorrespondenceField* field : columns) {
        grid_->SetTextMatrix(0, field->grid.column,
                             caption[static_cast<std::size_t>(field->catalogue.captionIndex)]);
    }
    if (emptyRows) {
        context_.login.pub->FormatGrid(*grid_, emptyRows, "");
    }
}

void FrmWhInvContra::DataRefresh() {
    grid_->SetTextMatrix(0, 0,
                         context_.login.pub->GetResString("Zel.AA.ARCHIVE.COMMON.serialnumber"));
    const std::string warehouse = SelectedWarehouse();
    if (warehouse.empty()) {
        return;
    }
    filler_.Supersede();
    std::string query = WarehouseRowsQuery(context_.catalogue, warehouse, context_.login.sAuthInv);
    const auto rows = context_.login.db->OpenX(query);
    if (!rows) {
        KeepGridAfterFailedQuery();
        TellDatabaseFailure(context_.login);
        return;
    }
    FillGrid(*rows, warehouse);
}

// What the grid showed stays, under its own warehouse, so that an unreachable database never
// looks like a warehouse without rows. Only a fill cut short by this refresh leaves rows that
// belong to nothing.
void FrmWhInvContra::KeepGridAfterFailedQuery() {
    if (filler_.Filling() || !filledWarehouse_) {
        ClearGrid();
        return;
    }
    if (SelectedWarehouse() == *filledWarehouse_) {
        return;
    }
    if (zel::YsTreeNode* node = tree_->Nodes().Find(WarehouseNodeKey(*filledWarehouse_))) {
        node->SetSelected(true);
        ShowWarehouseCaption(*node);
    }
}

bool FrmWhInvContra::FillGrid(zel::IRecordset& recordset, const std::string& warehouse) {
    const GridFiller::Target target{
        *grid_, *context_.login.pub, quantityStyle_, context_.catalogue,
        [this](const std::string& text) { statusBar_->SetPanelText(kCountPanel, text); }};
    const GridFiller::Outcome outcome = filler_.Fill(recordset, target);
    switch (outcome) {
        case GridFiller::Outcome::kCompleted:
            filledWarehouse_ = warehouse;
            break;
        case GridFiller::Outcome::kFailed:
            ClearGrid();
            TellDatabaseFailure(context_.login);
            break;
        case GridFiller::Outcome::kInterrupted:
            break;
    }
    if (closePending_ && !filler_.Filling()) {
        QMetaObject::invokeMethod(
            this, [this] { Unload(); }, Qt::QueuedConnection);
    }
    return outcome == GridFiller::Outcome::kCompleted;
}

// Rows that are not a whole list must not stand as one: neither they nor a count stay.
void FrmWhInvContra::ClearGrid() {
    grid_->SetRows(1);
    grid_->SetRedraw(true);
    filledWarehouse_.reset();
    statusBar_->SetPanelText(kCountPanel, {});
}

std::shared_ptr<zel::IRecordset> FrmWhInvContra::GetInvRst() {
    const std::string warehouse = SelectedWarehouse();
    if (warehouse.empty()) {
        return nullptr;
    }
    std::string query = WarehouseRecordsQuery(warehouse);
    return context_.login.db->OpenX(query);
}

}  // namespace korvel
