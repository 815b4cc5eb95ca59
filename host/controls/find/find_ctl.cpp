#include "host/controls/find/find_ctl.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "host/controls/find/field_value_box.h"
#include "host/controls/find/find_condition.h"
#include "host/controls/find/find_ctl_line.h"
#include "host/objects/resource_texts.h"

namespace zel {
namespace {

constexpr int kWidth = 650;
constexpr int kHeight = 360;
constexpr int kModifyFieldWidth = 150;
constexpr int kModifyValueWidth = 190;

QPushButton* NewButton(const char* name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QLabel* NewHeader(const char* key, int width, QWidget* parent) {
    auto* label = new QLabel(ResourceQString(key), parent);
    label->setFixedWidth(width);
    return label;
}

}  // namespace

FindCtl::FindCtl(ModalShower showModal, QWidget* parent)
    : QWidget(parent), showModal_(std::move(showModal)) {
    setObjectName("Find");
    setFixedSize(kWidth, kHeight);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(NewConditionBox(), 1);
    layout->addWidget(NewModifyRow());
    layout->addWidget(NewButtonRow());
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F8), this);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, &FindCtl::Confirm);
    SetConditionLines(1);
}

QWidget* FindCtl::NewConditionBox() {
    auto* box = new QGroupBox(ResourceQString("Zel.HOST.FIND.conditionBox"), this);
    auto* header = new QHBoxLayout;
    header->addWidget(NewHeader("Zel.HOST.FIND.join", FindCtlLine::JoinWidth(), box));
    header->addWidget(NewHeader("Zel.HOST.FIND.field", FindCtlLine::FieldWidth(), box));
    header->addWidget(NewHeader("Zel.HOST.FIND.operator", FindCtlLine::OperatorWidth(), box));
    header->addWidget(NewHeader("Zel.HOST.FIND.value", FindCtlLine::ValueWidth(), box));
    header->addStretch();

    auto* lines = new QWidget;
    lines->setObjectName(QStringLiteral("lines"));
    linesLayout_ = new QVBoxLayout(lines);
    linesLayout_->setContentsMargins(0, 0, 0, 0);
    linesLayout_->addStretch();
    auto* scroll = new QScrollArea(box);
    scroll->setWidget(lines);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* add = NewButton("add", ResourceQString("Zel.HOST.FIND.add"), box);
    auto* remove = NewButton("removeLast", ResourceQString("Zel.HOST.FIND.removeLine"), box);
    connect(add, &QPushButton::clicked, this, [this] { AddLine(); });
    connect(remove, &QPushButton::clicked, this, [this] { RemoveLastLine(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(remove);

    auto* layout = new QVBoxLayout(box);
    layout->addLayout(header);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);
    return box;
}

QWidget* FindCtl::NewModifyRow() {
    auto* box = new QGroupBox(ResourceQString("Zel.HOST.FIND.modifyBox"), this);
    modifyField_ = new QComboBox(box);
    modifyField_->setObjectName(QStringLiteral("modifyField"));
    modifyField_->setFixedWidth(kModifyFieldWidth);
    modifyValue_ = new FieldValueBox(showModal_, kModifyValueWidth, true, box);
    modifyValue_->setObjectName(QStringLiteral("modifyValue"));
    connect(modifyField_, &QComboBox::currentIndexChanged, this,
            [this] { modifyValue_->SetField(ModifyField()); });
    connect(modifyValue_, &FieldValueBox::referenceRequested, this, &FindCtl::ForwardReference);

    auto* layout = new QHBoxLayout(box);
    layout->addWidget(new QLabel(ResourceQString("Zel.HOST.FIND.modifyField"), box));
    layout->addWidget(modifyField_);
    layout->addSpacing(16);
    layout->addWidget(new QLabel(ResourceQString("Zel.HOST.FIND.modifyValue"), box));
    layout->addWidget(modifyValue_);
    layout->addStretch();
    return box;
}

QWidget* FindCtl::NewButtonRow() {
    auto* row = new QWidget(this);
    confirm_ = NewButton("confirm", QString(), row);
    auto* cancel = NewButton("cancel", ResourceQString("Zel.HOST.FIND.cancel"), row);
    connect(confirm_, &QPushButton::clicked, this, &FindCtl::Confirm);
    connect(cancel, &QPushButton::clicked, this, &FindCtl::CancelRequest);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    layout->addWidget(confirm_);
    layout->addWidget(cancel);
    return row;
}

bool FindCtl::SetFieldDef(std::string& fieldDefXml, std::shared_ptr<IRecordset>& columns,
                          std::string& message, const std::string& modifyCaption,
                          const std::string& modifyKeyHint) {
    FieldDefinition definition = FieldDefinition::Read(fieldDefXml, columns.get());
    if (!definition.ok()) {
        message = definition.message;
        return false;
    }
    message.clear();
    ClearLines();
    definition_ = std::move(definition);
    const auto& fields = definition_.fields;
    {
        const QSignalBlocker blocker(modifyField_);
        modifyField_->clear();
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].modifiable) {
                modifyField_->addItem(QString::fromStdString(fields[i].find.caption),
                                      static_cast<int>(i));
            }
        }
    }
    modifyValue_->SetField(ModifyField());
    confirm_->setText(QString::fromStdString(modifyCaption + modifyKeyHint));
    SetConditionLines(1);
    return true;
}

void FindCtl::SetConditionLines(int lines) {
    ClearLines();
    for (int i = 0; i < std::max(lines, 1); ++i) {
        AddLine();
    }
}

void FindCtl::AddLine() {
    auto* line = new FindCtlLine(definition_.fields, showModal_, this);
    line->setObjectName(QStringLiteral("line%1").arg(lines_.size() + 1));
    line->SetFirst(lines_.empty());
    connect(line, &FindCtlLine::referenceRequested, this, &FindCtl::ForwardReference);
    // Before the stretch that keeps the lines at the top.
    linesLayout_->insertWidget(linesLayout_->count() - 1, line);
    lines_.push_back(line);
}

void FindCtl::RemoveLastLine() {
    if (lines_.size() <= 1) {
        return;
    }
    delete lines_.back();
    lines_.pop_back();
}

void FindCtl::ClearLines() {
    for (FindCtlLine* line : lines_) {
        delete line;
    }
    lines_.clear();
}

const DefinedField* FindCtl::ModifyField() const {
    const QVariant index = modifyField_->currentData();
    return index.isValid() ? &definition_.fields[index.toUInt()] : nullptr;
}

void FindCtl::ForwardReference(const std::string& field, QLineEdit& box) {
    std::string code;
    emit RefRequest(field, code, box);
    if (!code.empty()) {
        box.setText(QString::fromStdString(code));
    }
}

void FindCtl::Refuse(const std::string& message) {
    QMessageBox box(QMessageBox::Information, ResourceQString("Zel.AA.ARCHIVE.COMMON.information"),
                    QString::fromStdString(message), QMessageBox::Ok, this);
    showModal_(box);
}

void FindCtl::Confirm() {
    const DefinedField* field = ModifyField();
    if (field == nullptr) {
        return;
    }
    std::vector<FindRow> rows;
    for (const FindCtlLine* line : lines_) {
        if (auto row = line->Row()) {
            rows.push_back(std::move(*row));
        }
    }
    const auto condition = FindCondition(definition_.FindFields()).Joined(rows);
    if (!condition.ok) {
        Refuse(condition.message);
        return;
    }
    const auto value = FindCondition::Checked(field->find, modifyValue_->Text());
    if (!value.ok) {
        Refuse(value.message);
        return;
    }
    std::string sql = condition.sql;
    std::string caption = field->find.caption;
    std::string name = field->find.name;
    std::string newValue = value.sql;
    emit ModifyRequest(sql, caption, name, newValue);
}

}  // namespace zel
