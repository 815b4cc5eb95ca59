#include "framework_test_window.h"

#include <QMenuBar>
#include <QVBoxLayout>
#include <algorithm>

namespace zel::test {
namespace {

constexpr int kSplitterPixels = 3;

template <class Control>
Control* Named(Control* control, const char* name) {
    control->setObjectName(name);
    return control;
}

QAction* OptionAction(QMenu& menu, const char* name) {
    QAction* action = Named(menu.addAction(QString::fromUtf8(name)), name);
    action->setCheckable(true);
    return action;
}

}  // namespace

FrameworkTestWindow::FrameworkTestWindow() {
    setObjectName("FrmTest");
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    auto* menuBar = new QMenuBar(this);
    frame->setMenuBar(menuBar);
    QMenu* menu = menuBar->addMenu("窗口");
    mStb = OptionAction(*menu, "mStb");
    mText = OptionAction(*menu, "mText");
    mPrintNo = OptionAction(*menu, "mPrintNo");

    client = new QWidget(this);
    frame->addWidget(client);
    toolbar = Named(new YsToolbar(client), "TLB2");
    caption = Named(new QWidget(client), "Pic");
    caption->setFixedHeight(30);
    tree = Named(new YsTreeView(client), "Trv");
    splitter = Named(new SplitterBar(client), "PicSeparate");
    grid = Named(new FlexGrid(client), "Grid");
    statusBar = Named(new YsStatusBar(client), "Stb");
    buttons = Named(new ButtonBar(this), "Tlb");

    resize(1000, 600);
    tree->setGeometry(0, 60, 200, 400);
}

void FrameworkTestWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ++resizeEvents;
    splitter->setGeometry(tree->x() + tree->width(), tree->y(), kSplitterPixels, tree->height());
    const int gridLeft = splitter->x() + kSplitterPixels;
    grid->setGeometry(gridLeft, tree->y(), std::max(0, client->width() - gridLeft), tree->height());
}

}  // namespace zel::test
