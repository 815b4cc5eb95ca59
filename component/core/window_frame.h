#pragma once

#include <functional>
#include <initializer_list>
#include <string_view>

#include "core/component_context.h"
#include "host/controls/button_bar.h"
#include "host/controls/image_list.h"
#include "host/controls/ys_frame.h"
#include "host/controls/ys_frm_caption.h"
#include "host/controls/ys_key_hook.h"
#include "host/controls/ys_toolbar.h"

class QDialog;

namespace korvel {

// The frame every window of the component stands in: the key hook and the caption manager, and
// where the window has them its hidden button bar "Tlb" with its pictures and the visible bar
// "TLB2" the host builds from it. The frame also unloads the window from the host once, however
// many ways a close arrives, and can bind the window to its help.
class WindowFrame {
public:
    // The controls belong to the window, which must outlive the frame's use of them.
    WindowFrame(QDialog& window, ComponentContext& context);
    WindowFrame(const WindowFrame&) = delete;
    WindowFrame& operator=(const WindowFrame&) = delete;

    // The visible bar under toolbarParent, where the window places it, and the hidden bar it is
    // built from, holding the frame's pictures.
    zel::YsToolbar& AddToolbars(QWidget& toolbarParent);
    // Buttons of the hidden bar, in order, each showing the frame's picture of its key; a key
    // that begins "btnSep" is a separator's.
    void AddButtons(std::initializer_list<std::string_view> keys);
    // "Frame3", the frame the host's toolbar styling is given; never shown.
    zel::YsFrame& AddStyleFrame();

    // Binds the help of the form to the window.
    void BindHelp(const char* formKey);
    // For a window without a command of its own for it: F1 shows the help bound to the window.
    void ShowHelpOnF1();

    // Runs beforeUnload, then has the host store the window's layout: the first time only, the
    // errors of either ignored. False when the window was unloaded before.
    bool Unload(const std::function<void()>& beforeUnload = {});
    bool Unloaded() const { return unloaded_; }

    zel::YsKeyHook& KeyHook() { return *keyHook_; }
    zel::YsFrmCaption& CaptionManager() { return *captionManager_; }
    zel::ImageList& Images() { return images_; }
    // Only after AddToolbars.
    zel::ButtonBar& Buttons() { return *buttons_; }
    zel::YsToolbar& Toolbar() { return *toolbar_; }
    // Only after AddStyleFrame.
    zel::YsFrame& StyleFrame() { return *styleFrame_; }

private:
    QDialog& window_;
    ComponentContext& context_;
    zel::YsKeyHook* keyHook_;
    zel::YsFrmCaption* captionManager_;
    zel::ButtonBar* buttons_ = nullptr;
    zel::YsToolbar* toolbar_ = nullptr;
    zel::YsFrame* styleFrame_ = nullptr;
    zel::ImageList images_;
    bool unloaded_ = false;
};

}  // namespace korvel
