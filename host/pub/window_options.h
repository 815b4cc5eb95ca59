#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

class QWidget;

namespace zel {

// The options every framework window has. Each is shown by the checkable menu action named as
// its key; the status bar and the button texts are also shown by the controls themselves.
enum class WindowOption { kStatusBar, kTextButtons, kPrintSerial };

struct WindowOptionInfo {
    WindowOption option;
    const char* key;
    bool defaultOn;
};

std::span<const WindowOptionInfo> AllWindowOptions();
// The option of a key ("mStb", "mText", "mPrintNo"), compared without regard to case.
std::optional<WindowOptionInfo> FindWindowOption(std::string_view key);

// The state the host last gave the option on the window (ApplyWindowOption); for a window the
// host never gave one, the check mark of its menu action, or else the state its control shows,
// or else the option's default. Once given, the check mark is no longer read: a checkable action
// ticks or unticks itself before its click reaches the host, so the click would find the new
// state already there and switch it back.
bool WindowOptionState(const QWidget& window, const WindowOptionInfo& option);
// Keeps the state on the window, checks the menu action and shows the state on the control
// ("Stb" shown, "TLB2" texts).
void ApplyWindowOption(QWidget& window, const WindowOptionInfo& option, bool on);

// As aa_formoption.cValue holds them; nullopt for a value that is neither.
std::string StoredOptionValue(bool on);
std::optional<bool> OptionValueOf(std::string_view stored);

}  // namespace zel
