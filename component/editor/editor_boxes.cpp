#include "editor/editor_boxes.h"

#include <QApplication>
#include <algorithm>
#include <stdexcept>

namespace korvel {
namespace {

QString ObjectName(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QWidget* MadeBox(QWidget& parent, const CorrespondenceField& field) {
    const QString name = ObjectName(field.editor.box);
    if (auto* shared = parent.findChild<QWidget*>(name, Qt::FindDirectChildrenOnly)) {
        return shared;
    }
    if (field.editor.value == EditorValue::kListText) {
        auto* combo = new zel::YsComboBox(&parent);
        combo->setObjectName(name);
        return combo;
    }
    auto* edit = new zel::Edit(&parent);
    edit->setObjectName(name);
    // A box whose field is never saved only shows what a look-up found.
    edit->setReadOnly(!IsSavedFromBox(field.editor.box));
    return edit;
}

template <class Box>
Box& BoxAs(QWidget* box, const CorrespondenceField& field) {
    auto* typed = qobject_cast<Box*>(box);
    if (!typed) {
        throw std::logic_error("the editor has no such box for " + std::string(field.column));
    }
    return *typed;
}

}  // namespace

EditorBoxes::EditorBoxes(QWidget& parent) {
    for (const CorrespondenceField& field : kCorrespondenceFields) {
        if (field.editor.value != EditorValue::kNone) {
            boxes_[IndexOf(field)] = MadeBox(parent, field);
        }
    }
    // After every box, in the boxes' order: so the pickers follow the boxes in the focus chain.
    for (const CorrespondenceField* field : FieldsInEditorTabOrder()) {
        if (!field->editor.picker.empty()) {
            auto* picker = new zel::YsCommandButton(&parent);
            picker->setObjectName(ObjectName(field->editor.picker));
            pickers_[IndexOf(*field)] = picker;
        }
    }
}

void EditorBoxes::PickFocused() const {
    const QWidget* focused = QApplication::focusWidget();
    for (const CorrespondenceField& field : kCorrespondenceFields) {
        zel::YsCommandButton* picker = Picker(field);
        if (picker && focused == Box(field) && picker->isEnabled()) {
            picker->click();
        }
    }
}

zel::Edit& EditorBoxes::Edit(const CorrespondenceField& field) const {
    return BoxAs<zel::Edit>(Box(field), field);
}

zel::YsComboBox& EditorBoxes::Combo(const CorrespondenceField& field) const {
    return BoxAs<zel::YsComboBox>(Box(field), field);
}

void EditorBoxes::Show(const CorrespondenceField& field, const std::string& text) const {
    switch (field.editor.value) {
        case EditorValue::kText:
            Edit(field).SetText(text);
            break;
        case EditorValue::kTag:
            Edit(field).SetTag(text);
            break;
        case EditorValue::kListText: {
            zel::YsComboBox& combo = Combo(field);
            combo.SetListIndex(combo.findText(QString::fromStdString(text),
                                              Qt::MatchExactly | Qt::MatchCaseSensitive));
            break;
        }
        case EditorValue::kNone:
            break;
    }
}

std::string EditorBoxes::Read(const CorrespondenceField& field) const {
    switch (field.editor.value) {
        case EditorValue::kText:
            return Edit(field).Text();
        case EditorValue::kTag:
            return Edit(field).Tag();
        case EditorValue::kListText:
            return Combo(field).Text();
        case EditorValue::kNone:
            break;
    }
    return {};
}

CorrespondenceRow EditorBoxes::RecordRow() const {
    CorrespondenceRow row;
    for (const CorrespondenceField* field : FieldsInRecordXmlOrder()) {
        const QWidget* box = Box(*field);
        if (!field->recordXml.onlyWhenReachable || (box->isEnabled() && !box->isHidden())) {
            row.Set(*field, Read(*field));
        }
    }
    return row;
}

void EditorBoxes::Clear(std::initializer_list<const CorrespondenceField*> kept) const {
    for (const CorrespondenceField& field : kCorrespondenceFields) {
        if (std::find(kept.begin(), kept.end(), &field) != kept.end()) {
            continue;
        }
        if (auto* combo = qobject_cast<zel::YsComboBox*>(Box(field))) {
            combo->SetListIndex(-1);
        } else if (auto* edit = qobject_cast<zel::Edit*>(Box(field))) {
            edit->SetText({});
            edit->SetUTooltipText({});
            edit->SetTag({});
        }
    }
}

bool EditorBoxes::TakesEntry(const QWidget* widget) const {
    if (widget == nullptr || std::find(boxes_.begin(), boxes_.end(), widget) == boxes_.end() ||
        !widget->isEnabled() || !widget->isVisibleTo(widget->window())) {
        return false;
    }
    const auto* edit = qobject_cast<const zel::Edit*>(widget);
    return edit == nullptr || !edit->isReadOnly();
}

QWidget* EditorBoxes::FirstTakingEntry(bool emptyOnly) const {
    const auto empty = [](const QWidget* box) {
        if (const auto* edit = qobject_cast<const zel::Edit*>(box)) {
            return edit->text().isEmpty();
        }
        const auto* combo = qobject_cast<const zel::YsComboBox*>(box);
        return combo != nullptr && combo->ListIndex() < 0;
    };
    for (const CorrespondenceField* field : FieldsInEditorTabOrder()) {
        QWidget* box = Box(*field);
        if (TakesEntry(box) && (!emptyOnly || empty(box))) {
            return box;
        }
    }
    return nullptr;
}

void EditorBoxes::SetTabOrder() const {
    QWidget* previous = nullptr;
    for (const CorrespondenceField* field : FieldsInEditorTabOrder()) {
        if (previous) {
            QWidget::setTabOrder(previous, Box(*field));
        }
        previous = Box(*field);
    }
}

void EditorBoxes::ApplyLimits(short quantityDigits) const {
    for (const CorrespondenceField& field : kCorrespondenceFields) {
        auto* box = qobject_cast<zel::Edit*>(Box(field));
        if (!box) {
            continue;
        }
        if (field.editor.maxLength > 0) {
            box->SetMaxLength(field.editor.maxLength);
        }
        if (TakesQuantityDigits(field)) {
            box->SetDigits(quantityDigits);
        }
    }
}

}  // namespace korvel
