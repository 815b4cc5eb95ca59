#pragma once

#include <QPointer>
#include <QWidget>
#include <optional>

namespace zel {

// The user dragging a window's splitter "PicSeparate" between its tree "Trv" and its grid.
// Positions are in twips, x from the splitter's left edge as the splitter reports the mouse.
class SplitterDrag {
public:
    // grabX: where on the splitter the button went down, so that the splitter does not jump by
    // that much on the first move.
    void Begin(QWidget& window, double grabX);
    // Moves the splitter under the mouse, within the widths the tree and the grid may take.
    // False, and nothing moved, when no drag of this window is going on.
    bool Move(QWidget& window, double x);
    // Ends the drag: the tree takes the width up to the splitter, which is returned (twips);
    // nullopt when no drag of this window was going on.
    std::optional<double> End(QWidget& window);

private:
    bool Dragging(const QWidget& window) const;

    QPointer<QWidget> window_;
    double grabX_ = 0;
};

}  // namespace zel
