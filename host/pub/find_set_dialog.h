#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "host/controls/find/find_field.h"

class QListWidget;

namespace zel {

// Which of the grid's fields the find dialog offers: a list of check boxes in grid order. OK is
// refused, with the reason shown through showMessage, while no field is checked.
// Child object names: fields (the list), all, none, ok, cancel.
class FindSetDialog final : public QDialog {
    Q_OBJECT

public:
    using MessageShower = std::function<void(const std::string&)>;

    // Fields named in offered are checked.
    FindSetDialog(const std::vector<FindField>& fields, const std::vector<std::string>& offered,
                  MessageShower showMessage, QWidget* parent = nullptr);

    // Names of the checked fields, in grid order.
    std::vector<std::string> Offered() const;

    void accept() override;

private:
    QWidget* BuildButtons();
    void CheckAll(bool checked);

    std::vector<std::string> names_;
    MessageShower showMessage_;
    QListWidget* list_;
};

}  // namespace zel
