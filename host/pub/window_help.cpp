#include "host/pub/window_help.h"

#include <algorithm>

#include "host/objects/resource_texts.h"

namespace zel {
namespace {

constexpr const char* kHelpKeyPrefix = "Zel.AA.HELP.";
constexpr const char* kNoHelpKey = "Zel.HOST.HELP.none";

}  // namespace

void WindowHelp::Bind(QWidget& window, const std::string& formKey) {
    std::erase_if(bindings_, [&](const Binding& binding) {
        return binding.window == nullptr || binding.window == &window;
    });
    bindings_.push_back({&window, formKey});
}

void WindowHelp::Show(const QWidget& window, const Presenter& presenter) {
    if (showing_) {
        return;
    }
    const auto found =
        std::find_if(bindings_.begin(), bindings_.end(),
                     [&](const Binding& binding) { return binding.window == &window; });
    if (found == bindings_.end()) {
        return;
    }
    // A copy: the presenter's event loop may bind or unbind windows meanwhile.
    const std::string text = TextOf(found->formKey);
    showing_ = true;
    struct ClearShowing {
        bool& flag;
        ~ClearShowing() { flag = false; }
    } clear{showing_};
    presenter(text);
}

std::string WindowHelp::TextOf(const std::string& formKey) {
    const ResourceTexts& texts = ResourceTexts::Instance();
    const std::string key = kHelpKeyPrefix + formKey;
    return texts.Text(texts.Contains(key) ? key : kNoHelpKey);
}

}  // namespace zel
