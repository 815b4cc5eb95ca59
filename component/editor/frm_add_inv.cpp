#include "editor/frm_add_inv.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "core/common.h"
#include "core/const.h"
#include "core/correspondence_fields.h"
#include "core/form_key.h"
#include "core/run_ignoring_errors.h"
#include "editor/editor_field_layout.h"
#include "editor/editor_queries.h"

namespace korvel {
namespace {

constexpr int kReferencePicture = 101;

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

void FrmAddInv::CreateFieldGrid() {
    boxes_ = std::make_unique<EditorBoxes>(*frameAll_);
    unit_ = &CbocFrequency();
    days_ = &CboiDays();
    lastDate_ = &EdtdLastDate();
    pickDate_ = boxes_->Picker(Field("dLastDate"));
    daysLabel_ = &LayOutEditorFields(*frameAll_, *boxes_);
    boxes_->SetTabOrder();
}

void FrmAddInv::ConnectControls() {
    connect(toolbar_, &zel::YsToolbar::ButtonClick, this,
            [this](const std::string& key, const std::string&) { Operating(key); });
    connect(keyHook_, &zel::YsKeyHook::KeyDown, this,
            [this](int& keyCode, int shift) { OnKeyDown(keyCode, shift); });
    connect(keyHook_, &zel::YsKeyHook::KeyPress, this, [this](int& ascii) { OnKeyPress(ascii); });
    connect(&CbocFrequency(), &zel::YsComboBox::Click, this, [this] { UnitChosen(); });
    connect(&CboiDays(), &zel::YsComboBox::Click, this, [this] { DayChosen(); });
    for (zel::YsComboBox* combo : {&CbocFrequency(), &CboiDays()}) {
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
    RunIgnoringErrors([&] { AddCmbItems(CbocFrequency(), context_.catalogue.arrFreqText, -1); });
    RunIgnoringErrors([&] {
        const QIcon reference = pub.GetRes(kReferencePicture);
        for (zel::YsCommandButton* button : {&cmdRef1(), &cmdRef2(), &cmdRef3()}) {
            button->SetPicture(reference);
        }
        pickDate_->SetPicture(zel::ImageList::OwnIcon("Calendar"));
    });
    RunIgnoringErrors([&] { ApplyLimits(); });
    RunIgnoringErrors([&] { pub.FrmOptInit(*this, 1); });
    frame_.BindHelp(kEditorHelpKey);
    frame_.ShowHelpOnF1();
}

void FrmAddInv::InitToolBar() {
    for (const char* key :
         {"pSave", "pNew", "pClose", "First", "Previous", "Next", "Last", "History"}) {
        frame_.Images().AddOwn(key);
    }
    buttons_->Add("SaveRs", zel::ToolbarButton::kButton, "pSave");
    buttons_->Add({}, zel::ToolbarButton::kSeparator);
    for (const char* key : {"First", "Previous", "Next", "Last"}) {
        buttons_->Add(key, zel::ToolbarButton::kButton, key);
    }
    buttons_->Add("History", zel::ToolbarButton::kButton, "History");
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
    boxes_->ApplyLimits(context_.quantity.digits);
    // The person box shows the name, so it takes what the name column holds.
    const auto sizes = context_.login.db->OpenX(EditorColumnSizesQuery());
    if (sizes) {
        const int index = sizes->FieldIndex("cPersonName");
        if (index >= 0 && sizes->FieldDefinedSize(index) > 0) {
            EdtcWhPersonCode().SetMaxLength(static_cast<int>(sizes->FieldDefinedSize(index)));
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
    if (frame_.Unloaded()) {
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
    frame_.Unload();
    event->accept();
    QDialog::done(QDialog::Accepted);
}

}  // namespace korvel
