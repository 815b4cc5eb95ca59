#include "editor_test_window.h"

#include <QGridLayout>
#include <QVBoxLayout>
#include <iterator>

namespace zel::test {
namespace {

constexpr short kQuantityDigits = 2;

struct FieldPlace {
    const char* label;
    const char* caption;
    const char* field;
    bool number;
};

// Two columns of label and box, as the editor lays them out.
constexpr FieldPlace kFields[] = {
    {"LblcWhcode", "仓库编码", "cWhCode", false},
    {"LblcWhName", "仓库名称", "cWhName", false},
    {"Labcinvcode", "存货编码", "cinvcode", false},
    {"LabcInvName", "存货名称", "cInvName", false},
    {"LabcInvStd", "规格型号", "cInvStd", false},
    {"LblcPersonCode", "库管员", "cWhPersonCode", false},
    {"LbliWastage", "合理损耗率", "iWastage", true},
    {"LbldLastDate", "上次盘点日期", "dLastDate", false},
    {"LabiTopSum", "最高库存", "iTopSum", true},
    {"LabiLowSum", "最低库存", "iLowSum", true},
    {"LabiSafeNum", "安全库存", "iSafeNum", true},
    {"LbliFrequency", "盘点周期", "iFrequency", false},
    {"LblcFrequency", "盘点周期单位", "cFrequency", false},
    {"LblCboiDays", "每月第", "iDays", false},
};

}  // namespace

EditorTestWindow::EditorTestWindow() {
    setObjectName("FrmAddInv");
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    toolbar = new YsToolbar(this);
    toolbar->setObjectName("TLB2");
    frame->addWidget(toolbar);
    fields = new QFrame(this);
    fields->setObjectName("FrameAll");
    frame->addWidget(fields, 1);
    new QGridLayout(fields);
    for (int i = 0; i < static_cast<int>(std::size(kFields)); ++i) {
        const FieldPlace& place = kFields[i];
        AddField(i / 2, (i % 2) * 2, place.label, place.caption, place.field);
        if (place.number) {
            Box(place.field)->setProperty("digits", kQuantityDigits);
        }
    }
    auto* day = new YsLabel(fields);
    day->setObjectName("Lblday");
    day->SetCaption("天");
    styleFrame = new QFrame(this);
    styleFrame->setObjectName("Frame3");
    styleFrame->hide();

    for (const char* image : {"pSave", "First", "Previous", "Next", "Last", "pClose"}) {
        images_.AddOwn(image);
    }
    buttons = new ButtonBar(this);
    buttons->setObjectName("Tlb");
    buttons->SetImageList(&images_);
    buttons->Add("SaveRs", ToolbarButton::kButton, "pSave");
    buttons->Add("", ToolbarButton::kSeparator);
    for (const char* key : {"First", "Previous", "Next", "Last"}) {
        buttons->Add(key, ToolbarButton::kButton, key);
    }
    buttons->Add("", ToolbarButton::kSeparator);
    buttons->Add("Exit", ToolbarButton::kButton, "pClose");
    buttons->Buttons("SaveRs")->SetEnabled(false);
    toolbar->Build(*buttons);
    connect(toolbar, &YsToolbar::ButtonClick, this,
            [this](const std::string& key, const std::string&) { Operating(key); });
    resize(640, 360);
}

QLineEdit* EditorTestWindow::Box(const char* field) const {
    return findChild<QLineEdit*>(QStringLiteral("Edt") + QString::fromUtf8(field));
}

YsLabel* EditorTestWindow::Label(const char* name) const {
    return findChild<YsLabel*>(QString::fromUtf8(name));
}

void EditorTestWindow::AddField(int row, int column, const char* labelName, const char* caption,
                                const char* field) {
    auto* grid = static_cast<QGridLayout*>(fields->layout());
    auto* label = new YsLabel(fields);
    label->setObjectName(QString::fromUtf8(labelName));
    label->SetCaption(caption);
    auto* box = new QLineEdit(fields);
    box->setObjectName(QStringLiteral("Edt") + QString::fromUtf8(field));
    grid->addWidget(label, row, column);
    grid->addWidget(box, row, column + 1);
}

void EditorTestWindow::Operating(const std::string& key) {
    if (key != "SaveRs") {
        return;
    }
    ++saves;
    if (saveSucceeds) {
        buttons->Buttons("SaveRs")->SetEnabled(false);
    }
}

}  // namespace zel::test
