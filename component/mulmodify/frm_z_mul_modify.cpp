#include "mulmodify/frm_z_mul_modify.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>

#include "core/common.h"
#include "core/database_failure.h"
#include "core/form_key.h"
#include "core/run_ignoring_errors.h"
#include "core/text_case.h"
#include "host/controls/edit_box.h"
#include "mulmodify/modify_request.h"

namespace korvel {
namespace {

constexpr int kKeyEscape = 27;
constexpr int kKeyF8 = 119;
constexpr int kMargin = 8;

struct ReferenceKind {
    const char* column;
    const char* objectKind;
    std::string LoginContext::*authCondition;
};

constexpr ReferenceKind kReferenceKinds[] = {
    {"cinvcode", "Inventory", &LoginContext::sAuthInvW},
    {"cwhcode", "warehouse", &LoginContext::sAuthWhW},
    {"cwhpersoncode", "person", &LoginContext::sAuthPersonW},
};

const ReferenceKind* ReferenceKindOf(const std::string& field) {
    const std::string name = AsciiLower(field);
    for (const ReferenceKind& kind : kReferenceKinds) {
        if (name == kind.column || name == std::string("whinvcontrapose.") + kind.column) {
            return &kind;
        }
    }
    return nullptr;
}

}  // namespace

FrmZMulModify::FrmZMulModify(ComponentContext& context, std::function<void()> dataRefresh,
                             QWidget* parent)
    : QDialog(parent),
      context_(context),
      dataRefresh_(std::move(dataRefresh)),
      frame_(*this, context) {
    setObjectName("FrmZMulModify");
    CreateControls();
    ConnectControls();
    Load();
}

void FrmZMulModify::CreateControls() {
    zel::IPub& pub = *context_.login.pub;
    find_ = new zel::FindCtl([&pub, this](QDialog& dialog) { return pub.ShowModal(dialog, this); },
                             this);
    find_->move(kMargin, kMargin);
    find_->resize(640, 360);
    // The main window's tree selection does not narrow the condition: said where it is built.
    scopeNote_ = new QLabel(
        QString::fromStdString(pub.GetResString("Zel.AAARCHIVE.COMMON.modify_scope")), this);
    scopeNote_->setObjectName("ScopeNote");
    scopeNote_->setWordWrap(true);
    scopeNote_->setGeometry(kMargin, find_->y() + find_->height() + kMargin, find_->width(),
                            scopeNote_->heightForWidth(find_->width()));
    resize(find_->width() + 2 * kMargin, scopeNote_->geometry().bottom() + 1 + kMargin);
}

void FrmZMulModify::ConnectControls() {
    connect(&frame_.KeyHook(), &zel::YsKeyHook::KeyDown, this,
            [this](int& keyCode, int shift) { OnKeyDown(keyCode, shift); });
    connect(find_, &zel::FindCtl::CancelRequest, this, [this] { close(); });
    connect(find_, &zel::FindCtl::RefRequest, this,
            [this](const std::string& field, std::string& code, QLineEdit& box) {
                Find_RefRequest(field, code, box);
            });
    connect(find_, &zel::FindCtl::ModifyRequest, this,
            [this](std::string& condition, std::string& caption, std::string& field,
                   std::string& value) { Find_ModifyRequest(condition, caption, field, value); });
}

void FrmZMulModify::Load() {
    zel::IPub& pub = *context_.login.pub;
    RunIgnoringErrors([&] { pub.FrmUniteFont(*this); });
    RunIgnoringErrors([&] { pub.FormLayout(*this, kFormKey); });
    frame_.BindHelp(kMulModifyHelpKey);
    frame_.ShowHelpOnF1();
    if (!InitFind()) {
        // The window is not shown yet: it closes as soon as it is.
        QMetaObject::invokeMethod(this, &QDialog::close, Qt::QueuedConnection);
        return;
    }
    InitCaption();
    find_->SetConditionLines(1);
    modifiedFlag_ = false;
}

bool FrmZMulModify::InitFind() {
    LoginContext& login = context_.login;
    auto columns = OpenOrTell(login, "select * from WhInvContrapose  where 1=2");
    if (!columns) {
        return false;
    }
    std::string message;
    const bool ready =
        find_->SetFieldDef(context_.catalogue.sFldDefXml, columns, message,
                           login.pub->GetResString("Zel.AA.ARCHIVE.COMMON.modify"), "(F8)");
    if (!ready) {
        ShowInfoMessage(*login.pub, message);
    }
    return ready;
}

void FrmZMulModify::InitCaption() {
    setWindowIcon(QIcon());
    frame_.CaptionManager().SetCaption(
        context_.login.pub->GetResString("Zel.AA.ARCHIVE.COMMON.mulmodify"));
}

FrmZMulModify::Reference FrmZMulModify::LookupReference(QWidget& control,
                                                        const std::string& field) {
    LoginContext& login = context_.login;
    Reference reference;
    const ReferenceKind* kind = ReferenceKindOf(field);
    if (!kind) {
        ShowInfoMessage(*login.pub, "没有设定参照！");
        return reference;
    }
    std::shared_ptr<zel::IRecordset> chosen;
    login.pub->showRef(control, kind->objectKind, *login.login, reference.ok,
                       login.*(kind->authCondition), reference.code, reference.name, chosen);
    return reference;
}

void FrmZMulModify::Find_RefRequest(const std::string& field, std::string& code, QLineEdit& box) {
    const Reference reference = LookupReference(box, field);
    if (!reference.ok) {
        return;
    }
    code = reference.code;
    const std::string hint =
        context_.login.pub->GetResString("Zel.AA.ARCHIVE.FIELD.namecolon") + reference.name;
    if (auto* edit = qobject_cast<zel::Edit*>(&box)) {
        edit->SetUTooltipText(hint);
    } else {
        box.setToolTip(QString::fromStdString(hint));
    }
}

void FrmZMulModify::Find_ModifyRequest(const std::string& condition, const std::string& caption,
                                       const std::string& field, const std::string& value) {
    ModifyScope scope{context_, *this, modifiedFlag_};
    korvel::Find_ModifyRequest(scope, condition, caption, field, value);
}

void FrmZMulModify::OnKeyDown(int& keyCode, int) {
    if (keyCode == kKeyEscape) {
        keyCode = 0;
        close();
    } else if (keyCode == kKeyF8) {
        keyCode = 0;
        find_->Confirm();
    }
}

// Equal margins on both sides of the control.
void FrmZMulModify::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    RunIgnoringErrors([this] {
        const int width = 2 * find_->x() + find_->width();
        if (this->width() != width) {
            resize(width, height());
        }
    });
}

void FrmZMulModify::closeEvent(QCloseEvent* event) {
    Unload();
    QDialog::closeEvent(event);
}

void FrmZMulModify::reject() {
    Unload();
    QDialog::reject();
}

void FrmZMulModify::Unload() {
    frame_.Unload([this] {
        if (modifiedFlag_) {
            modifiedFlag_ = false;
            if (dataRefresh_) {
                dataRefresh_();
            }
        }
    });
}

}  // namespace korvel
