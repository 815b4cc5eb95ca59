#include "host/pub/modify_report_model.h"

#include <numeric>

namespace zel {
namespace {

QString CellText(const std::string& text) {
    QString cell = QString::fromStdString(text);
    cell.replace(QLatin1Char('\t'), QLatin1Char(' '));
    cell.replace(QLatin1Char('\r'), QLatin1Char(' '));
    cell.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return cell;
}

QString Line(const std::vector<std::string>& cells) {
    QStringList line;
    for (const std::string& cell : cells) {
        line << CellText(cell);
    }
    return line.join(QLatin1Char('\t'));
}

}  // namespace

ModifyReportModel::ModifyReportModel(std::shared_ptr<const HeldRowsRecordset> report,
                                     QObject* parent)
    : QAbstractTableModel(parent), report_(std::move(report)) {}

int ModifyReportModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(report_->RowCount());
}

int ModifyReportModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : report_->FieldCount();
}

QVariant ModifyReportModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::DisplayRole) {
        return {};
    }
    return QString::fromStdString(
        report_
            ->Value(static_cast<std::size_t>(index.row()), static_cast<std::size_t>(index.column()))
            .ToString());
}

QVariant ModifyReportModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    if (section < 0 || section >= columnCount()) {
        return {};
    }
    return QString::fromStdString(report_->Captions()[static_cast<std::size_t>(section)]);
}

QString ModifyReportModel::TabSeparatedText(const std::vector<int>& rows) const {
    QStringList lines{Line(report_->Captions())};
    std::vector<std::string> cells(report_->Captions().size());
    for (const int row : rows) {
        if (row < 0 || row >= rowCount()) {
            continue;
        }
        for (std::size_t column = 0; column < cells.size(); ++column) {
            cells[column] = report_->Value(static_cast<std::size_t>(row), column).ToString();
        }
        lines << Line(cells);
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString ModifyReportModel::TabSeparatedText() const {
    std::vector<int> rows(static_cast<std::size_t>(rowCount()));
    std::iota(rows.begin(), rows.end(), 0);
    return TabSeparatedText(rows);
}

}  // namespace zel
