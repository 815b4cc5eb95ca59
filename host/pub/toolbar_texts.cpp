#include "host/pub/toolbar_texts.h"

#include "host/objects/resource_texts.h"

namespace zel {
namespace {

constexpr const char* kToolbarKeyPrefix = "Zel.AA.ARCHIVE.TOOLBAR.";

}  // namespace

std::map<std::string, YsToolbar::ButtonTexts> ToolbarTexts(const ButtonBar& bar) {
    const ResourceTexts& resources = ResourceTexts::Instance();
    std::map<std::string, YsToolbar::ButtonTexts> texts;
    for (int i = 1; i <= bar.Count(); ++i) {
        const ToolbarButton* button = bar.Button(i);
        const std::string key = kToolbarKeyPrefix + button->Key();
        if (button->ButtonStyle() == ToolbarButton::kButton && resources.Contains(key)) {
            const std::string text = resources.Text(key);
            texts[button->Key()] = {text, text};
        }
    }
    return texts;
}

}  // namespace zel
