#include "host/pub/window_options.h"

#include <QAction>
#include <QByteArray>
#include <QString>
#include <QVariant>

#include "host/controls/ys_status_bar.h"
#include "host/controls/ys_toolbar.h"
#include "host/pub/window_controls.h"

namespace zel {
namespace {

constexpr WindowOptionInfo kOptions[] = {
    {WindowOption::kStatusBar, "mStb", true},
    {WindowOption::kTextButtons, "mText", false},
    {WindowOption::kPrintSerial, "mPrintNo", true},
};

constexpr const char* kStatusBarName = "Stb";
// The window keeps the state the host last gave each option under this prefix and the key.
constexpr const char* kStatePropertyPrefix = "zelWindowOption.";
constexpr const char* kToolbarName = "TLB2";

bool SameKey(std::string_view a, std::string_view b) {
    return QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()))
               .compare(QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size())),
                        Qt::CaseInsensitive) == 0;
}

QByteArray StateProperty(const WindowOptionInfo& option) {
    return QByteArray(kStatePropertyPrefix) + option.key;
}

std::optional<bool> ControlState(const QWidget& window, WindowOption option) {
    switch (option) {
        case WindowOption::kStatusBar:
            if (const auto* bar = FindControlAs<YsStatusBar>(window, kStatusBarName)) {
                return !bar->isHidden();
            }
            break;
        case WindowOption::kTextButtons:
            if (const auto* bar = FindControlAs<YsToolbar>(window, kToolbarName)) {
                return bar->TextButtons();
            }
            break;
        case WindowOption::kPrintSerial:
            break;
    }
    return std::nullopt;
}

void ShowOnControl(QWidget& window, WindowOption option, bool on) {
    switch (option) {
        case WindowOption::kStatusBar:
            if (auto* bar = FindControlAs<YsStatusBar>(window, kStatusBarName)) {
                bar->setVisible(on);
            }
            break;
        case WindowOption::kTextButtons:
            if (auto* bar = FindControlAs<YsToolbar>(window, kToolbarName)) {
                bar->SetTextButtons(on);
            }
            break;
        case WindowOption::kPrintSerial:
            break;
    }
}

}  // namespace

std::span<const WindowOptionInfo> AllWindowOptions() {
    return kOptions;
}

std::optional<WindowOptionInfo> FindWindowOption(std::string_view key) {
    for (const auto& info : kOptions) {
        if (SameKey(key, info.key)) {
            return info;
        }
    }
    return std::nullopt;
}

bool WindowOptionState(const QWidget& window, const WindowOptionInfo& option) {
    if (const QVariant kept = window.property(StateProperty(option)); kept.isValid()) {
        return kept.toBool();
    }
    if (const QAction* action = FindAction(window, option.key)) {
        return action->isChecked();
    }
    return ControlState(window, option.option).value_or(option.defaultOn);
}

void ApplyWindowOption(QWidget& window, const WindowOptionInfo& option, bool on) {
    window.setProperty(StateProperty(option), on);
    if (QAction* action = FindAction(window, option.key)) {
        action->setCheckable(true);
        action->setChecked(on);
    }
    ShowOnControl(window, option.option, on);
}

std::string StoredOptionValue(bool on) {
    return on ? "1" : "0";
}

std::optional<bool> OptionValueOf(std::string_view stored) {
    if (stored == "1" || stored == "-1") {
        return true;
    }
    if (stored == "0") {
        return false;
    }
    return std::nullopt;
}

}  // namespace zel
