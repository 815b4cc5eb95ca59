#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

namespace zel {

// The help bound to each window, shown one at a time.
class WindowHelp {
public:
    // Receives the help text of a window and shows it; returns when it has been read.
    using Presenter = std::function<void(const std::string& text)>;

    void Bind(QWidget& window, const std::string& formKey);
    // Shows the help of the window through the presenter. A request that arrives while help is
    // up (the user pressing F1 again from within it) shows nothing, and neither does one for a
    // window without help.
    void Show(const QWidget& window, const Presenter& presenter);

    // The resource text of the form's help, or a notice that it has none.
    static std::string TextOf(const std::string& formKey);

private:
    struct Binding {
        QPointer<QWidget> window;
        std::string formKey;
    };

    std::vector<Binding> bindings_;
    bool showing_ = false;
};

}  // namespace zel
