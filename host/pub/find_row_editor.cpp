#include "host/pub/find_row_editor.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <algorithm>

#include "host/controls/calendar_picker.h"
#include "host/controls/twips.h"
#include "host/objects/resource_texts.h"
#include "host/pub/find_dialog_buttons.h"

namespace zel {
namespace {

constexpr int kJoinWidth = 64;
constexpr int kFieldWidth = 130;
constexpr int kOperatorWidth = 96;
constexpr int kValueWidth = 150;

QComboBox* NewCombo(const char* name, int width, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setFixedWidth(width);
    return combo;
}

QLineEdit* NewValueBox(const char* name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setFixedWidth(kValueWidth);
    return box;
}

QToolButton* NewButton(const char* name, const QString& text, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    return button;
}

// Keeps its room in the layout while hidden, so that the lines stay aligned.
void KeepRoomWhenHidden(QWidget& widget) {
    QSizePolicy policy = widget.sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget.setSizePolicy(policy);
}

}  // namespace

int FindRowEditor::JoinWidth() {
    return kJoinWidth;
}
int FindRowEditor::FieldWidth() {
    return kFieldWidth;
}
int FindRowEditor::OperatorWidth() {
    return kOperatorWidth;
}
int FindRowEditor::ValueWidth() {
    return kValueWidth;
}

FindRowEditor::FindRowEditor(const std::vector<FindField>& fields, ModalShower showModal,
                             QWidget* parent)
    : QWidget(parent),
      fields_(fields),
      showModal_(std::move(showModal)),
      join_(NewCombo("join", kJoinWidth, this)),
      field_(NewCombo("field", kFieldWidth, this)),
      operator_(NewCombo("operator", kOperatorWidth, this)),
      value_(NewValueBox("value", this)),
      choice_(NewCombo("choice", kValueWidth, this)),
      pick_(NewButton("pick", QStringLiteral("…"), this)),
      to_(new QLabel(ResourceQString("Zel.HOST.FIND.to"), this)),
      value2_(NewValueBox("value2", this)),
      pick2_(NewButton("pick2", QStringLiteral("…"), this)),
      remove_(NewButton("remove", ResourceQString("Zel.HOST.FIND.remove"), this)) {
    join_->addItem(ResourceQString("Zel.HOST.FIND.and"));
    join_->addItem(ResourceQString("Zel.HOST.FIND.or"));
    for (const auto& field : fields_) {
        field_->addItem(QString::fromStdString(field.caption));
    }
    for (QToolButton* pick : {pick_, pick2_}) {
        pick->setToolTip(ResourceQString("Zel.HOST.FIND.pickDate"));
        KeepRoomWhenHidden(*pick);
    }
    for (QWidget* part : std::initializer_list<QWidget*>{join_, to_, value2_}) {
        KeepRoomWhenHidden(*part);
    }
    to_->setAlignment(Qt::AlignCenter);
    // Typing keeps a number box to what may become a number; the condition checks the rest.
    static const QRegularExpression numberPattern(QStringLiteral(R"(^[-+]?\d*\.?\d*$)"));
    for (QLineEdit* box : {value_, value2_}) {
        new QRegularExpressionValidator(numberPattern, box);
    }

    LayOut();
    Connect();
    FillOperators();
    ShowValueBoxes();
}

void FindRowEditor::LayOut() {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* part : std::initializer_list<QWidget*>{join_, field_, operator_, value_, choice_,
                                                         pick_, to_, value2_, pick2_}) {
        layout->addWidget(part);
    }
    layout->addStretch();
    layout->addWidget(remove_);
}

void FindRowEditor::Connect() {
    connect(field_, &QComboBox::currentIndexChanged, this, [this] {
        value_->clear();
        value2_->clear();
        FillOperators();
        ShowValueBoxes();
    });
    connect(operator_, &QComboBox::currentIndexChanged, this, [this] { ShowValueBoxes(); });
    connect(pick_, &QToolButton::clicked, this, [this] { PickDate(*value_); });
    connect(pick2_, &QToolButton::clicked, this, [this] { PickDate(*value2_); });
    connect(remove_, &QToolButton::clicked, this, [this] { emit removeRequested(this); });
}

void FindRowEditor::SetFirst(bool first) {
    first_ = first;
    join_->setVisible(!first);
}

const FindField& FindRowEditor::CurrentField() const {
    return fields_[static_cast<std::size_t>(std::max(field_->currentIndex(), 0))];
}

FindOperator FindRowEditor::CurrentOperator() const {
    return static_cast<FindOperator>(operator_->currentData().toInt());
}

void FindRowEditor::FillOperators() {
    const QSignalBlocker blocker(operator_);
    const FindOperator before = CurrentOperator();
    operator_->clear();
    for (const FindOperator op : OperatorsFor(CurrentField())) {
        operator_->addItem(ResourceQString(FindOperatorTextKey(op)), static_cast<int>(op));
    }
    // A user who changes the field keeps the comparison if the new field takes it.
    const int kept = operator_->findData(static_cast<int>(before));
    operator_->setCurrentIndex(std::max(kept, 0));
    choice_->clear();
    for (const auto& value : CurrentField().choices) {
        choice_->addItem(QString::fromStdString(value));
    }
    const bool number = CurrentField().type == FieldKind::kNumber;
    for (QLineEdit* box : {value_, value2_}) {
        box->setValidator(number ? box->findChild<QValidator*>() : nullptr);
        box->setPlaceholderText(
            CurrentField().type == FieldKind::kDate ? QStringLiteral("yyyy-mm-dd") : QString());
    }
}

void FindRowEditor::ShowValueBoxes() {
    const FindField& field = CurrentField();
    const FindOperator op = CurrentOperator();
    const bool needsValue = op != FindOperator::kIsEmpty;
    const bool listed = !field.choices.empty();
    const bool date = field.type == FieldKind::kDate;
    const bool between = op == FindOperator::kBetween;
    value_->setVisible(needsValue && !listed);
    choice_->setVisible(needsValue && listed);
    pick_->setVisible(needsValue && date);
    to_->setVisible(between);
    value2_->setVisible(between);
    pick2_->setVisible(between && date);
}

void FindRowEditor::PickDate(QLineEdit& box) {
    CalendarPicker picker;
    picker.SetTop(Twips::ForScreen(box.screen()).FromPixelsY(box.height()));
    box.setText(QString::fromStdString(picker.Show(box, showModal_, box.text().toStdString())));
}

void FindRowEditor::SetRow(const FindRow& row) {
    join_->setCurrentIndex(row.orJoin ? 1 : 0);
    const auto field = std::find_if(fields_.begin(), fields_.end(),
                                    [&](const FindField& f) { return f.name == row.field; });
    if (field != fields_.end()) {
        field_->setCurrentIndex(static_cast<int>(field - fields_.begin()));
    }
    const int op = operator_->findData(static_cast<int>(row.op));
    if (op >= 0) {
        operator_->setCurrentIndex(op);
    }
    value_->setText(QString::fromStdString(row.value));
    value2_->setText(QString::fromStdString(row.value2));
    const int chosen = choice_->findText(QString::fromStdString(row.value));
    if (chosen >= 0) {
        choice_->setCurrentIndex(chosen);
    }
}

FindRow FindRowEditor::Row() const {
    const FindField& field = CurrentField();
    const FindOperator op = CurrentOperator();
    FindRow row{!first_ && join_->currentIndex() == 1, field.name, op, {}, {}};
    if (op == FindOperator::kIsEmpty) {
        return row;
    }
    row.value =
        field.choices.empty() ? value_->text().toStdString() : choice_->currentText().toStdString();
    if (op == FindOperator::kBetween) {
        row.value2 = value2_->text().toStdString();
    }
    return row;
}

}  // namespace zel
