#include <QCoreApplication>

#include "core/common.h"
#include "core/host_lock.h"
#include "core/run_ignoring_errors.h"
#include "mainwindow/command_keys.h"
#include "mainwindow/frm_whinv_contra.h"
#include "mainwindow/warehouse_tree.h"

namespace korvel {
namespace {

constexpr const char* kFormKey = "WhInvContrapose";
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
        case MainCommand::kPrintOrExport:
            if (commands_.printOrExport) {
                commands_.printOrExport(*this, key);
            }
            break;
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
            if (commands_.filter) {
                commands_.filter(*this);
            }
            break;
        case MainCommand::kPos:
            if (commands_.locate) {
                commands_.locate(*this);
            }
            break;
        case MainCommand::kRefresh:
            DataRefresh();
            break;
        case MainCommand::kBatchAdd:
            if (commands_.batchAdd) {
                RunUnderEditLock([this] { commands_.batchAdd(*this); });
            }
            break;
        case MainCommand::kSetFind:
            if (commands_.setFind) {
                commands_.setFind(*this);
            }
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

void FrmWhInvContra::Delete() {
    if (!commands_.deleteRow || grid_->Rows() <= 1 || !GridShowsSelectedWarehouse()) {
        return;
    }
    commands_.deleteRow(*this);
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
