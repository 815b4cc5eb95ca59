#include "batchadd/frm_batch_add.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSplitter>
#include <QVBoxLayout>

#include "core/common.h"
#include "core/form_key.h"
#include "core/hourglass.h"
#include "core/run_ignoring_errors.h"
#include "core/text_case.h"
#include "mainwindow/warehouse_tree.h"

namespace korvel {
namespace {

constexpr int kKeyF3 = 114;
constexpr int kKeyF6 = 117;
constexpr int kShiftCtrl = 2;

}  // namespace

FrmBatchAdd::FrmBatchAdd(ComponentContext& context, zel::YsTreeView& warehouseTree,
                         std::function<void()> dataRefresh, QWidget* parent)
    : QDialog(parent),
      context_(context),
      warehouseTree_(warehouseTree),
      dataRefresh_(std::move(dataRefresh)),
      frame_(*this, context) {
    setObjectName("FrmBatchAdd");
    CreateControls();
    ConnectControls();
    Load();
}

void FrmBatchAdd::CreateControls() {
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->setSpacing(0);
    frame->addWidget(&frame_.AddToolbars(*this));
    frame_.AddStyleFrame();

    auto* panes = new QSplitter(Qt::Horizontal, this);
    tree_ = new zel::YsTreeView(panes);
    tree_->setObjectName("Trv");
    tree_->SetCheckboxes(true);
    frameInv_ = new QGroupBox(panes);
    frameInv_->setObjectName("FrameInv");
    auto* inside = new QVBoxLayout(frameInv_);
    list_ = new zel::YsListView(frameInv_);
    list_->setObjectName("lvwInventory");
    inside->addWidget(list_);
    panes->addWidget(tree_);
    panes->addWidget(frameInv_);
    panes->setStretchFactor(1, 1);
    panes->setSizes({280, 520});
    frame->addWidget(panes, 1);

    auto* bottom = new QHBoxLayout();
    bottom->setContentsMargins(6, 3, 6, 3);
    label_ = new zel::YsLabel(this);
    label_->setObjectName("Label1");
    progress_ = new zel::ProgressStrip(this);
    progress_->setObjectName("Progress");
    bottom->addWidget(label_, 1);
    bottom->addWidget(progress_, 1);
    frame->addLayout(bottom);

    resize(800, 520);
}

void FrmBatchAdd::ConnectControls() {
    connect(&frame_.Toolbar(), &zel::YsToolbar::ButtonClick, this,
            [this](const std::string& key, const std::string&) { ExecuteCommand(key); });
    connect(tree_, &zel::YsTreeView::NodeCheck, this,
            [this](zel::YsTreeNode& node, bool checked) { CheckChildNodes(node, checked); });
    connect(&frame_.KeyHook(), &zel::YsKeyHook::KeyDown, this,
            [this](int& keyCode, int shift) { OnKeyDown(keyCode, shift); });
    connect(list_, &zel::YsListView::ItemCheck, this, [this] { ticksUnsaved_ = true; });
    connect(list_, &zel::YsListView::ItemsCheck, this, [this] { ticksUnsaved_ = true; });
}

void FrmBatchAdd::Load() {
    zel::IPub& pub = *context_.login.pub;
    RunIgnoringErrors([&] { pub.FrmUniteFont(*this); });
    RunIgnoringErrors([&] { pub.FormLayout(*this, kFormKey); });
    RunIgnoringErrors([&] { InitImageList(); });
    RunIgnoringErrors([&] { InitBatchToolBar(); });
    frame_.BindHelp(kBatchAddHelpKey);
    frame_.ShowHelpOnF1();
    progress_->SetCancelCaption(pub.GetResString("Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.cancel"));
    InitClassTree();
}

void FrmBatchAdd::InitImageList() {
    for (const char* key : {"ShowDetail", "SaveRs", "AllSel", "AllCancel", "Pos", "Exit"}) {
        frame_.Images().AddOwn(key);
    }
}

void FrmBatchAdd::InitBatchToolBar() {
    frame_.AddButtons(
        {"ShowDetail", "SaveRs", "btnSep1", "AllSel", "AllCancel", "Pos", "btnSep2", "Exit"});
    zel::IPub& pub = *context_.login.pub;
    pub.SetTlb(frame_.Buttons());
    pub.SetYsTlbStyle(*this, false);
}

// An error thrown by a command is told as a failure of the database, the only part of the work
// that fails beyond the window's own checks, and goes no further than the window.
void FrmBatchAdd::ExecuteCommand(const std::string& key) {
    if (busy_) {
        return;
    }
    if (!RunIgnoringErrors([&] { RunCommand(AsciiLower(key)); })) {
        zel::IPub& pub = *context_.login.pub;
        RunIgnoringErrors([&] {
            ShowInfoMessage(pub, pub.GetResString("Zel.AA.WHINVCONTRAPOSE.COMMON.db_failed"));
        });
    }
}

void FrmBatchAdd::RunCommand(const std::string& command) {
    if (command == "showdetail") {
        ShowDetail();
    } else if (command == "savers") {
        SaveRs();
    } else if (command == "allsel") {
        TickAllListed(true);
    } else if (command == "allcancel") {
        TickAllListed(false);
    } else if (command == "pos") {
        context_.login.pub->FindPos(*this, *list_);
    } else if (command == "exit") {
        close();
    }
}

void FrmBatchAdd::OnKeyDown(int keyCode, int shift) {
    if (keyCode == kKeyF3 && shift == kShiftCtrl) {
        ExecuteCommand("Pos");
    } else if (keyCode == kKeyF6) {
        const zel::ToolbarButton* save = frame_.Buttons().Buttons("SaveRs");
        if (save && save->Enabled()) {
            ExecuteCommand("SaveRs");
        }
    }
}

void FrmBatchAdd::ShowDetail() {
    label_->SetCaption(
        context_.login.pub->GetResString("Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.447_1"));
    label_->repaint();
    const BusyScope working = Working();
    lvwInventoryInit();
}

void FrmBatchAdd::SaveRs() {
    zel::IPub& pub = *context_.login.pub;
    if (tree_->Nodes().Count() <= 1) {
        ShowInfoMessage(pub, pub.GetResString("Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.454_1"));
        return;
    }
    {
        const Hourglass hourglass(*list_);
        label_->SetCaption(pub.GetResString("Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.458_1"));
        const BusyScope working = Working();
        SaveBatch();
    }
    if (dataRefresh_) {
        dataRefresh_();
    }
}

// The items listed are what a save stores, so select all and clear all reach them too; the
// classes keep their ticks for the next listing.
void FrmBatchAdd::TickAllListed(bool state) {
    CheckAllClasses(state);
    list_->SetAllChecked(state);
    ticksUnsaved_ = true;
}

bool FrmBatchAdd::MayDropTicks() {
    if (!ticksUnsaved_) {
        return true;
    }
    const int ticked = list_->CheckedCount();
    if (ticked == 0) {
        return true;
    }
    zel::IPub& pub = *context_.login.pub;
    const int answer = pub.MsgBox(
        pub.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.dropticks",
                               {std::to_string(ticked)}),
        zel::kMsgYesNo | zel::kMsgQuestion, pub.GetResString("Zel.AA.ARCHIVE.COMMON.exclamation"));
    if (answer != zel::kAnswerYes) {
        return false;
    }
    ticksUnsaved_ = false;
    return true;
}

std::string FrmBatchAdd::TargetWarehouse() const {
    const zel::YsTreeNode* node = warehouseTree_.SelectedItem();
    return node ? WarehouseCodeOfKey(node->Key()) : std::string();
}

// Window events run inside the loops; only the progress strip's cancel button stays live.
BusyScope FrmBatchAdd::Working() {
    return BusyScope(busy_, {&frame_.Toolbar(), tree_, frameInv_});
}

// Painting the window after every hundred rows would cost more than reading them: events run
// when a frame's time has passed since they last ran, which keeps the window as live to the eye.
void FrmBatchAdd::LetEventsRun() {
    constexpr qint64 kFrameMs = 40;
    if (!sinceEvents_.isValid() || sinceEvents_.elapsed() >= kFrameMs) {
        QCoreApplication::processEvents();
        sinceEvents_.start();
    }
}

void FrmBatchAdd::closeEvent(QCloseEvent* event) {
    if (busy_ || !MayDropTicks()) {
        event->ignore();
        return;
    }
    frame_.Unload();
    QDialog::closeEvent(event);
}

void FrmBatchAdd::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    context_.login.pub->YsTlbResize(*this);
}

void FrmBatchAdd::reject() {
    if (busy_ || !MayDropTicks()) {
        return;
    }
    frame_.Unload();
    QDialog::reject();
}

}  // namespace korvel
