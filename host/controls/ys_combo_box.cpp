#include "host/controls/ys_combo_box.h"

#include <QKeyEvent>
#include <QSignalBlocker>

#include "host/controls/lost_focus.h"
#include "host/controls/vb_input_codes.h"

namespace zel {

YsComboBox::YsComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    connect(this, &QComboBox::currentIndexChanged, this, &YsComboBox::Click);
}

void YsComboBox::Clear() {
    const QSignalBlocker quiet(this);
    clear();
}

void YsComboBox::AddItem(const std::string& text) {
    // Qt selects the first item added to an empty list; the host's list keeps nothing selected.
    const QSignalBlocker quiet(this);
    const int selected = currentIndex();
    addItem(QString::fromStdString(text));
    setCurrentIndex(selected);
}

bool YsComboBox::SetListIndex(int index) {
    if (index < -1 || index >= count()) {
        return false;
    }
    setCurrentIndex(index);
    return true;
}

void YsComboBox::showPopup() {
    emit DropDown();
    QComboBox::showPopup();
}

void YsComboBox::keyPressEvent(QKeyEvent* event) {
    if (!RaiseKey(*event)) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void YsComboBox::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    if (IsLostFocus(*event)) {
        emit LostFocus();
    }
}

bool YsComboBox::RaiseKey(const QKeyEvent& event) {
    return RaiseVbKey(
        event, [this](int& keyCode, int shift) { emit KeyDown(keyCode, shift); },
        [this](int& ascii) { emit KeyPress(ascii); });
}

}  // namespace zel
