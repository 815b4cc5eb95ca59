#include "host/pub/window_help.h"

#include <algorithm>

#include "host/controls/vb_input_codes.h"
#include "host/controls/ys_key_hook.h"
#include "host/objects/resource_texts.h"
#include "host/pub/help_anchors.h"

namespace zel {
namespace {

constexpr const char* kTitleKey = "Zel.HOST.HELP.title";

}  // namespace

void WindowHelp::Bind(QWidget& window, const std::string& formKey) {
    std::erase_if(bindings_, [&](const Binding& binding) {
        return binding.window == nullptr || binding.window == &window;
    });
    bindings_.push_back({&window, formKey});
}

void WindowHelp::BindWithF1(QWidget& dialog, const std::string& formKey) {
    Bind(dialog, formKey);
    auto* keys = new YsKeyHook(dialog);
    QObject::connect(keys, &YsKeyHook::KeyDown, &dialog, [this, &dialog](int& keyCode, int shift) {
        if (keyCode == kVbKeyF1 && shift == 0) {
            keyCode = 0;
            Show(dialog);
        }
    });
}

void WindowHelp::Show(QWidget& window) {
    const auto found =
        std::find_if(bindings_.begin(), bindings_.end(),
                     [&](const Binding& binding) { return binding.window == &window; });
    if (found == bindings_.end()) {
        return;
    }
    viewer_.Show(window, std::string(HelpAnchorOf(found->formKey)),
                 ResourceTexts::Instance().Text(kTitleKey));
}

void WindowHelp::Hide() {
    viewer_.Hide();
}

}  // namespace zel
