#include "host/controls/image_list.h"

#include <QFile>
#include <algorithm>

namespace zel {

bool ImageList::Add(const std::string& key, const QIcon& icon) {
    if (icon.isNull() || Contains(key)) {
        return false;
    }
    images_.push_back({key, icon});
    return true;
}

QIcon ImageList::Icon(const std::string& key) const {
    const auto found = std::find_if(images_.begin(), images_.end(),
                                    [&](const Image& image) { return image.key == key; });
    return found == images_.end() ? QIcon() : found->icon;
}

bool ImageList::Contains(const std::string& key) const {
    return std::any_of(images_.begin(), images_.end(),
                       [&](const Image& image) { return image.key == key; });
}

std::string ImageList::Key(int index) const {
    if (index < 1 || index > Count()) {
        return {};
    }
    return images_[static_cast<std::size_t>(index - 1)].key;
}

QIcon ImageList::OwnIcon(const std::string& name) {
    const QString path =
        QStringLiteral(":/controls/icons/%1.svg").arg(QString::fromStdString(name));
    if (!QFile::exists(path)) {
        return {};
    }
    return QIcon(path);
}

}  // namespace zel
