#pragma once

#include <QWidget>
#include <string>

#include "host/controls/find/field_definition.h"
#include "host/controls/modal_shower.h"

class QComboBox;
class QLineEdit;
class QToolButton;

namespace zel {

// The box a value of a defined field is given in: a list for a field of fixed values, a number
// box, a date box with a calendar button, a text box with a reference
// button for a field whose code is looked up. Child object names: text, choice, pick.
class FieldValueBox final : public QWidget {
    Q_OBJECT

public:
    // showModal shows the calendar; the list of fixed values starts with an empty entry when
    // emptyChoice is set, so that a value can be cleared.
    FieldValueBox(ModalShower showModal, int width, bool emptyChoice, QWidget* parent);

    // The field must outlive its use here; nullptr gives a disabled empty box.
    void SetField(const DefinedField* field);
    // The value as typed or chosen. A number box keeps whatever was typed or pasted: dropping
    // the characters that are no number would turn the text into a different number unseen, so
    // the confirmation refuses it instead, naming the field.
    std::string Text() const;

signals:
    // The reference button was pressed; the receiver puts the chosen code into box.
    void referenceRequested(const std::string& field, QLineEdit& box);

private:
    void Pick();

    ModalShower showModal_;
    bool emptyChoice_;
    const DefinedField* field_ = nullptr;
    QLineEdit* text_;
    QComboBox* choice_;
    QToolButton* pick_;
};

}  // namespace zel
