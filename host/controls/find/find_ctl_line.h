#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "host/controls/find/field_definition.h"
#include "host/controls/find/find_row.h"
#include "host/controls/modal_shower.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace zel {

class FieldValueBox;

// One condition line of the condition control: "and/or", field (an empty first entry leaves the
// line unused), the operators the field takes, and the value boxes the operator needs.
// Child object names: join, field, operator, value, to, value2.
class FindCtlLine final : public QWidget {
    Q_OBJECT

public:
    // The fields must outlive the line.
    FindCtlLine(const std::vector<DefinedField>& fields, ModalShower showModal, QWidget* parent);

    // The first line has nothing before it to join to; its join box keeps its room, unseen.
    void SetFirst(bool first);
    // nullopt while no field is chosen.
    std::optional<FindRow> Row() const;

    static int JoinWidth();
    static int FieldWidth();
    static int OperatorWidth();
    static int ValueWidth();

signals:
    void referenceRequested(const std::string& field, QLineEdit& box);

private:
    const DefinedField* CurrentField() const;
    FindOperator CurrentOperator() const;
    void FieldChanged();
    void ShowValueBoxes();

    const std::vector<DefinedField>& fields_;
    QComboBox* join_;
    QComboBox* field_;
    QComboBox* operator_;
    FieldValueBox* value_;
    QLabel* to_;
    FieldValueBox* value2_;
    bool first_ = false;
};

}  // namespace zel
