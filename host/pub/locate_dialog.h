#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace zel {

class FlexGrid;
class IPub;

// The locate dialog over a grid: the user picks a column by its header caption, types a text and
// moves the grid's current row to the next row whose cell contains it, as often as wanted, until
// closing. A search that finds nothing says so in a message box of the public service.
class LocateDialog final : public QDialog {
    Q_OBJECT

public:
    LocateDialog(FlexGrid& grid, IPub& pub, QWidget* parent);

    QComboBox& FieldBox() { return *field_; }
    QLineEdit& TextBox() { return *text_; }
    QPushButton& FindNextButton() { return *findNext_; }
    QPushButton& CloseButton() { return *close_; }

private:
    void FillFields();
    void FindNext();

    FlexGrid& grid_;
    IPub& pub_;
    QComboBox* field_;
    QLineEdit* text_;
    QPushButton* findNext_;
    QPushButton* close_;
};

}  // namespace zel
