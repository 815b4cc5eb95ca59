#include "host/controls/find/find_ctl_line.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <initializer_list>

#include "host/controls/find/field_value_box.h"
#include "host/objects/resource_texts.h"

namespace zel {
namespace {

constexpr int kJoinWidth = 58;
constexpr int kFieldWidth = 118;
constexpr int kOperatorWidth = 84;
constexpr int kValueWidth = 140;
constexpr int kToWidth = 18;

QComboBox* NewCombo(const char* name, int width, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setFixedWidth(width);
    return combo;
}

FieldValueBox* NewValueBox(const char* name, const ModalShower& showModal, QWidget* parent) {
    auto* box = new FieldValueBox(showModal, kValueWidth, false, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

// Keeps its room in the layout while hidden, so that the lines stay aligned.
void KeepRoomWhenHidden(QWidget& widget) {
    QSizePolicy policy = widget.sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget.setSizePolicy(policy);
}

}  // namespace

int FindCtlLine::JoinWidth() {
    return kJoinWidth;
}
int FindCtlLine::FieldWidth() {
    return kFieldWidth;
}
int FindCtlLine::OperatorWidth() {
    return kOperatorWidth;
}
int FindCtlLine::ValueWidth() {
    return kValueWidth;
}

FindCtlLine::FindCtlLine(const std::vector<DefinedField>& fields, ModalShower showModal,
                         QWidget* parent)
    : QWidget(parent),
      fields_(fields),
      join_(NewCombo("join", kJoinWidth, this)),
      field_(NewCombo("field", kFieldWidth, this)),
      operator_(NewCombo("operator", kOperatorWidth, this)),
      value_(NewValueBox("value", showModal, this)),
      to_(new QLabel(ResourceQString("Zel.HOST.FIND.to"), this)),
      value2_(NewValueBox("value2", showModal, this)) {
    join_->addItem(ResourceQString("Zel.HOST.FIND.and"));
    join_->addItem(ResourceQString("Zel.HOST.FIND.or"));
    field_->addItem(QString());
    for (const auto& field : fields_) {
        field_->addItem(QString::fromStdString(field.find.caption));
    }
    to_->setObjectName(QStringLiteral("to"));
    to_->setFixedWidth(kToWidth);
    to_->setAlignment(Qt::AlignCenter);
    for (QWidget* part : std::initializer_list<QWidget*>{join_, to_, value2_}) {
        KeepRoomWhenHidden(*part);
    }

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* part :
         std::initializer_list<QWidget*>{join_, field_, operator_, value_, to_, value2_}) {
        layout->addWidget(part);
    }
    layout->addStretch();

    connect(field_, &QComboBox::currentIndexChanged, this, [this] { FieldChanged(); });
    connect(operator_, &QComboBox::currentIndexChanged, this, [this] { ShowValueBoxes(); });
    for (FieldValueBox* box : {value_, value2_}) {
        connect(box, &FieldValueBox::referenceRequested, this, &FindCtlLine::referenceRequested);
    }
    FieldChanged();
}

void FindCtlLine::SetFirst(bool first) {
    first_ = first;
    join_->setVisible(!first);
}

const DefinedField* FindCtlLine::CurrentField() const {
    const int index = field_->currentIndex() - 1;
    return index < 0 ? nullptr : &fields_[static_cast<std::size_t>(index)];
}

FindOperator FindCtlLine::CurrentOperator() const {
    return static_cast<FindOperator>(operator_->currentData().toInt());
}

void FindCtlLine::FieldChanged() {
    const DefinedField* field = CurrentField();
    {
        const QSignalBlocker blocker(operator_);
        operator_->clear();
        for (const FindOperator op :
             field == nullptr ? std::vector<FindOperator>() : OperatorsFor(field->find)) {
            operator_->addItem(ResourceQString(FindOperatorTextKey(op)), static_cast<int>(op));
        }
    }
    operator_->setEnabled(field != nullptr);
    value_->SetField(field);
    value2_->SetField(field);
    ShowValueBoxes();
}

void FindCtlLine::ShowValueBoxes() {
    const bool chosen = CurrentField() != nullptr;
    const FindOperator op = CurrentOperator();
    const bool between = chosen && op == FindOperator::kBetween;
    value_->setVisible(!chosen || op != FindOperator::kIsEmpty);
    to_->setVisible(between);
    value2_->setVisible(between);
}

std::optional<FindRow> FindCtlLine::Row() const {
    const DefinedField* field = CurrentField();
    if (field == nullptr) {
        return std::nullopt;
    }
    const FindOperator op = CurrentOperator();
    FindRow row{!first_ && join_->currentIndex() == 1, field->find.name, op, {}, {}};
    if (op != FindOperator::kIsEmpty) {
        row.value = value_->Text();
    }
    if (op == FindOperator::kBetween) {
        row.value2 = value2_->Text();
    }
    return row;
}

}  // namespace zel
