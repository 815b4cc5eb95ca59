#pragma once

#include <QComboBox>
#include <string>

namespace zel {

// A drop-down list of texts from which the user picks one, or none.
class YsComboBox final : public QComboBox {
    Q_OBJECT

public:
    explicit YsComboBox(QWidget* parent = nullptr);

    // Neither raises Click: the list changes, not the user's choice.
    void Clear();
    void AddItem(const std::string& text);

    // -1 while nothing is selected.
    int ListIndex() const { return currentIndex(); }
    // -1 selects nothing; false, and the selection unchanged, for an index outside the list.
    bool SetListIndex(int index);
    // The text of the selected item; "" while nothing is selected.
    std::string Text() const { return currentText().toStdString(); }
    int ListCount() const { return count(); }

signals:
    // The selection changed, by the user or through SetListIndex.
    void Click();
    // The list is about to open.
    void DropDown();
    // In the host's codes (see YsKeyHook); a handler that sets the code to 0 swallows the key.
    void KeyDown(int& keyCode, int shift);
    void KeyPress(int& ascii);
    // As Edit's LostFocus: QApplication::focusWidget() is the control that got the focus; opening
    // the list does not raise it.
    void LostFocus();

protected:
    void showPopup() override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // False when a handler swallowed the key.
    bool RaiseKey(const QKeyEvent& event);
};

}  // namespace zel
