#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "host/controls/find/find_field.h"
#include "host/controls/find/find_row.h"
#include "host/controls/modal_shower.h"

class QVBoxLayout;

namespace zel {

class FindRowEditor;

// The find dialog: lines of field, operator and values joined by "and"/"or", which the user
// adds and removes. OK is refused, with the reason shown through showMessage, while a value
// does not fit its field; an accepted dialog holds the SQL condition of its lines.
// Child object names: lines (the editors), add, ok, cancel.
class FindDialog final : public QDialog {
    Q_OBJECT

public:
    using MessageShower = std::function<void(const std::string&)>;

    // The fields must not be empty; showModal shows the calendars of date fields.
    FindDialog(std::vector<FindField> fields, ModalShower showModal, MessageShower showMessage,
               QWidget* parent = nullptr);

    // Lines of fields the dialog offers, with operators their field takes; one empty line when
    // none is left.
    void SetRows(const std::vector<FindRow>& rows);
    std::vector<FindRow> Rows() const;
    std::vector<FindRowEditor*> Editors() const { return editors_; }
    FindRowEditor& AddRow();

    // The condition of the lines, set when OK was accepted.
    const std::string& Condition() const { return condition_; }

    void accept() override;

private:
    QWidget* BuildHeader();
    QWidget* BuildButtons();
    void RemoveRow(FindRowEditor* editor);
    bool Fits(const FindRow& row) const;

    std::vector<FindField> fields_;
    ModalShower showModal_;
    MessageShower showMessage_;
    QVBoxLayout* lines_;
    std::vector<FindRowEditor*> editors_;
    std::string condition_;
};

}  // namespace zel
