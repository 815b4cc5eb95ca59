#include "host/pub/find_dialog_buttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include "host/objects/resource_texts.h"

namespace zel {

QDialogButtonBox* NewFindDialogButtons(QDialog& dialog, QWidget* parent) {
    auto* buttons = new QDialogButtonBox(parent);
    QPushButton* ok =
        buttons->addButton(ResourceQString("Zel.HOST.FIND.ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(ResourceQString("Zel.HOST.FIND.cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

}  // namespace zel
