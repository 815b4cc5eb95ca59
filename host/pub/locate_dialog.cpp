#include "host/pub/locate_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "host/pub/grid_locate_target.h"
#include "host/pub/list_locate_target.h"
#include "interfaces/pub.h"

namespace zel {
namespace {

constexpr int kTextBoxChars = 24;

QString ResText(IPub& pub, const char* key) {
    return QString::fromStdString(pub.GetResString(key));
}

}  // namespace

LocateDialog::LocateDialog(FlexGrid& grid, IPub& pub, QWidget* parent)
    : LocateDialog(std::make_unique<GridLocateTarget>(grid), pub, parent) {}

LocateDialog::LocateDialog(YsListView& list, IPub& pub, QWidget* parent)
    : LocateDialog(std::make_unique<ListLocateTarget>(list), pub, parent) {}

LocateDialog::~LocateDialog() = default;

LocateDialog::LocateDialog(std::unique_ptr<LocateTarget> target, IPub& pub, QWidget* parent)
    : QDialog(parent),
      target_(std::move(target)),
      pub_(pub),
      field_(new QComboBox(this)),
      text_(new QLineEdit(this)),
      findNext_(new QPushButton(ResText(pub, "Zel.HOST.LOCATE.find_next"), this)),
      close_(new QPushButton(ResText(pub, "Zel.HOST.LOCATE.close"), this)) {
    setWindowTitle(ResText(pub, "Zel.HOST.LOCATE.title"));
    text_->setMinimumWidth(text_->fontMetrics().averageCharWidth() * kTextBoxChars);
    findNext_->setDefault(true);
    findNext_->setEnabled(false);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(ResText(pub, "Zel.HOST.LOCATE.field"), this), 0, 0);
    fields->addWidget(field_, 0, 1);
    fields->addWidget(new QLabel(ResText(pub, "Zel.HOST.LOCATE.text"), this), 1, 0);
    fields->addWidget(text_, 1, 1);
    fields->setRowStretch(2, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(findNext_);
    buttons->addWidget(close_);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    FillFields();
    connect(text_, &QLineEdit::textChanged, this,
            [this](const QString& text) { findNext_->setEnabled(!text.isEmpty()); });
    connect(findNext_, &QPushButton::clicked, this, [this] { FindNext(); });
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
}

// The columns by their header captions, the current column chosen.
void LocateDialog::FillFields() {
    const std::vector<std::string> captions = target_->Captions();
    for (size_t col = 0; col < captions.size(); ++col) {
        field_->addItem(QString::fromStdString(captions[col]), static_cast<int>(col));
    }
    const int current = field_->findData(target_->CurrentColumn());
    field_->setCurrentIndex(std::max(current, 0));
}

void LocateDialog::FindNext() {
    const std::string text = text_->text().toStdString();
    if (!target_->MoveToNext(field_->currentData().toInt(), text)) {
        pub_.MsgBox(pub_.GetResFormatString("Zel.HOST.LOCATE.not_found", {text}), kMsgInformation,
                    pub_.GetResString("Zel.HOST.LOCATE.title"));
    }
}

}  // namespace zel
