#pragma once

#include <memory>

#include "core/component_context.h"
#include "core/main_window_runner.h"
#include "core/plain_message.h"
#include "interfaces/object.h"
#include "interfaces/whinv_contra.h"

namespace korvel {

// The component's public class: binds the host services, takes the function lock and runs the
// main window; every service reference is dropped again before Show returns.
class WhInvContra final : public zel::IWhInvContra {
public:
    WhInvContra(zel::IObjectFactory& factory, MainWindowRunner runMainWindow,
                PlainMessage showPlain = ShowPlainInformation);

    void Show(std::shared_ptr<zel::ILogin>& oLogin) override;

private:
    bool BindServices(std::shared_ptr<zel::ILogin>& oLogin);
    bool BindDatabase();
    void ShowFailure(const char* key);
    void RunMainWindowLocked();
    void DropReferences();

    zel::IObjectFactory& factory_;
    MainWindowRunner runMainWindow_;
    PlainMessage showPlain_;
    ComponentContext context_;
};

}  // namespace korvel
