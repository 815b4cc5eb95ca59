#include "host/pub/pub_service.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QResizeEvent>
#include <QString>
#include <algorithm>
#include <optional>

#include "host/controls/ys_toolbar.h"
#include "host/objects/cautious_answer.h"
#include "host/objects/host_date.h"
#include "host/objects/host_text.h"
#include "host/objects/inventory_in_use.h"
#include "host/objects/message_box_codes.h"
#include "host/objects/resource_texts.h"
#include "host/pub/decimal_text.h"
#include "host/pub/edit_key.h"
#include "host/pub/editor_toolbar_look.h"
#include "host/pub/function_lock.h"
#include "host/pub/grid_cell_text.h"
#include "host/pub/grid_columns.h"
#include "host/pub/host_layout.h"
#include "host/pub/host_pictures.h"
#include "host/pub/label_captions.h"
#include "host/pub/match_condition.h"
#include "host/pub/number_box_format.h"
#include "host/pub/reference_filter_fields.h"
#include "host/pub/save_question.h"
#include "host/pub/toolbar_states.h"
#include "host/pub/toolbar_texts.h"
#include "host/pub/window_controls.h"
#include "host/pub/window_look.h"
#include "interfaces/row_auth.h"

namespace zel {
namespace {

constexpr const char* kRowAuthProgId = "ZelRowAuthsvr.clsRowAuth";
constexpr const char* kNothingAllowed = "(1=2)";
constexpr const char* kEverythingAllowed = "(1=1)";
constexpr const char* kHelpCommand = "Help";
constexpr const char* kToolbarName = "TLB2";
constexpr const char* kHiddenBarName = "Tlb";
constexpr short kLeftButton = 1;

enum MousePhase : short { kMouseDown = 1, kMouseMove = 2, kMouseUp = 3 };

// The window lays out the rest of itself in its own resize handler.
void LayOutAgain(QWidget& window) {
    QResizeEvent event(window.size(), window.size());
    QCoreApplication::sendEvent(&window, &event);
}

bool SameText(const std::string& a, const std::string& b) {
    return AsciiEqualIgnoringCase(a, b);
}

struct AuthObject {
    const char* name;
    const char* prefix;
};

// The column each object's answer lists: codes for warehouses and persons, ids for inventory.
constexpr AuthObject kAuthObjects[] = {
    {"Person", "(Person.cPersonCode in ("},
    {"Warehouse", "(Warehouse.cWhCode in ("},
    {"Inventory", "(Inventory.iId in ("},
};

std::optional<AuthObject> FindAuthObject(const std::string& name) {
    for (const auto& object : kAuthObjects) {
        if (SameText(name, object.name)) {
            return object;
        }
    }
    return std::nullopt;
}

std::string AuthCondition(const AuthObject& object, const std::string& answer) {
    if (answer == "1=2") {
        return kNothingAllowed;
    }
    if (answer.empty()) {
        return kEverythingAllowed;
    }
    return object.prefix + answer + "))";
}

std::string EntryAtSamePosition(const std::string& value, const std::vector<std::string>& from,
                                const std::vector<std::string>& to) {
    if (value.empty()) {
        return value;
    }
    const auto found = std::find(from.begin(), from.end(), value);
    const auto index = static_cast<std::size_t>(found - from.begin());
    return found != from.end() && index < to.size() ? to[index] : value;
}

}  // namespace

PubService::PubService(std::shared_ptr<HostEnvironment> environment, IObjectFactory& factory)
    : environment_(std::move(environment)), factory_(factory), settings_(factory) {}

std::string PubService::GetResString(const std::string& key) {
    return ResourceTexts::Instance().Text(key);
}

std::string PubService::GetResFormatString(const std::string& key,
                                           const std::vector<std::string>& values) {
    return ResourceTexts::Instance().Format(key, values);
}

int PubService::MsgBox(const std::string& text, int buttons, const std::string& title) {
    if (!environment_ || !environment_->dialogs) {
        return CautiousAnswer(buttons);
    }
    return environment_->dialogs->MessageBox(text, buttons, title);
}

int PubService::MsgBoxWithCheck(const std::string& text, int buttons, const std::string& title,
                                const std::string& checkText, bool& checked) {
    checked = false;
    if (!environment_ || !environment_->dialogs) {
        return CautiousAnswer(buttons);
    }
    QMessageBox box(IconOf(buttons), QString::fromStdString(title), QString::fromStdString(text),
                    ButtonsOf(buttons));
    auto* check = new QCheckBox(QString::fromStdString(checkText), &box);
    box.setCheckBox(check);
    const int answer = AnswerOf(ShowModal(box, QApplication::activeWindow()));
    checked = check->isChecked();
    return answer;
}

int PubService::ShowModal(QDialog& window, QWidget* owner) {
    if (!environment_ || !environment_->dialogs) {
        return 0;
    }
    return environment_->dialogs->ShowModal(window, owner);
}

bool PubService::IsLockFun(IClsCommon& db, ILogin& login, const std::string& function, short mode) {
    using Outcome = FunctionLockResult::Outcome;
    const bool releasing = mode == kUnlockFunction || mode == kUnlockEdit;
    const auto result = ApplyFunctionLock(db, function, FunctionLockHolder(login.cUserId()), mode);
    if (releasing || result.outcome == Outcome::Taken) {
        return false;
    }
    if (mode == kLockFunction && environment_) {
        environment_->functionLockRefused = true;
    }
    if (result.outcome == Outcome::Refused) {
        std::vector<std::string> holder{result.holder};
        ShowLockMessage(GetResFormatString(
            mode == kLockEdit ? "Zel.HOST.LOCK.edit_busy" : "Zel.HOST.LOCK.function_busy", holder));
    } else if (mode == kLockFunction || mode == kLockEdit) {
        ShowLockMessage(GetResString("Zel.HOST.LOCK.check_failed"));
    }
    return true;
}

void PubService::ShowLockMessage(const std::string& text) {
    MsgBox(text, kMsgExclamation, GetResString("Zel.AA.ARCHIVE.COMMON.exclamation"));
}

std::string PubService::GetAuth(const std::string& objectName, const std::string& userId,
                                const std::string& ysDBName, const std::string& right) {
    const auto object = FindAuthObject(objectName);
    const auto rowAuth = object ? CreateObjectAs<IRowAuth>(factory_, kRowAuthProgId) : nullptr;
    if (!rowAuth) {
        return kNothingAllowed;
    }
    rowAuth->Init(ysDBName, userId);
    return AuthCondition(*object, rowAuth->GetAuthString(object->name, "", right));
}

std::string PubService::GetEndDateFilter(const std::string& kind, const std::string& curDate) {
    if (!SameText(kind, "inventory")) {
        return kEverythingAllowed;
    }
    // A date the rule does not read never reaches the SQL text.
    const auto date = HostDate::ParseDayOf(curDate);
    return InventoryInUseCondition(date ? std::optional("'" + date->ToIso() + "'") : std::nullopt);
}

std::string PubService::GetFldCaption(const std::shared_ptr<IRecordset>& dictionary,
                                      const std::string& field) {
    if (!dictionary || !dictionary->IsOpen()) {
        return field;
    }
    std::string caption = field;
    for (dictionary->MoveFirst(); !dictionary->Eof(); dictionary->MoveNext()) {
        const auto name = dictionary->Fields("cfldname");
        if (name && SameText(name->ToString(), field)) {
            const auto text = dictionary->Fields("ccaption");
            if (text && !text->ToString().empty()) {
                caption = text->ToString();
            }
            break;
        }
    }
    // The caller hands the same dictionary to the next call.
    dictionary->MoveFirst();
    return caption;
}

std::string PubService::FormatNum(const Variant& value, short digits) {
    return DecimalText(value, digits);
}

void PubService::UtoLCase(std::string& text) {
    text = QString::fromStdString(text).toLower().toStdString();
}

std::string PubService::GetDispTxt(const std::string& value, const std::vector<std::string>& from,
                                   const std::vector<std::string>& to) {
    return EntryAtSamePosition(value, from, to);
}

std::string PubService::GetCmbDB(const std::string& text, const std::vector<std::string>& from,
                                 const std::vector<std::string>& to) {
    return EntryAtSamePosition(text, from, to);
}

std::optional<FormUser> PubService::SettingsUser() const {
    if (loadUser_) {
        return loadUser_;
    }
    if (environment_ && environment_->session) {
        return FormUser{environment_->session->cUserId(), environment_->session->ysDBName()};
    }
    return std::nullopt;
}

void PubService::FrmUniteFont(QWidget& window) {
    UniteFont(window);
}

void PubService::FormLayout(QWidget& window, const std::string& formKey) {
    settings_.Restore(window, formKey, SettingsUser());
}

void PubService::FrmUnLoad() {
    settings_.StoreTop(SettingsUser());
}

// The login's names are copied rather than the objects kept: the settings are stored when the
// window closes, and the caller may have let go of its login and database service by then.
void PubService::FrmLoadInit(QWidget& window, const std::string& tableTitle, ILogin& login,
                             IClsCommon& /*db*/) {
    loadUser_ = FormUser{login.cUserId(), login.ysDBName()};
    window.setWindowTitle(QString::fromStdString(tableTitle));
}

void PubService::hook(long long windowHandle) {
    watched_.Hook(windowHandle);
}

void PubService::unhook(long long windowHandle) {
    watched_.Unhook(windowHandle);
}

void PubService::HelpX(const std::string& formKey, QWidget& window, ILogin& /*login*/,
                       QObject* /*application*/, bool /*contextOnly*/) {
    help_.Bind(window, formKey);
}

void PubService::HelpShow(QObject* /*application*/, const std::string& commandKey,
                          QWidget& window) {
    if (!SameText(commandKey, kHelpCommand)) {
        return;
    }
    help_.Show(window);
}

// The guide makes way for what the command opens, a print preview or a dialog.
void PubService::HelpHide(QObject* /*application*/, const std::string& /*commandKey*/,
                          QWidget& /*window*/) {
    help_.Hide();
}

void PubService::FrmOpt(QWidget& window, const std::string& optionKey, const std::string& formKey) {
    const auto option = settings_.Toggle(window, optionKey, formKey, SettingsUser());
    // Captions make the buttons taller; the window does not lay itself out for this option.
    if (option && option->option == WindowOption::kTextButtons) {
        if (auto* toolbar = FindControlAs<YsToolbar>(window, kToolbarName)) {
            FitToolbarHeight(*toolbar);
        }
        LayOutAgain(window);
    }
}

void PubService::SetTlb(ButtonBar& tlb) {
    auto* window = qobject_cast<QWidget*>(tlb.parent());
    auto* toolbar = window != nullptr ? FindControlAs<YsToolbar>(*window, kToolbarName) : nullptr;
    if (toolbar == nullptr) {
        return;
    }
    toolbar->Build(tlb, ToolbarTexts(tlb));
    FitToolbarHeight(*toolbar);
}

void PubService::frmResizeNew(QWidget& window, const std::string& /*formKey*/,
                              const std::string& treeName) {
    LayOutFrame(window, treeName, settings_.PreferredTreeWidth(window));
}

void PubService::MouseEvent(QWidget& window, short phase, short button, short /*shift*/, float x,
                            float /*y*/, const std::string& /*formKey*/) {
    const bool left = (button & kLeftButton) != 0;
    if (phase == kMouseDown && left) {
        drag_.Begin(window, x);
    } else if (phase == kMouseMove && left) {
        drag_.Move(window, x);
    } else if (phase == kMouseUp && left) {
        if (const auto width = drag_.End(window)) {
            settings_.SetPreferredTreeWidth(window, *width);
            LayOutAgain(window);
        }
    }
}

void PubService::SetTreeStyle(YsTreeView& tree, QWidget& /*window*/) {
    StyleTree(tree);
}

void PubService::FormatGrid(FlexGrid& grid, const std::shared_ptr<IRecordset>& recordset,
                            const std::string& /*options*/) {
    FormatGridColumns(grid, recordset.get());
}

std::string PubService::FormatGridTxt(const Variant& value, const std::string& field,
                                      const pugi::xml_node& style) {
    return GridCellText(value, field, style);
}

QIcon PubService::GetRes(int id) {
    return HostPicture(id);
}

void PubService::FormatCon(QWidget& box) {
    FormatNumberBox(box);
}

std::string PubService::GetFilterFlds(const std::string& referenceType) {
    return ReferenceFilterFields(referenceType);
}

void PubService::CreateMatchStr(QWidget& box, const std::string& filterFields, std::string& match,
                                const std::string& table) {
    const auto* edit = qobject_cast<const QLineEdit*>(&box);
    const std::string text = edit != nullptr ? edit->text().toStdString() : std::string();
    match = MatchCondition(text, filterFields, table);
}

void PubService::SetLabelCaption(IClsCommon& db, QWidget& window, const std::string& kind) {
    SetFieldLabelCaptions(db, window, kind);
}

// The editor has no options of its own yet: FormLayout has already given it the stored ones.
void PubService::FrmOptInit(QWidget& /*window*/, int /*kind*/) {}

void PubService::SetYsTlbStyle(QWidget& window, bool textButtons) {
    if (auto* toolbar = FindControlAs<YsToolbar>(window, kToolbarName)) {
        StyleEditorToolbar(*toolbar, textButtons);
    }
}

// Both frames are placed by the editor's own layout; only the bar's look is the host's.
void PubService::SetYsTlbStyleNew(QWidget& window, bool textButtons, QWidget& /*styleFrame*/,
                                  QWidget& /*fieldFrame*/) {
    SetYsTlbStyle(window, textButtons);
}

void PubService::ReRefreshYsTlb(QWidget& window) {
    auto* toolbar = FindControlAs<YsToolbar>(window, kToolbarName);
    const ButtonBar* bar = FindButtonBar(window, kHiddenBarName);
    if (toolbar != nullptr && bar != nullptr) {
        ShowButtonStates(*toolbar, *bar);
    }
}

void PubService::YsTlbResize(QWidget& window) {
    if (auto* toolbar = FindControlAs<YsToolbar>(window, kToolbarName)) {
        FitToolbarHeight(*toolbar);
    }
}

bool PubService::isSaveRs(QWidget& window) {
    return MayLeave(AskToSaveChanges(
        window, [this](const std::string& text, int buttons, const std::string& title) {
            return MsgBox(text, buttons, title);
        }));
}

// Every unload mode is asked alike: a window closed by the program loses its edits as surely
// as one the user closed.
bool PubService::isSaveRs(QWidget& window, bool& cancel, int /*unloadMode*/) {
    const bool mayLeave = isSaveRs(window);
    if (!mayLeave) {
        cancel = true;
    }
    return mayLeave;
}

bool PubService::FrmKeyDown(QWidget& window, int keyCode, int shift) {
    return KeyChangesFocusedBox(window, keyCode, shift);
}

}  // namespace zel
