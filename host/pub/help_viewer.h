#pragma once

#include <QPointer>
#include <QTextBrowser>
#include <string>

class QWidget;

namespace zel {

// The user's guide in a window of its own, never modal: one window, moved to the section asked
// for and brought to the front on each request. It belongs to the window it was last opened from,
// since a window shown modally would otherwise leave the guide unusable, and it goes with it.
class HelpViewer {
public:
    HelpViewer() = default;
    HelpViewer(const HelpViewer&) = delete;
    HelpViewer& operator=(const HelpViewer&) = delete;
    ~HelpViewer();

    void Show(QWidget& owner, const std::string& anchor, const std::string& title);
    void Hide();

    // The guide's window while it exists, shown or hidden.
    QTextBrowser* Window() const { return browser_; }

private:
    QTextBrowser& WindowFor(QWidget& owner);

    QPointer<QTextBrowser> browser_;
};

}  // namespace zel
