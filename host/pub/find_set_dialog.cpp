#include "host/pub/find_set_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "host/objects/resource_texts.h"
#include "host/pub/find_dialog_buttons.h"

namespace zel {
namespace {

QPushButton* NewButton(const char* name, const char* key, QWidget* parent) {
    auto* button = new QPushButton(ResourceQString(key), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

FindSetDialog::FindSetDialog(const std::vector<FindField>& fields,
                             const std::vector<std::string>& offered, MessageShower showMessage,
                             QWidget* parent)
    : QDialog(parent), showMessage_(std::move(showMessage)), list_(new QListWidget(this)) {
    setWindowTitle(ResourceQString("Zel.HOST.FIND.setTitle"));
    list_->setObjectName(QStringLiteral("fields"));
    list_->setSpacing(3);
    for (const auto& field : fields) {
        names_.push_back(field.name);
        auto* item = new QListWidgetItem(QString::fromStdString(field.caption), list_);
        const bool checked = std::find(offered.begin(), offered.end(), field.name) != offered.end();
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(ResourceQString("Zel.HOST.FIND.setPrompt"), this));
    layout->addWidget(list_, 1);
    layout->addWidget(BuildButtons());
    resize(300, 380);
}

QWidget* FindSetDialog::BuildButtons() {
    auto* bar = new QWidget(this);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    QPushButton* all = NewButton("all", "Zel.HOST.FIND.all", bar);
    QPushButton* none = NewButton("none", "Zel.HOST.FIND.none", bar);
    connect(all, &QPushButton::clicked, this, [this] { CheckAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { CheckAll(false); });
    layout->addWidget(all);
    layout->addWidget(none);
    layout->addStretch();
    QDialogButtonBox* buttons = NewFindDialogButtons(*this, bar);
    layout->addWidget(buttons);
    return bar;
}

void FindSetDialog::CheckAll(bool checked) {
    for (int i = 0; i < list_->count(); ++i) {
        list_->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
}

std::vector<std::string> FindSetDialog::Offered() const {
    std::vector<std::string> offered;
    for (int i = 0; i < list_->count(); ++i) {
        if (list_->item(i)->checkState() == Qt::Checked) {
            offered.push_back(names_[static_cast<std::size_t>(i)]);
        }
    }
    return offered;
}

void FindSetDialog::accept() {
    if (Offered().empty()) {
        showMessage_(ResourceTexts::Instance().Text("Zel.HOST.FIND.noneChosen"));
        return;
    }
    QDialog::accept();
}

}  // namespace zel
