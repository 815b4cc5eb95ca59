#pragma once

#include <QDialog>
#include <memory>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace zel {

class FlexGrid;
class IPub;
class LocateTarget;
class YsListView;

// The locate dialog over a grid or a list: the user picks a column by its header caption, types a
// text and moves the current row to the next row whose cell contains it, as often as wanted,
// until closing. A search that finds nothing says so in a message box of the public service.
class LocateDialog final : public QDialog {
    Q_OBJECT

public:
    LocateDialog(FlexGrid& grid, IPub& pub, QWidget* parent);
    LocateDialog(YsListView& list, IPub& pub, QWidget* parent);
    ~LocateDialog() override;

    QComboBox& FieldBox() { return *field_; }
    QLineEdit& TextBox() { return *text_; }
    QPushButton& FindNextButton() { return *findNext_; }
    QPushButton& CloseButton() { return *close_; }

private:
    LocateDialog(std::unique_ptr<LocateTarget> target, IPub& pub, QWidget* parent);
    void FillFields();
    void FindNext();

    std::unique_ptr<LocateTarget> target_;
    IPub& pub_;
    QComboBox* field_;
    QLineEdit* text_;
    QPushButton* findNext_;
    QPushButton* close_;
};

}  // namespace zel
