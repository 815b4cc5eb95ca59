#include "host/pub/watched_windows.h"

namespace zel {

void WatchedWindows::Hook(long long handle) {
    std::erase_if(windows_, [](const auto& entry) { return entry.second == nullptr; });
    if (QWidget* window = QWidget::find(static_cast<WId>(handle))) {
        windows_[handle] = window;
    }
}

void WatchedWindows::Unhook(long long handle) {
    windows_.erase(handle);
}

bool WatchedWindows::Watches(long long handle) const {
    const auto found = windows_.find(handle);
    return found != windows_.end() && found->second != nullptr;
}

}  // namespace zel
