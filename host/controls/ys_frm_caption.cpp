#include "host/controls/ys_frm_caption.h"

#include <QWidget>

namespace zel {

YsFrmCaption::YsFrmCaption(QWidget& window) : QObject(&window), window_(&window) {}

std::string YsFrmCaption::Caption() const {
    return window_ == nullptr ? std::string() : window_->windowTitle().toStdString();
}

void YsFrmCaption::SetCaption(const std::string& caption) {
    if (window_ != nullptr) {
        window_->setWindowTitle(QString::fromStdString(caption));
    }
}

}  // namespace zel
