#pragma once

#include <QPoint>
#include <QWidget>
#include <string>
#include <vector>

class QAction;
class QMenu;

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

    // The menu of the last Show: its actions carry the items, in order, and triggering one is
    // choosing its item.
    QMenu& Menu() { return *menu_; }

signals:
    void ItemClick(const std::string& itemKey);

private:
    void Choose(const QAction* action);

    QMenu* menu_;
};

}  // namespace zel
