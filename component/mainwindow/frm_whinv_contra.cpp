#include "mainwindow/frm_whinv_contra.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QVBoxLayout>

#include "core/common.h"
#include "core/const.h"
#include "core/form_key.h"
#include "core/run_ignoring_errors.h"
#include "host/controls/mouse_pointer.h"
#include "host/controls/twips.h"
#include "mainwindow/command_keys.h"
#include "mainwindow/main_menus.h"
#include "mainwindow/main_toolbar.h"
#include "mainwindow/main_window_layout.h"
#include "mainwindow/print_all.h"

namespace korvel {
namespace {

constexpr double kDefaultWidth = 15000;
constexpr double kDefaultHeight = 9600;
constexpr double kDefaultTreeWidth = 3000;
constexpr int kCaptionPanelPixels = 30;
// The pop-up menu's item and the command of the row's history.
constexpr const char* kRowHistoryKey = "RowHistory";

void Place(QWidget& widget, const TwipsRect& rect, const zel::Twips& twips) {
    widget.setGeometry(twips.ToPixelsX(rect.left), twips.ToPixelsY(rect.top),
                       twips.ToPixelsX(rect.width), twips.ToPixelsY(rect.height));
}

}  // namespace

FrmWhInvContra::FrmWhInvContra(ComponentContext& context, MainWindowCommands commands,
                               QWidget* parent)
    : QDialog(parent),
      context_(context),
      commands_(std::move(commands)),
      frame_(*this, context),
      filler_([] { QCoreApplication::processEvents(); }) {
    setObjectName("FrmWhInvContra");
    CreateControls();
    ConnectControls();
    Load();
}

// The controls as the window's design places them; the host lays out the bars and restores
// stored sizes at load.
void FrmWhInvContra::CreateControls() {
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    menuBar_ = new QMenuBar(this);
    frame->setMenuBar(menuBar_);
    client_ = new QWidget(this);
    client_->setObjectName("client");
    frame->addWidget(client_);

    frame_.AddToolbars(*client_);
    captionPanel_ = new QWidget(client_);
    captionPanel_->setObjectName("Pic");
    captionPanel_->setFixedHeight(kCaptionPanelPixels);
    auto* captionLayout = new QVBoxLayout(captionPanel_);
    captionLayout->setContentsMargins(4, 0, 4, 0);
    captionLabel_ = new zel::YsLabel(captionPanel_);
    captionLabel_->setObjectName("LblCaption");
    captionLabel_->setAlignment(Qt::AlignCenter);
    captionLayout->addWidget(captionLabel_);
    auto* line = new QFrame(captionPanel_);
    line->setObjectName("LineLeft");
    line->setFrameShape(QFrame::HLine);
    captionLayout->addWidget(line);

    tree_ = new zel::YsTreeView(client_);
    tree_->setObjectName("Trv");
    splitter_ = new zel::SplitterBar(client_);
    splitter_->setObjectName("PicSeparate");
    grid_ = new zel::FlexGrid(client_);
    grid_->setObjectName("Grid");
    // Widening the window widens the columns; the narrow fits of short codes need not stay narrow.
    grid_->SetSpreadSpareWidth(true);
    statusBar_ = new zel::YsStatusBar(client_);
    statusBar_->setObjectName("Stb");
    prn_ = new zel::PrintControl(
        [this](QDialog& dialog) { return context_.login.pub->ShowModal(dialog, this); }, this);
    popMenu_ = new zel::PopMenu(this);
    BuildMainMenus(
        *menuBar_, [this](const std::string& key) { ExecCommand(key); },
        [this](int order) { SortGrid(order); });

    const zel::Twips twips = zel::Twips::ForScreen(screen());
    resize(twips.ToPixelsX(kDefaultWidth), twips.ToPixelsY(kDefaultHeight));
    tree_->resize(twips.ToPixelsX(kDefaultTreeWidth), tree_->height());
}

void FrmWhInvContra::ConnectControls() {
    connect(&frame_.Toolbar(), &zel::YsToolbar::ButtonClick, this,
            [this](const std::string& key, const std::string&) { ExecCommand(key); });
    connect(tree_, &zel::YsTreeView::NodeClick, this,
            [this](zel::YsTreeNode& node) { NodeClick(node); });
    connect(grid_, &zel::FlexGrid::DblClick, this, [this] { OnGridDoubleClick(); });
    connect(grid_, &zel::FlexGrid::MouseUp, this,
            [this](short b, short s, float x, float y) { OnGridMouseUp(b, s, x, y); });
    connect(popMenu_, &zel::PopMenu::ItemClick, this,
            [this](const std::string& itemKey) { ChoosePopupItem(itemKey); });
    connect(prn_, &zel::PrintControl::SaveStyle, this,
            [this](const QVariant& first, const QVariant& second) {
                RunIgnoringErrors([&] {
                    SavePrintStyle(context_, MainGridSubject(context_.catalogue), first, second);
                });
            });
    connect(&frame_.KeyHook(), &zel::YsKeyHook::KeyDown, this,
            [this](int& keyCode, int shift) { OnKeyDown(keyCode, shift); });
    connect(statusBar_, &zel::YsStatusBar::Tick, this, [this] { clock_.OnTick(*statusBar_); });
    connect(splitter_, &zel::SplitterBar::MouseDown, this,
            [this](short b, short s, float x, float y) { OnSplitterMouse(1, b, s, x, y); });
    connect(splitter_, &zel::SplitterBar::MouseMove, this,
            [this](short b, short s, float x, float y) { OnSplitterMouse(2, b, s, x, y); });
    connect(splitter_, &zel::SplitterBar::MouseUp, this,
            [this](short b, short s, float x, float y) { OnSplitterMouse(3, b, s, x, y); });
}

// Each step runs whatever became of the one before it: a window that loads half is still one
// the user can close.
void FrmWhInvContra::Load() {
    zel::IPub& pub = *context_.login.pub;
    RunIgnoringErrors([&] { pub.FrmUniteFont(*this); });
    RunIgnoringErrors([&] { pub.FormLayout(*this, kFormKey); });
    RunIgnoringErrors([&] {
        LoadMainImages(frame_.Images());
        splitter_->SetMousePointer(zel::kPointerSizeWE);
        setWindowIcon(zel::ImageList::OwnIcon("NodeP"));
    });
    RunIgnoringErrors([&] { LoadQuantityStyle(context_); });
    quantityStyle_ = context_.quantity.Element();
    RunIgnoringErrors([&] { InitCatalogue(context_); });
    RunIgnoringErrors([&] {
        InitMainToolBar(frame_);
        pub.SetTlb(frame_.Buttons());
    });
    RunIgnoringErrors([&] { DisableMissingCommands(); });
    RunIgnoringErrors([&] { pub.hook(static_cast<long long>(winId())); });
    RunIgnoringErrors([&] {
        pub.FrmLoadInit(*this, context_.catalogue.sTableTitle, *context_.login.login,
                        *context_.login.db);
    });
    frame_.BindHelp(kFormKey);
    RunIgnoringErrors([&] { LoadHead(); });
    RunIgnoringErrors([&] {
        ShowCaption(context_.catalogue.sTableTitle);
        statusBar_->SetPanelText(1, context_.login.login->cUserName());
        statusBar_->SetPanelText(2, context_.login.sCurDate);
        statusBar_->SetPanelText(3, {});
    });
    firstActivate_ = true;
}

// Commands whose window is not part of this build show disabled and do nothing.
void FrmWhInvContra::DisableMissingCommands() {
    const std::pair<const char*, bool> commands[] = {
        {"BatchAdd", bool(commands_.batchAdd)},        {"Add", bool(commands_.editRecord)},
        {"Modify", bool(commands_.editRecord)},        {"MulModify", bool(commands_.mulModify)},
        {"DueChecks", bool(commands_.dueChecks)},      {"History", bool(commands_.changeHistory)},
        {"RowHistory", bool(commands_.changeHistory)}, {"Import", bool(commands_.importRows)},
        {"SetAside", bool(commands_.setAside)},
    };
    const QList<QAction*> actions = menuBar_->findChildren<QAction*>();
    for (const auto& [key, available] : commands) {
        if (auto* button = frame_.Buttons().Buttons(key)) {
            button->SetEnabled(available);
        }
        for (QAction* action : actions) {
            if (action->property(kCommandKeyProperty).toString() == QString::fromUtf8(key)) {
                action->setEnabled(available);
            }
        }
    }
}

void FrmWhInvContra::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (firstActivate_) {
        QTimer::singleShot(0, this, [this] { FirstActivate(); });
    }
}

// Cleared before the events run, so that an activation among them cannot build the tree again.
void FrmWhInvContra::FirstActivate() {
    if (!firstActivate_) {
        return;
    }
    firstActivate_ = false;
    RunIgnoringErrors([] { QCoreApplication::processEvents(); });
    RunIgnoringErrors([this] { InitTree(); });
    if (commands_.setAside) {
        RunIgnoringErrors([this] { commands_.setAside(*this, /*opening=*/true); });
    }
}

void FrmWhInvContra::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Layout();
}

void FrmWhInvContra::Layout() {
    if (isMinimized()) {
        return;
    }
    RunIgnoringErrors([this] { context_.login.pub->frmResizeNew(*this, kFormKey, "trv"); });
    const zel::Twips twips = zel::Twips::ForScreen(screen());
    const PlacedPixels pixels{client_->width(),        client_->height(), captionPanel_->y(),
                              captionPanel_->height(), tree_->x(),        tree_->width()};
    const PaneLayout panes =
        LayOutPanes(PlacedInTwips(pixels, frame_.Toolbar().Height(), statusBar_->Height(), twips));
    Place(*tree_, panes.tree, twips);
    Place(*splitter_, panes.splitter, twips);
    Place(*grid_, panes.grid, twips);
}

void FrmWhInvContra::OnSplitterMouse(short phase, short button, short shift, float x, float y) {
    RunIgnoringErrors(
        [&] { context_.login.pub->MouseEvent(*this, phase, button, shift, x, y, kFormKey); });
}

void FrmWhInvContra::OnKeyDown(int& keyCode, int shift) {
    if (!isEnabled()) {
        return;
    }
    if (const auto key = MainCommandKeyFor(keyCode, shift)) {
        keyCode = 0;
        ExecCommand(*key);
    }
}

void FrmWhInvContra::OnGridDoubleClick() {
    if (grid_->Row() > 0 && grid_->Row() < grid_->Rows()) {
        ExecCommand("Modify");
    }
}

// The host decides from the button whether the sort menu opens; over a row it also offers the
// row's history.
void FrmWhInvContra::OnGridMouseUp(short button, short shift, float x, float y) {
    RunIgnoringErrors(
        [&] { context_.login.pub->ShowPopupMenu(*this, *grid_, button, shift, x, y); });
    QMenu& menu = popMenu_->Menu();
    if (!menu.isVisible() || !commands_.changeHistory || grid_->RowSel() < 1) {
        return;
    }
    menu.addSeparator();
    QAction* history = menu.addAction(QString::fromStdString(
        context_.login.pub->GetResString("Zel.AA.WHINVCONTRAPOSE.HISTORY.row")));
    history->setData(QString::fromUtf8(kRowHistoryKey));
}

void FrmWhInvContra::ChoosePopupItem(const std::string& itemKey) {
    if (itemKey == kRowHistoryKey) {
        ExecCommand(kRowHistoryKey);
    } else {
        SortGridAs(itemKey);
    }
}

void FrmWhInvContra::SortGrid(int order) {
    RunIgnoringErrors([&] { context_.login.pub->GridSort(*this, *grid_, order); });
}

void FrmWhInvContra::SortGridAs(const std::string& itemKey) {
    RunIgnoringErrors([&] { context_.login.pub->GridSortNew(*this, *grid_, itemKey); });
}

// Escape does not close the main window; Exit and Alt+F4 do.
void FrmWhInvContra::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FrmWhInvContra::reject() {
    Unload();
}

void FrmWhInvContra::closeEvent(QCloseEvent* event) {
    if (frame_.Unloaded()) {
        event->accept();
        return;
    }
    event->ignore();
    Unload();
}

// A fill that lets events run still uses the grid when they return: closing waits until it has
// stopped.
void FrmWhInvContra::Unload() {
    if (frame_.Unloaded()) {
        return;
    }
    if (filler_.Filling()) {
        closePending_ = true;
        return;
    }
    frame_.Unload([this] { context_.login.pub->unhook(static_cast<long long>(winId())); });
    done(QDialog::Accepted);
}

}  // namespace korvel
