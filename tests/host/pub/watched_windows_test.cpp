#include "host/pub/watched_windows.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

long long HandleOf(QWidget& window) {
    return static_cast<long long>(window.winId());
}

TEST(WatchedWindows, WatchesFromHookUntilUnhook) {
    QWidget window;
    WatchedWindows watched;
    const long long handle = HandleOf(window);
    watched.Hook(handle);
    EXPECT_TRUE(watched.Watches(handle));
    watched.Unhook(handle);
    EXPECT_FALSE(watched.Watches(handle));
}

TEST(WatchedWindows, UnknownHandlesAreIgnored) {
    WatchedWindows watched;
    watched.Unhook(123456);
    watched.Hook(0);
    EXPECT_FALSE(watched.Watches(0));
}

TEST(WatchedWindows, AClosedWindowIsNoLongerWatched) {
    WatchedWindows watched;
    auto window = std::make_unique<QWidget>();
    const long long handle = HandleOf(*window);
    watched.Hook(handle);
    window.reset();
    EXPECT_FALSE(watched.Watches(handle));
    watched.Unhook(handle);
}

}  // namespace
}  // namespace zel
