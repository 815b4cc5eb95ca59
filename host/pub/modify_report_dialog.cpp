#include "host/pub/modify_report_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "host/controls/export/export_columns.h"
#include "host/controls/export/table_export.h"
#include "host/objects/resource_texts.h"
#include "host/pub/modify_report_model.h"

namespace zel {
namespace {

constexpr const char* kTitleKey = "Zel.HOST.MODIFY.report_title";
// Sizing columns reads this many rows, not all of a report that can hold tens of thousands.
constexpr int kRowsMeasured = 200;
constexpr int kRowPadding = 8;

PrintData ExportData(const HeldRowsRecordset& report, const std::string& title) {
    PrintData data;
    data.title = title;
    data.serialNumbers = false;
    data.headers = report.Captions();
    data.rightAligned.assign(data.headers.size(), false);
    data.cells.reserve(report.RowCount() * data.headers.size());
    for (std::size_t row = 0; row < report.RowCount(); ++row) {
        for (std::size_t column = 0; column < data.headers.size(); ++column) {
            data.cells.push_back(report.Value(row, column).ToString());
        }
    }
    return data;
}

}  // namespace

ModifyReportDialog::ModifyReportDialog(std::shared_ptr<const HeldRowsRecordset> report,
                                       ModalShower showModal,
                                       std::function<void(const std::string&)> tell,
                                       QWidget* parent)
    : QDialog(parent),
      report_(std::move(report)),
      showModal_(std::move(showModal)),
      tell_(std::move(tell)) {
    setWindowTitle(ResourceQString(kTitleKey));
    BuildTable();
    count_ = new QLabel(
        ResourceQString("Zel.AA.ARCHIVE.COMMON.rstcount", {std::to_string(report_->RowCount())}),
        this);
    count_->setObjectName(QStringLiteral("ReportCount"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(count_);
    layout->addLayout(BuildButtons());
    resize(640, 420);
}

void ModifyReportDialog::BuildTable() {
    model_ = new ModifyReportModel(report_, this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("ReportTable"));
    table_->setModel(model_);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + kRowPadding);
    table_->horizontalHeader()->setResizeContentsPrecision(kRowsMeasured);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->resizeColumnsToContents();
    table_->installEventFilter(this);
}

QLayout* ModifyReportDialog::BuildButtons() {
    copy_ = new QPushButton(ResourceQString("Zel.HOST.MODIFY.copy"), this);
    copy_->setObjectName(QStringLiteral("Copy"));
    export_ = new QPushButton(ResourceQString("Zel.HOST.MODIFY.export"), this);
    export_->setObjectName(QStringLiteral("Export"));
    auto* close = new QPushButton(ResourceQString("Zel.HOST.MODIFY.close"), this);
    close->setObjectName(QStringLiteral("Close"));
    close->setDefault(true);
    connect(copy_, &QPushButton::clicked, this, &ModifyReportDialog::CopyAll);
    connect(export_, &QPushButton::clicked, this, &ModifyReportDialog::Export);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copy_);
    buttons->addWidget(export_);
    buttons->addWidget(close);
    return buttons;
}

void ModifyReportDialog::CopyAll() {
    QApplication::clipboard()->setText(model_->TabSeparatedText());
}

void ModifyReportDialog::CopySelected() {
    std::vector<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    if (rows.empty()) {
        return;
    }
    std::sort(rows.begin(), rows.end());
    QApplication::clipboard()->setText(model_->TabSeparatedText(rows));
}

void ModifyReportDialog::Export() {
    const std::string title = ResourceTexts::Instance().Text(kTitleKey);
    const auto target = ChooseExportTarget(showModal_, this, title);
    if (!target) {
        return;
    }
    // Every column is text: codes such as "0012" must keep their leading zeros.
    const std::vector<ExportColumn> columns(report_->Captions().size() + 1);
    std::string error;
    if (!WriteTableFile(*target, ExportData(*report_, title), ExportTypesText(columns),
                        ExportSizesText(columns), error)) {
        tell_(error);
    }
}

// The table's own Ctrl+C copies only the current cell.
bool ModifyReportDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        CopySelected();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace zel
