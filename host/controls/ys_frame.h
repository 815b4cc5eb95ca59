#pragma once

#include <QFrame>

namespace zel {

// A container of controls: the field area of a window, or, kept thin with a line shape, a divider
// across it. Borderless unless given a frame shape.
class YsFrame final : public QFrame {
    Q_OBJECT

public:
    using QFrame::QFrame;
};

}  // namespace zel
