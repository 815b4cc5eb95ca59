#include "host/pub/host_pictures.h"

#include <QPainter>
#include <QPixmap>

#include "host/controls/image_list.h"

namespace zel {
namespace {

constexpr int kPictureSize = 16;
constexpr int kDotSize = 2;
constexpr int kDotGap = 2;

// Three dots at the foot of the picture, as "…" is written on a reference button.
QIcon DrawnEllipsis() {
    QPixmap pixmap(kPictureSize, kPictureSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const int width = 3 * kDotSize + 2 * kDotGap;
    const int left = (kPictureSize - width) / 2;
    const int top = kPictureSize - 2 * kDotSize - kDotGap;
    for (int dot = 0; dot < 3; ++dot) {
        painter.fillRect(left + dot * (kDotSize + kDotGap), top, kDotSize, kDotSize, Qt::black);
    }
    return QIcon(pixmap);
}

QIcon ReferencePicture() {
    const QIcon own = ImageList::OwnIcon("Reference");
    return own.isNull() ? DrawnEllipsis() : own;
}

}  // namespace

QIcon HostPicture(int id) {
    if (id == kReferencePicture) {
        return ReferencePicture();
    }
    return {};
}

}  // namespace zel
