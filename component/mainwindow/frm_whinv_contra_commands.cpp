#include <QCoreApplication>
#include <algorithm>

#include "core/common.h"
#include "core/database_failure.h"
#include "core/form_key.h"
#include "core/host_lock.h"
#include "core/run_ignoring_errors.h"
#include "core/text_escaping.h"
#include "mainwindow/command_keys.h"
#include "mainwindow/frm_whinv_contra.h"
#include "mainwindow/grid_query.h"
#include "mainwindow/key_column.h"
#include "mainwindow/print_all.h"
#include "mainwindow/print_control_target.h"
#include "mainwindow/warehouse_tree.h"

namespace korvel {
namespace {

// The find dialog keeps its field set-up under this caption.
constexpr const char* kFindCaption = "仓库存货对照";
constexpr int kAddMode = 1;
constexpr int kModifyMode = 2;

}  // namespace

void FrmWhInvContra::ExecCommand(const std::string& key) {
    RunIgnoringErrors(
        [&] { context_.login.pub->HelpShow(QCoreApplication::instance(), key, *this); });
    RunIgnoringErrors([&] { RunCommand(key); });
}

void FrmWhInvContra::RunCommand(const std::string& key) {
    const auto command = MatchMainCommand(key);
    if (!command) {
        return;
    }
    zel::IPub& pub = *context_.login.pub;
    switch (*command) {
        case MainCommand::kPrintOrExport: {
            PrintControlTarget prn(*prn_);
            PrintSubject subject = MainGridSubject(context_.catalogue);
            subject.warehouse = SelectedWarehouseHeading(pub, *tree_);
            PrintAll(context_, subject, *this, key, *grid_, prn);
            break;
        }
        case MainCommand::kAdd:
            Add();
            break;
        case MainCommand::kModify:
            Modify();
            break;
        case MainCommand::kDelete:
            Delete();
            break;
        case MainCommand::kMulModify:
            if (commands_.mulModify) {
                RunUnderEditLock([this] { commands_.mulModify(*this); });
            }
            break;
        case MainCommand::kFilter:
            Filter();
            break;
        case MainCommand::kPos:
            pub.FindPos(*this, *grid_);
            break;
        case MainCommand::kRefresh:
            DataRefresh();
            break;
        case MainCommand::kBatchAdd:
            if (commands_.batchAdd) {
                RunUnderEditLock([this] { commands_.batchAdd(*this); });
            }
            break;
        case MainCommand::kDueChecks:
            if (commands_.dueChecks) {
                commands_.dueChecks(*this);
            }
            break;
        case MainCommand::kHistory:
            ShowHistory(*this, {.warehouse = SelectedWarehouse()});
            break;
        case MainCommand::kRowHistory:
            ShowRowHistory();
            break;
        case MainCommand::kImport:
            if (commands_.importRows) {
                commands_.importRows(*this);
            }
            break;
        case MainCommand::kSetAside:
            if (commands_.setAside) {
                commands_.setAside(*this, /*opening=*/false);
            }
            break;
        case MainCommand::kSetFind:
            pub.FindSet(*context_.login.login, kFindCaption, *this);
            break;
        case MainCommand::kHelp:
        case MainCommand::kAbout:
            // The help was shown by HelpShow above; sending F1 back to the window would run this
            // command again without end.
            break;
        case MainCommand::kStatusBarOption:
            pub.FrmOpt(*this, key, kFormKey);
            Layout();
            break;
        case MainCommand::kTextButtonOption:
        case MainCommand::kPrintNumberOption:
            pub.FrmOpt(*this, key, kFormKey);
            break;
        case MainCommand::kExit:
            Unload();
            break;
    }
}

// The lock is released when the work ends, however it ends.
void FrmWhInvContra::RunUnderEditLock(const std::function<void()>& work) {
    const auto lock = HostLock::Take(context_.login.pub, context_.login.db, context_.login.login,
                                     kFormKey, zel::kLockEdit);
    if (lock) {
        work();
    }
}

bool FrmWhInvContra::HasOnlyRoot() {
    if (tree_->Nodes().Count() > 1) {
        return false;
    }
    ShowInfoMessage(*context_.login.pub,
                    context_.login.pub->GetResString("Zel.AA.WHINVCONTRAPOSE.FRMMAIN.770_1"));
    return true;
}

// The tree and the grid disagree after a failed refresh or a click on the root: rows are only
// changed while the grid shows the selected warehouse.
bool FrmWhInvContra::GridShowsSelectedWarehouse() {
    const std::string selected = SelectedWarehouse();
    if (!selected.empty() && filledWarehouse_ == selected) {
        return true;
    }
    ShowInfoMessage(*context_.login.pub,
                    context_.login.pub->GetResString("Zel.AA.WHINVCONTRAPOSE.FRMMAIN.408_1"));
    return false;
}

void FrmWhInvContra::Add() {
    if (!commands_.editRecord || HasOnlyRoot()) {
        return;
    }
    RunUnderEditLock([this] {
        SelectWarehouseFromSelection();
        commands_.editRecord(*this, kAddMode, 0);
        DataRefresh();
    });
}

void FrmWhInvContra::Modify() {
    if (!commands_.editRecord || HasOnlyRoot() || grid_->Rows() <= 1 ||
        !GridShowsSelectedWarehouse()) {
        return;
    }
    // The editor opens on the row where the selection ends: after a shift-click that is the
    // clicked row, not the anchor.
    RunUnderEditLock([this] {
        commands_.editRecord(*this, kModifyMode, grid_->RowSel());
        DataRefresh();
    });
}

bool FrmWhInvContra::ModifyRowOf(const std::string& warehouse, const std::string& inventory) {
    zel::YsTreeNode* node = tree_->Nodes().Find(WarehouseNodeKey(warehouse));
    if (node == nullptr) {
        return false;
    }
    node->SetSelected(true);
    ShowWarehouseCaption(*node);
    if (!FilterData("WhInvContrapose.cInvCode=" + SqlQuoted(inventory))) {
        return false;
    }
    if (grid_->Rows() < 2) {
        DataRefresh();
        return false;
    }
    grid_->SetRow(1);
    Modify();
    return true;
}

void FrmWhInvContra::Delete() {
    if (grid_->Rows() <= 1 || grid_->Row() == 0 || !GridShowsSelectedWarehouse()) {
        return;
    }
    zel::IPub& pub = *context_.login.pub;
    const std::string keyCaption = pub.GetResString("Zel.AA.ARCHIVE.FIELD.cinvcode");
    const std::optional<int> keyColumn = KeyColumn(*grid_, keyCaption);
    if (!keyColumn) {
        ShowInfoMessage(pub, pub.GetResString("Zel.AAARCHIVE.COMMON.nokeycol_nodel"));
        return;
    }
    RunUnderEditLock([&] { DeleteRow(keyCaption, *keyColumn); });
}

// The row where the selection ends, as for Modify. The grid is read again whatever the service
// answered: a failed call may still have removed the row.
void FrmWhInvContra::DeleteRow(const std::string& keyCaption, int keyColumn) {
    zel::IPub& pub = *context_.login.pub;
    const std::string code = grid_->TextMatrix(grid_->RowSel(), keyColumn);
    const std::string question =
        pub.GetResFormatString("Zel.AAARCHIVE.COMMON.del_contra_ornot", {keyCaption, code});
    if (pub.MsgBox(question, zel::kMsgYesNo + zel::kMsgExclamation,
                   pub.GetResString("Zel.AA.ARCHIVE.COMMON.exclamation")) != zel::kAnswerYes) {
        return;
    }
    std::string message;
    bool deleted = false;
    const bool ran = RunIgnoringErrors([&] {
        deleted = context_.login.db->Delete(DeleteCondition(code, SelectedWarehouse()), "cInvCode",
                                            kFormKey, message, context_.login.login->cUserId());
    });
    if (ran && !deleted) {
        ShowInfoMessage(pub, message);
    }
    const int place = grid_->RowSel();
    DataRefresh();
    ShowRowNear(place);
}

// After the rows are read again the user stays in place: on the row that moved into the
// place, or on the last row when the place is gone.
void FrmWhInvContra::ShowRowNear(int row) {
    if (grid_->Rows() > 1) {
        grid_->SetRow(std::clamp(row, 1, grid_->Rows() - 1));
    }
}

void FrmWhInvContra::ShowHistory(QWidget& over, const HistoryScope& scope) {
    if (commands_.changeHistory) {
        commands_.changeHistory(*this, over, scope);
    }
}

// The row where the selection ends, as for Modify.
void FrmWhInvContra::ShowRowHistory() {
    if (grid_->Rows() <= 1 || grid_->RowSel() < 1 || !GridShowsSelectedWarehouse()) {
        return;
    }
    zel::IPub& pub = *context_.login.pub;
    const std::optional<int> keyColumn =
        KeyColumn(*grid_, pub.GetResString("Zel.AA.ARCHIVE.FIELD.cinvcode"));
    if (keyColumn) {
        ShowHistory(*this, {.warehouse = SelectedWarehouse(),
                            .inventory = grid_->TextMatrix(grid_->RowSel(), *keyColumn)});
    }
}

void FrmWhInvContra::Filter() {
    std::string condition;
    context_.login.pub->Find(*context_.login.login, kFindCaption, *this, condition);
    if (!condition.empty()) {
        FilterData(condition);
    }
}

// With the root selected the warehouse code is empty and nothing is found. The headers are read
// before the rows, so that the rows' result is not the one left waiting.
bool FrmWhInvContra::FilterData(const std::string& condition) {
    filler_.Supersede();
    const auto head = context_.login.db->OpenX(GridColumnsQuery(context_.catalogue));
    const std::string warehouse = SelectedWarehouse();
    const auto rows = context_.login.db->OpenX(
        FilteredRowsQuery(context_.catalogue, warehouse, condition, context_.login.sAuthInv));
    if (!rows) {
        KeepGridAfterFailedQuery();
        ShowFilterFailure();
        return false;
    }
    LoadHead(head);
    if (rows->Eof()) {  // not RecordCount: that would read every row before the first screen
        ShowInfoMessage(*context_.login.pub,
                        context_.login.pub->GetResString("Zel.AA.ARCHIVE.COMMON.findnothing"));
    }
    return FillGrid(*rows, warehouse);
}

// A condition the database rejects would otherwise look like one that found nothing; a database
// that cannot be reached is not the condition's fault.
void FrmWhInvContra::ShowFilterFailure() {
    if (TellIfDisconnected(context_.login)) {
        return;
    }
    zel::IPub& pub = *context_.login.pub;
    const std::string reason = context_.login.db->LastError();
    ShowInfoMessage(
        pub, reason.empty() ? pub.GetResString("Zel.AA.WHINVCONTRAPOSE.FRMMAIN.filter_failed")
                            : pub.GetResFormatString(
                                  "Zel.AA.WHINVCONTRAPOSE.FRMMAIN.filter_failed_reason", {reason}));
}

// From the selected node on, the first node without children is a warehouse.
void FrmWhInvContra::SelectWarehouseFromSelection() {
    const zel::YsTreeNode* selected = tree_->SelectedItem();
    auto& nodes = tree_->Nodes();
    for (int index = selected ? selected->Index() : 1; index <= nodes.Count(); ++index) {
        zel::YsTreeNode* node = nodes.Item(index);
        node->SetExpanded(true);
        if (node->Children() == 0) {
            node->SetSelected(true);
            ShowWarehouseCaption(*node);
            return;
        }
    }
}

}  // namespace korvel
