#pragma once

#include <QWidget>
#include <array>
#include <initializer_list>
#include <string>

#include "core/correspondence_row.h"
#include "host/controls/edit_box.h"
#include "host/controls/ys_combo_box.h"
#include "host/controls/ys_command_button.h"

namespace korvel {

// The record editor's field boxes, made from the field table: an edit box for every editor slot,
// a combo box for a slot that holds a list text, and the picker buttons the slots name; a box two
// fields share is made once.
class EditorBoxes {
public:
    explicit EditorBoxes(QWidget& parent);

    zel::Edit& Edit(const CorrespondenceField& field) const;
    zel::YsComboBox& Combo(const CorrespondenceField& field) const;
    // nullptr for a field without a picker.
    zel::YsCommandButton* Picker(const CorrespondenceField& field) const {
        return pickers_[IndexOf(field)];
    }
    // Presses the picker of the box that has the focus, if it has one that is enabled.
    void PickFocused() const;

    // The field's text into its box as the editor slot says: the box's text, its tag, or the
    // first item that is the text exactly (none when no item is).
    void Show(const CorrespondenceField& field, const std::string& text) const;
    std::string Read(const CorrespondenceField& field) const;
    // What the boxes hold of the fields the record carries; a field sent only from a reachable
    // box is left unset when its box is disabled or hidden.
    CorrespondenceRow RecordRow() const;

    // Empties every box but those of the kept fields: no text, tag or tip, no item chosen.
    void Clear(std::initializer_list<const CorrespondenceField*> kept = {}) const;

    // The first box in the tab order that the user can type into, the first empty one when
    // emptyOnly (a list with nothing chosen counts as empty); nullptr when there is none.
    QWidget* FirstTakingEntry(bool emptyOnly) const;
    // Whether the user can type into the widget, which is one of the boxes.
    bool TakesEntry(const QWidget* widget) const;

    // The form's tab order; the fields' lengths and digits.
    void SetTabOrder() const;
    void ApplyLimits(short quantityDigits) const;

private:
    QWidget* Box(const CorrespondenceField& field) const { return boxes_[IndexOf(field)]; }

    std::array<QWidget*, kCorrespondenceFields.size()> boxes_{};
    std::array<zel::YsCommandButton*, kCorrespondenceFields.size()> pickers_{};
};

}  // namespace korvel
