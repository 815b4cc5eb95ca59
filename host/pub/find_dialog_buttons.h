#pragma once

class QDialog;
class QDialogButtonBox;
class QWidget;

namespace zel {

// The find dialogs' OK (the default button, named "ok") and Cancel ("cancel"), closing the dialog
// with accept and reject.
QDialogButtonBox* NewFindDialogButtons(QDialog& dialog, QWidget* parent);

}  // namespace zel
