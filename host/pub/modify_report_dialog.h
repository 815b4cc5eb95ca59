#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "host/controls/modal_shower.h"
#include "host/pub/failure_report.h"

class QLabel;
class QPushButton;
class QTableView;

namespace zel {

class ModifyReportModel;

// The failure report of a multi-record modify: the rows in a read-only table under the report's
// captions, their count, and buttons to copy them (Ctrl+C copies the selected ones) and to
// export them to a CSV or XLSX file.
class ModifyReportDialog final : public QDialog {
    Q_OBJECT
public:
    // showModal shows the save dialog and its questions; tell shows a message to the user.
    ModifyReportDialog(std::shared_ptr<const HeldRowsRecordset> report, ModalShower showModal,
                       std::function<void(const std::string&)> tell, QWidget* parent = nullptr);

    QTableView& Table() const { return *table_; }
    QPushButton& CopyButton() const { return *copy_; }
    QPushButton& ExportButton() const { return *export_; }

    void CopyAll();
    void CopySelected();
    void Export();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildTable();
    QLayout* BuildButtons();

    std::shared_ptr<const HeldRowsRecordset> report_;
    ModalShower showModal_;
    std::function<void(const std::string&)> tell_;
    ModifyReportModel* model_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* count_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* export_ = nullptr;
};

}  // namespace zel
