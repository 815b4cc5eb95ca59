#pragma once

#include <QAbstractTableModel>
#include <memory>
#include <vector>

#include "host/pub/failure_report.h"

namespace zel {

// The rows of a failure report for a read-only table view, under the report's captions.
class ModifyReportModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModifyReportModel(std::shared_ptr<const HeldRowsRecordset> report,
                               QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The captions and then the rows given, one line each, cells separated by tabs, as
    // spreadsheets paste them; tabs and line breaks inside a cell become blanks.
    QString TabSeparatedText(const std::vector<int>& rows) const;
    QString TabSeparatedText() const;

private:
    std::shared_ptr<const HeldRowsRecordset> report_;
};

}  // namespace zel
