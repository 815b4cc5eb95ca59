#pragma once

#include <QPointer>
#include <QWidget>
#include <map>

namespace zel {

// The windows the host watches, by their native handles (QWidget::winId).
class WatchedWindows {
public:
    // A handle of no window of this program is not watched.
    void Hook(long long handle);
    // An unknown handle is left alone.
    void Unhook(long long handle);
    // True while the window of the handle is watched and still exists.
    bool Watches(long long handle) const;

private:
    std::map<long long, QPointer<QWidget>> windows_;
};

}  // namespace zel
