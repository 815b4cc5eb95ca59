#pragma once

#include <QWidget>
#include <vector>

#include "host/controls/find/find_field.h"
#include "host/controls/find/find_row.h"
#include "host/controls/modal_shower.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace zel {

// One line of the find dialog: "and/or", field, operator, the value boxes the operator needs
// (a list for a field with fixed values, a calendar button beside a date) and a remove button.
// Child object names: join, field, operator, value, value2, choice, pick, pick2, remove.
class FindRowEditor final : public QWidget {
    Q_OBJECT

public:
    // The fields must outlive the editor; showModal shows the calendar of a date field.
    FindRowEditor(const std::vector<FindField>& fields, ModalShower showModal,
                  QWidget* parent = nullptr);

    // The first line has nothing before it to join to; its join box keeps its room, unseen.
    void SetFirst(bool first);
    // A line of a field the editor does not offer, or an operator the field does not take, is
    // shown as far as it fits.
    void SetRow(const FindRow& row);
    FindRow Row() const;

    // Widths of the parts, for a header above the lines.
    static int JoinWidth();
    static int FieldWidth();
    static int OperatorWidth();
    static int ValueWidth();

signals:
    void removeRequested(FindRowEditor* editor);

private:
    void LayOut();
    void Connect();
    const FindField& CurrentField() const;
    FindOperator CurrentOperator() const;
    void FillOperators();
    // Shows the value boxes the field and operator need.
    void ShowValueBoxes();
    void PickDate(QLineEdit& box);

    const std::vector<FindField>& fields_;
    ModalShower showModal_;
    QComboBox* join_;
    QComboBox* field_;
    QComboBox* operator_;
    QLineEdit* value_;
    QComboBox* choice_;
    QToolButton* pick_;
    QLabel* to_;
    QLineEdit* value2_;
    QToolButton* pick2_;
    QToolButton* remove_;
    bool first_ = false;
};

}  // namespace zel
