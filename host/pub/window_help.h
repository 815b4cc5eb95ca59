#pragma once

#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "host/pub/help_viewer.h"

namespace zel {

// The help bound to each window: the user's guide, opened at the section of the window's form.
class WindowHelp {
public:
    void Bind(QWidget& window, const std::string& formKey);
    // Binds the form's help to a dialog of the host's own, which has no command for it: F1 shows
    // it. The help must outlive the dialog.
    void BindWithF1(QWidget& dialog, const std::string& formKey);
    // Opens the guide at the section of the form bound to the window, in a window that leaves the
    // window usable; nothing for a window without help.
    void Show(QWidget& window);
    void Hide();

    const HelpViewer& Viewer() const { return viewer_; }

private:
    struct Binding {
        QPointer<QWidget> window;
        std::string formKey;
    };

    std::vector<Binding> bindings_;
    HelpViewer viewer_;
};

}  // namespace zel
