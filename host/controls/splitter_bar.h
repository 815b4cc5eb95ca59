#pragma once

#include <QWidget>

namespace zel {

// The bar between two panes that the user drags. It only reports the mouse, in the host's codes
// and in twips from its own top left corner; the dragging itself is done by whoever listens.
// Moves are reported with or without a button held.
class SplitterBar final : public QWidget {
    Q_OBJECT

public:
    explicit SplitterBar(QWidget* parent = nullptr);

    int MousePointer() const { return mousePointer_; }
    bool SetMousePointer(int mousePointer);

signals:
    void MouseDown(short button, short shift, float x, float y);
    // button: the buttons held.
    void MouseMove(short button, short shift, float x, float y);
    void MouseUp(short button, short shift, float x, float y);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int mousePointer_;
};

}  // namespace zel
