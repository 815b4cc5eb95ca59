#pragma once

#include <QAction>
#include <QDialog>

#include "host/controls/button_bar.h"
#include "host/controls/flex_grid.h"
#include "host/controls/splitter_bar.h"
#include "host/controls/twips.h"
#include "host/controls/ys_status_bar.h"
#include "host/controls/ys_toolbar.h"
#include "host/controls/ys_tree_view.h"

namespace zel::test {

// A window put together as the component puts its framework windows together: a menu bar with
// the option actions, a client area holding the bars, the caption panel, the tree, the splitter
// and the grid at absolute positions, and the hidden button bar. It counts its resize events and
// answers each by placing the splitter and the grid beside the tree, as the component's windows
// do.
class FrameworkTestWindow final : public QDialog {
public:
    FrameworkTestWindow();

    Twips Scale() const { return Twips::ForScreen(screen()); }
    double TwipsX(int pixels) const { return Scale().FromPixelsX(pixels); }
    int PixelsX(double twips) const { return Scale().ToPixelsX(twips); }

    QWidget* client;
    YsToolbar* toolbar;
    QWidget* caption;
    YsTreeView* tree;
    SplitterBar* splitter;
    FlexGrid* grid;
    YsStatusBar* statusBar;
    ButtonBar* buttons;
    QAction* mStb;
    QAction* mText;
    QAction* mPrintNo;
    int resizeEvents = 0;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace zel::test
