#pragma once

#include <QObject>
#include <functional>

class QDialog;

namespace zel {

// Calls back once a window's first show is over and the work it queued from showEvent has run
// (the component's main window builds its tree and fills its grid that way). The call is queued
// from ShowToParent, which comes after showEvent, and queued once more from there, so that it
// stays behind that work even where the work lets pending events run before it starts. A close
// that arrives during a fill is held by the window until the fill has stopped.
class AfterFirstShow final : public QObject {
public:
    // Owned by window: nothing is called once the window is gone.
    AfterFirstShow(QDialog& window, std::function<void(QDialog&)> then);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QDialog& window_;
    std::function<void(QDialog&)> then_;
};

}  // namespace zel
