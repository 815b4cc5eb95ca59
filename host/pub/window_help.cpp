#include "host/pub/window_help.h"

#include <algorithm>

#include "host/pub/help_anchors.h"

namespace zel {

void WindowHelp::Bind(QWidget& window, const std::string& formKey) {
    std::erase_if(bindings_, [&](const Binding& binding) {
        return binding.window == nullptr || binding.window == &window;
    });
    bindings_.push_back({&window, formKey});
}

void WindowHelp::Show(QWidget& window, const std::string& title) {
    const auto found =
        std::find_if(bindings_.begin(), bindings_.end(),
                     [&](const Binding& binding) { return binding.window == &window; });
    if (found == bindings_.end()) {
        return;
    }
    viewer_.Show(window, std::string(HelpAnchorOf(found->formKey)), title);
}

void WindowHelp::Hide() {
    viewer_.Hide();
}

}  // namespace zel
