#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

class QKeyEvent;
class QWidget;

namespace zel {

// Sees every key pressed in a window, whichever of its widgets has the focus, before that widget
// does, and raises it in the host's key codes. A handler that sets the code to 0 swallows the
// key. Keys of other windows, dialogs opened from this one included, are not seen; nor are keys
// while the window is disabled.
class YsKeyHook final : public QObject {
    Q_OBJECT

public:
    // Owned by the window.
    explicit YsKeyHook(QWidget& window);
    ~YsKeyHook() override;

signals:
    // keyCode: F1 = 112 ... F12 = 123, Delete = 46, Enter = 13, 'A' = 65 ...; shift: 1 shift,
    // 2 ctrl, 4 alt.
    void KeyDown(int& keyCode, int shift);
    // The character of the key (13 for Enter, 27 for Escape), after KeyDown.
    void KeyPress(int& ascii);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsOurs(QObject* watched) const;
    // False when a handler swallowed the key.
    bool Raise(const QKeyEvent& event);
    void Deliver(QObject* receiver, QKeyEvent& event);

    QPointer<QWidget> window_;
    // Events being delivered onwards after being raised; their further steps are not raised.
    std::vector<const QEvent*> delivering_;
};

}  // namespace zel
