#include "host/controls/ys_label.h"

namespace zel {

YsLabel::YsLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

}  // namespace zel
