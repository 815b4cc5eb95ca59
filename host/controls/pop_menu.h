#pragma once

#include <QPoint>
#include <QWidget>
#include <string>
#include <vector>

namespace zel {

// The pop-up menu control of a window ("PopMenuMgr"): the host fills and shows it; the window
// hears which item was chosen.
class PopMenu final : public QWidget {
    Q_OBJECT

public:
    struct Item {
        std::string key;
        std::string caption;
    };

    explicit PopMenu(QWidget* parent);

    // Shows the items at a screen position and returns at once; a chosen item raises ItemClick.
    void Show(const std::vector<Item>& items, const QPoint& globalPosition);

signals:
    void ItemClick(const std::string& itemKey);
};

}  // namespace zel
