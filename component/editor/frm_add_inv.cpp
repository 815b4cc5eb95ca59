#include "editor/frm_add_inv.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/common.h"
#include "core/const.h"
#include "core/correspondence_fields.h"
#include "core/form_key.h"
#include "core/run_ignoring_errors.h"
#include "editor/editor_queries.h"
#include "editor/field_box.h"

namespace korvel {
namespace {

constexpr int kReferencePicture = 101;

QWidget* WithButton(QWidget* parent, QWidget* field, QWidget* button) {
    auto* box = new QWidget(parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(field, 1);
    row->addWidget(button);
    return box;
}

}  // namespace

FrmAddInv::FrmAddInv(ComponentContext& context, zel::YsTreeView& tree, QWidget* parent)
    : QDialog(parent), context_(context), checks_(context), tree_(tree), frame_(*this, context) {
    setObjectName("FrmAddInv");
    CreateControls();
    ConnectControls();
    ConnectChecks();
    Load();
}

void FrmAddInv::CreateControls() {
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->setSpacing(0);
    toolbar_ = &frame_.AddToolbars(*this);
    frame->addWidget(toolbar_);
    frameAll_ = new zel::YsFrame(this);
    frameAll_->setObjectName("FrameAll");
    frame->addWidget(frameAll_, 1);
    frame3_ = &frame_.AddStyleFrame();
    CreateFieldGrid();
    buttons_ = &frame_.Buttons();
    keyHook_ = &frame_.KeyHook();
    captionManager_ = &frame_.CaptionManager();
}

zel::Edit* FrmAddInv::AddEdit(const char* name) {
    auto* edit = new zel::Edit(frameAll_);
    edit->setObjectName(name);
    return edit;
}

zel::YsLabel* FrmAddInv::AddLabel(const char* name, const char* text) {
    auto* label = new zel::YsLabel(frameAll_);
    label->setObjectName(name);
    label->SetCaption(text);
    return label;
}

zel::YsCommandButton* FrmAddInv::AddPickButton(const char* name) {
    auto* button = new zel::YsCommandButton(frameAll_);
    button->setObjectName(name);
    return button;
}

// Two columns of labelled fields, nine lines, in the order users read a row.
void FrmAddInv::CreateFieldGrid() {
    auto* grid = new QGridLayout(frameAll_);
    grid->setContentsMargins(12, 10, 12, 10);
    grid->setHorizontalSpacing(8);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(2, 16);
    auto* divider = new QFrame(frameAll_);
    divider->setFrameShape(QFrame::HLine);
    grid->addWidget(divider, 0, 0, 1, 4);

    whCode_ = AddEdit("EdtcWhCode");
    whName_ = AddEdit("EdtcWhName");
    invCode_ = AddEdit("Edtcinvcode");
    invName_ = AddEdit("EdtcInvName");
    invStd_ = AddEdit("EdtcInvStd");
    groupCode_ = AddEdit("EdtcGroupCode");
    groupName_ = AddEdit("EdtcGroupName");
    unitCode_ = AddEdit("EdtcComunitCode");
    unitName_ = AddEdit("EdtcComunitName");
    person_ = AddEdit("EdtcWhPersonCode");
    wastage_ = AddEdit("EdtiWastage");
    lastDate_ = AddEdit("EdtdLastDate");
    topSum_ = AddEdit("EdtiTopSum");
    lowSum_ = AddEdit("EdtiLowSum");
    safeNum_ = AddEdit("EdtiSafeNum");
    frequency_ = AddEdit("EdtiFrequency");
    unit_ = new zel::YsComboBox(frameAll_);
    unit_->setObjectName("CbocFrequency");
    days_ = new zel::YsComboBox(frameAll_);
    days_->setObjectName("CboiDays");
    pickWarehouse_ = AddPickButton("cmdRef1");
    pickInventory_ = AddPickButton("cmdRef2");
    pickPerson_ = AddPickButton("cmdRef3");
    pickDate_ = AddPickButton("CmdDate");
    // A box whose field is never saved only shows what a look-up found.
    for (zel::Edit* edit : frameAll_->findChildren<zel::Edit*>()) {
        edit->setReadOnly(!IsSavedFromBox(edit->objectName().toStdString()));
    }

    daysLabel_ = AddLabel("LblCboiDays", "每月第");
    dayWord_ = AddLabel("Lblday", "天");
    auto* dayBox = new QWidget(frameAll_);
    auto* dayRow = new QHBoxLayout(dayBox);
    dayRow->setContentsMargins(0, 0, 0, 0);
    dayRow->addWidget(daysLabel_);
    dayRow->addWidget(days_, 1);
    dayRow->addWidget(dayWord_);

    struct Line {
        zel::YsLabel* leftLabel;
        QWidget* left;
        zel::YsLabel* rightLabel;
        QWidget* right;
    };
    const Line lines[] = {
        {AddLabel("LblcWhcode", "仓库编码"), WithButton(frameAll_, whCode_, pickWarehouse_),
         AddLabel("LblcWhName", "仓库名称"), whName_},
        {AddLabel("Labcinvcode", "存货编码"), WithButton(frameAll_, invCode_, pickInventory_),
         AddLabel("LabcInvName", "存货名称"), invName_},
        {AddLabel("LblCUnitGroupCode", "计量单位组编码"), groupCode_,
         AddLabel("LblcGroupName", "计量单位组名称"), groupName_},
        {AddLabel("LabcComunitCode", "主计量单位编码"), unitCode_,
         AddLabel("LblcComunitName", "主计量单位名称"), unitName_},
        {AddLabel("LabcInvStd", "规格型号"), invStd_, AddLabel("LblcPersonCode", "库管员"),
         WithButton(frameAll_, person_, pickPerson_)},
        {AddLabel("LbliWastage", "合理损耗率"), wastage_, AddLabel("LbldLastDate", "上次盘点日期"),
         WithButton(frameAll_, lastDate_, pickDate_)},
        {AddLabel("LabiTopSum", "最高库存"), topSum_, AddLabel("LabiLowSum", "最低库存"), lowSum_},
        {AddLabel("LabiSafeNum", "安全库存"), safeNum_, AddLabel("LbliFrequency", "盘点周期"),
         frequency_},
        {AddLabel("LblcFrequency", "盘点周期单位"), unit_, nullptr, dayBox},
    };
    int gridRow = 1;
    for (const Line& line : lines) {
        grid->addWidget(line.leftLabel, gridRow, 0);
        grid->addWidget(line.left, gridRow, 1);
        if (line.rightLabel) {
            grid->addWidget(line.rightLabel, gridRow, 2);
        }
        grid->addWidget(line.right, gridRow, 3);
        ++gridRow;
    }
    grid->setRowStretch(gridRow, 1);

    SetTabOrder();
}

void FrmAddInv::SetTabOrder() {
    QWidget* previous = nullptr;
    for (const CorrespondenceField* field : FieldsInEditorTabOrder()) {
        auto* box = FieldBox<QWidget>(*frameAll_, *field);
        if (previous) {
            QWidget::setTabOrder(previous, box);
        }
        previous = box;
    }
}

void FrmAddInv::ConnectControls() {
    connect(toolbar_, &zel::YsToolbar::ButtonClick, this,
            [this](const std::string& key, const std::string&) { Operating(key); });
    connect(keyHook_, &zel::YsKeyHook::KeyDown, this,
            [this](int& keyCode, int shift) { OnKeyDown(keyCode, shift); });
    connect(keyHook_, &zel::YsKeyHook::KeyPress, this, [this](int& ascii) { OnKeyPress(ascii); });
    connect(unit_, &zel::YsComboBox::Click, this, [this] { UnitChosen(); });
    connect(days_, &zel::YsComboBox::Click, this, [this] { DayChosen(); });
    for (zel::YsComboBox* combo : {unit_, days_}) {
        connect(combo, &zel::YsComboBox::DropDown, this, [this] { MarkChanged(); });
    }
    connect(pickDate_, &zel::YsCommandButton::Click, this, [this] { PickDate(); });
}

// Each step runs whatever became of the one before it.
void FrmAddInv::Load() {
    zel::IPub& pub = *context_.login.pub;
    RunIgnoringErrors([&] { pub.FrmUniteFont(*this); });
    RunIgnoringErrors([&] { pub.FormLayout(*this, kFormKey); });
    RunIgnoringErrors([&] { InitToolBar(); });
    RunIgnoringErrors([&] { SetLabelCaptions(); });
    RunIgnoringErrors([&] { AddCmbItems(*unit_, context_.catalogue.arrFreqText, -1); });
    RunIgnoringErrors([&] {
        const QIcon reference = pub.GetRes(kReferencePicture);
        for (zel::YsCommandButton* button : {pickWarehouse_, pickInventory_, pickPerson_}) {
            button->SetPicture(reference);
        }
        pickDate_->SetPicture(zel::ImageList::OwnIcon("Calendar"));
    });
    RunIgnoringErrors([&] { ApplyLimits(); });
    RunIgnoringErrors([&] { pub.FrmOptInit(*this, 1); });
}

void FrmAddInv::InitToolBar() {
    for (const char* key : {"pSave", "pNew", "pClose", "First", "Previous", "Next", "Last"}) {
        images_.AddOwn(key);
    }
    buttons_->SetImageList(&images_);
    buttons_->Add("SaveRs", zel::ToolbarButton::kButton, "pSave");
    buttons_->Add({}, zel::ToolbarButton::kSeparator);
    for (const char* key : {"First", "Previous", "Next", "Last"}) {
        buttons_->Add(key, zel::ToolbarButton::kButton, key);
    }
    buttons_->Add({}, zel::ToolbarButton::kSeparator);
    buttons_->Add("Exit", zel::ToolbarButton::kButton, "pClose");
    zel::IPub& pub = *context_.login.pub;
    pub.SetTlb(*buttons_);
    pub.SetYsTlbStyleNew(*this, false, *frame3_, *frameAll_);
}

void FrmAddInv::SetLabelCaptions() {
    zel::IPub& pub = *context_.login.pub;
    pub.SetLabelCaption(*context_.login.db, *this, "inventory");
    const std::pair<const char*, const char*> captions[] = {
        {"LblcWhcode", "Zel.AA.ARCHIVE.FIELD.cwhcode"},
        {"LblcWhName", "Zel.AA.ARCHIVE.FIELD.cwhname"},
        {"LblCUnitGroupCode", "Zel.AA.ARCHIVE.FIELD.cunitgroup"},
        {"LabcComunitCode", "Zel.AA.ARCHIVE.FIELD.main_ccomunit"},
        {"LblcGroupName", "Zel.AA.ARCHIVE.FIELD.cgroupname"},
        {"LblcComunitName", "Zel.AA.ARCHIVE.FIELD.main_ccomunitname"},
        {"LblcPersonCode", "Zel.AA.WHINVCONTRAPOSE.person"},
        {"Lblday", "Zel.AA.ARCHIVE.FIELD.day"},
    };
    for (const auto& [name, key] : captions) {
        if (auto* label = findChild<zel::YsLabel*>(name)) {
            label->SetCaption(pub.GetResString(key));
        }
    }
    std::vector<std::string> unit{""};
    daysLabel_->SetCaption(pub.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.FRMADDINV.206_1", unit));
}

void FrmAddInv::ApplyLimits() {
    for (const CorrespondenceField& field : kCorrespondenceFields) {
        auto* box = FieldBox<zel::Edit>(*frameAll_, field);
        if (!box) {
            continue;
        }
        if (field.editor.maxLength > 0) {
            box->SetMaxLength(field.editor.maxLength);
        }
        if (TakesQuantityDigits(field)) {
            box->SetDigits(context_.quantity.digits);
        }
    }
    // The person box shows the name, so it takes what the name column holds.
    const auto sizes = context_.login.db->OpenX(EditorColumnSizesQuery());
    if (sizes) {
        const int index = sizes->FieldIndex("cPersonName");
        if (index >= 0 && sizes->FieldDefinedSize(index) > 0) {
            person_->SetMaxLength(static_cast<int>(sizes->FieldDefinedSize(index)));
        }
    }
}

void FrmAddInv::AddCmbItems(zel::YsComboBox& combo, const std::vector<std::string>& texts,
                            short listIndex) {
    combo.Clear();
    for (const std::string& text : texts) {
        combo.AddItem(text);
    }
    combo.SetListIndex(listIndex);
}

void FrmAddInv::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    RunIgnoringErrors([this] { context_.login.pub->YsTlbResize(*this); });
}

void FrmAddInv::reject() {
    Operating("Exit");
}

// Every close asks the host about unsaved changes first; the host may keep the window open.
void FrmAddInv::closeEvent(QCloseEvent* event) {
    if (unloaded_) {
        event->accept();
        return;
    }
    bool cancel = false;
    int unloadMode = 0;
    RunIgnoringErrors([&] { context_.login.pub->isSaveRs(*this, cancel, unloadMode); });
    if (cancel) {
        event->ignore();
        return;
    }
    unloaded_ = true;
    RunIgnoringErrors([this] { context_.login.pub->FrmUnLoad(); });
    event->accept();
    QDialog::done(QDialog::Accepted);
}

}  // namespace korvel
