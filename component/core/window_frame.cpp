#include "core/window_frame.h"

#include <QCoreApplication>
#include <QDialog>

#include "core/run_ignoring_errors.h"
#include "host/controls/vb_input_codes.h"

namespace korvel {

WindowFrame::WindowFrame(QDialog& window, ComponentContext& context)
    : window_(window),
      context_(context),
      keyHook_(new zel::YsKeyHook(window)),
      captionManager_(new zel::YsFrmCaption(window)) {}

zel::YsToolbar& WindowFrame::AddToolbars(QWidget& toolbarParent) {
    toolbar_ = new zel::YsToolbar(&toolbarParent);
    toolbar_->setObjectName("TLB2");
    buttons_ = new zel::ButtonBar(&window_);
    buttons_->setObjectName("Tlb");
    buttons_->SetImageList(&images_);
    return *toolbar_;
}

void WindowFrame::AddButtons(std::initializer_list<std::string_view> keys) {
    for (const std::string_view key : keys) {
        const std::string name(key);
        if (key.starts_with("btnSep")) {
            buttons_->Add(name, zel::ToolbarButton::kSeparator);
        } else {
            buttons_->Add(name, zel::ToolbarButton::kButton, name);
        }
    }
}

zel::YsFrame& WindowFrame::AddStyleFrame() {
    styleFrame_ = new zel::YsFrame(&window_);
    styleFrame_->setObjectName("Frame3");
    styleFrame_->hide();
    return *styleFrame_;
}

void WindowFrame::BindHelp(const char* formKey) {
    RunIgnoringErrors([this, formKey] {
        context_.login.pub->HelpX(formKey, window_, *context_.login.login,
                                  QCoreApplication::instance(), false);
    });
}

void WindowFrame::ShowHelpOnF1() {
    QObject::connect(keyHook_, &zel::YsKeyHook::KeyDown, &window_, [this](int& keyCode, int shift) {
        if (keyCode != zel::kVbKeyF1 || shift != 0) {
            return;
        }
        keyCode = 0;
        RunIgnoringErrors([this] {
            context_.login.pub->HelpShow(QCoreApplication::instance(), "Help", window_);
        });
    });
}

bool WindowFrame::Unload(const std::function<void()>& beforeUnload) {
    if (unloaded_) {
        return false;
    }
    unloaded_ = true;
    if (beforeUnload) {
        RunIgnoringErrors(beforeUnload);
    }
    RunIgnoringErrors([this] { context_.login.pub->FrmUnLoad(); });
    return true;
}

}  // namespace korvel
