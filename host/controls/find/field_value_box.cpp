#include "host/controls/find/field_value_box.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLineEdit>
#include <QToolButton>

#include "host/controls/calendar_picker.h"
#include "host/controls/twips.h"
#include "host/objects/resource_texts.h"

namespace zel {
namespace {

constexpr int kPickWidth = 24;

}  // namespace

FieldValueBox::FieldValueBox(ModalShower showModal, int width, bool emptyChoice, QWidget* parent)
    : QWidget(parent),
      showModal_(std::move(showModal)),
      emptyChoice_(emptyChoice),
      text_(new QLineEdit(this)),
      choice_(new QComboBox(this)),
      pick_(new QToolButton(this)) {
    text_->setObjectName(QStringLiteral("text"));
    choice_->setObjectName(QStringLiteral("choice"));
    pick_->setObjectName(QStringLiteral("pick"));
    pick_->setText(QStringLiteral("..."));
    pick_->setFixedWidth(kPickWidth);
    text_->setFixedWidth(width - kPickWidth);
    choice_->setFixedWidth(width);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(text_);
    layout->addWidget(pick_);
    layout->addWidget(choice_);
    layout->addStretch();
    setFixedWidth(width);
    connect(pick_, &QToolButton::clicked, this, [this] { Pick(); });
    SetField(nullptr);
}

void FieldValueBox::SetField(const DefinedField* field) {
    field_ = field;
    text_->clear();
    choice_->clear();
    const bool listed = field != nullptr && !field->find.choices.empty();
    if (listed && emptyChoice_) {
        choice_->addItem(QString());
    }
    for (const auto& value : listed ? field->find.choices : std::vector<std::string>()) {
        choice_->addItem(QString::fromStdString(value));
    }
    const FieldKind kind = field == nullptr ? FieldKind::kText : field->find.type;
    const bool date = kind == FieldKind::kDate;
    const bool reference = field != nullptr && field->reference;
    text_->setVisible(!listed);
    text_->setEnabled(field != nullptr);
    text_->setPlaceholderText(date ? QStringLiteral("yyyy-mm-dd") : QString());
    choice_->setVisible(listed);
    pick_->setVisible(!listed && (date || reference));
    // A null icon lets the button show its "..." text.
    pick_->setIcon(date ? QIcon(QStringLiteral(":/controls/icons/Calendar.svg")) : QIcon());
    pick_->setToolTip(ResourceQString(date ? "Zel.HOST.FIND.pickDate" : "Zel.HOST.FIND.reference"));
}

std::string FieldValueBox::Text() const {
    return (choice_->isVisibleTo(this) ? choice_->currentText() : text_->text()).toStdString();
}

void FieldValueBox::Pick() {
    if (field_ == nullptr) {
        return;
    }
    if (field_->reference) {
        emit referenceRequested(field_->find.name, *text_);
        return;
    }
    CalendarPicker picker;
    picker.SetTop(Twips::ForScreen(text_->screen()).FromPixelsY(text_->height()));
    text_->setText(
        QString::fromStdString(picker.Show(*text_, showModal_, text_->text().toStdString())));
}

}  // namespace zel
