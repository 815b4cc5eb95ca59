#include "editor/editor_field_layout.h"

#include <QGridLayout>
#include <QHBoxLayout>

namespace korvel {
namespace {

zel::YsLabel* AddLabel(QWidget& frame, const char* name, const char* text) {
    auto* label = new zel::YsLabel(&frame);
    label->setObjectName(name);
    label->SetCaption(text);
    return label;
}

// The field's box, with its picker at its right when it has one.
QWidget* FieldCell(QWidget& frame, const EditorBoxes& boxes, const CorrespondenceField& field) {
    zel::Edit* edit = &boxes.Edit(field);
    zel::YsCommandButton* picker = boxes.Picker(field);
    if (!picker) {
        return edit;
    }
    auto* cell = new QWidget(&frame);
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(edit, 1);
    row->addWidget(picker);
    return cell;
}

}  // namespace

zel::YsLabel& LayOutEditorFields(QWidget& frame, const EditorBoxes& boxes) {
    auto* grid = new QGridLayout(&frame);
    grid->setContentsMargins(12, 10, 12, 10);
    grid->setHorizontalSpacing(8);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(2, 16);
    auto* divider = new QFrame(&frame);
    divider->setFrameShape(QFrame::HLine);
    grid->addWidget(divider, 0, 0, 1, 4);

    struct Labelled {
        const char* label;
        const char* text;
        const CorrespondenceField* field;
    };
    const std::pair<Labelled, Labelled> lines[] = {
        {{"LblcWhcode", "仓库编码", &Field("cWhCode")},
         {"LblcWhName", "仓库名称", &Field("cWhName")}},
        {{"Labcinvcode", "存货编码", &Field("cInvCode")},
         {"LabcInvName", "存货名称", &Field("cInvName")}},
        {{"LblCUnitGroupCode", "计量单位组编码", &Field("cGroupCode")},
         {"LblcGroupName", "计量单位组名称", &Field("cGroupName")}},
        {{"LabcComunitCode", "主计量单位编码", &Field("cComunitCode")},
         {"LblcComunitName", "主计量单位名称", &Field("cComUnitName")}},
        {{"LabcInvStd", "规格型号", &Field("cInvStd")},
         {"LblcPersonCode", "库管员", &Field("cWhPersonCode")}},
        {{"LbliWastage", "合理损耗率", &Field("iWastage")},
         {"LbldLastDate", "上次盘点日期", &Field("dLastDate")}},
        {{"LabiTopSum", "最高库存", &Field("iTopSum")},
         {"LabiLowSum", "最低库存", &Field("iLowSum")}},
        {{"LabiSafeNum", "安全库存", &Field("iSafeNum")},
         {"LbliFrequency", "盘点周期", &Field("iFrequency")}},
    };
    int gridRow = 1;
    for (const auto& [left, right] : lines) {
        grid->addWidget(AddLabel(frame, left.label, left.text), gridRow, 0);
        grid->addWidget(FieldCell(frame, boxes, *left.field), gridRow, 1);
        grid->addWidget(AddLabel(frame, right.label, right.text), gridRow, 2);
        grid->addWidget(FieldCell(frame, boxes, *right.field), gridRow, 3);
        ++gridRow;
    }

    // The unit, and at its right the day list between the two words of its caption.
    auto* daysLabel = AddLabel(frame, "LblCboiDays", "每月第");
    auto* dayBox = new QWidget(&frame);
    auto* dayRow = new QHBoxLayout(dayBox);
    dayRow->setContentsMargins(0, 0, 0, 0);
    dayRow->addWidget(daysLabel);
    dayRow->addWidget(&boxes.Combo(Field("iDays")), 1);
    dayRow->addWidget(AddLabel(frame, "Lblday", "天"));
    grid->addWidget(AddLabel(frame, "LblcFrequency", "盘点周期单位"), gridRow, 0);
    grid->addWidget(&boxes.Combo(Field("cFrequency")), gridRow, 1);
    grid->addWidget(dayBox, gridRow, 3);
    grid->setRowStretch(gridRow + 1, 1);
    return *daysLabel;
}

}  // namespace korvel
