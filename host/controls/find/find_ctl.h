#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "host/controls/find/field_definition.h"
#include "host/controls/modal_shower.h"
#include "interfaces/recordset.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace zel {

class FieldValueBox;
class FindCtlLine;

// The condition control of a multi-record modify window ("Find"). From a field definition it
// lets the user build a condition over the defined fields (operators fitting each field's kind,
// reference buttons, the value list of an enumerated field, a date picker for dates), choose one
// of the fields and type its new value, then confirm or cancel. The definition is
// <table><table.Column showfldname='caption' reftype='ref|decdgt||enum|date' bmulmodify='1'
// decdgt='2' enumval='a;b;c' />...</table>.
class FindCtl final : public QWidget {
    Q_OBJECT

public:
    // showModal shows the control's own dialogs (the date picker, its refusals).
    FindCtl(ModalShower showModal, QWidget* parent);

    // Reads the definition; columns is an empty result of the table, whose fields give the
    // columns' types. modifyCaption and modifyKeyHint label the confirm button ("修改", "(F8)").
    // False with the reason in message when the definition cannot be read or defines no field
    // that may be changed.
    bool SetFieldDef(std::string& fieldDefXml, std::shared_ptr<IRecordset>& columns,
                     std::string& message, const std::string& modifyCaption,
                     const std::string& modifyKeyHint);
    // The number of condition lines shown before the user adds more (at least 1).
    void SetConditionLines(int lines);

    // Confirms as the confirm button does (the window's F8).
    void Confirm();

signals:
    // The user confirmed: condition is an SQL condition over the table's qualified columns
    // ("whinvcontrapose.cInvCode='A01'"), every value quoted; "1=1" when no line is filled.
    // caption and field are those of the field chosen for the change ("whinvcontrapose.iTopSum"),
    // value the new value as typed (for an enumerated field one of its display values).
    void ModifyRequest(std::string& condition, std::string& caption, std::string& field,
                       std::string& value);
    void CancelRequest();
    // A reference button beside a value box: field is the field's name as defined; the window
    // puts the chosen code into code (the box then shows it) and may set the box's tooltip.
    void RefRequest(const std::string& field, std::string& code, QLineEdit& box);

private:
    QWidget* NewConditionBox();
    QWidget* NewModifyRow();
    QWidget* NewButtonRow();
    void AddLine();
    void RemoveLastLine();
    void ClearLines();
    const DefinedField* ModifyField() const;
    void ForwardReference(const std::string& field, QLineEdit& box);
    void Refuse(const std::string& message);

    ModalShower showModal_;
    FieldDefinition definition_;
    std::vector<FindCtlLine*> lines_;
    QVBoxLayout* linesLayout_ = nullptr;
    QComboBox* modifyField_ = nullptr;
    FieldValueBox* modifyValue_ = nullptr;
    QPushButton* confirm_ = nullptr;
};

}  // namespace zel
