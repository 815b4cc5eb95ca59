#include "mainwindow/list_window.h"

#include <QBoxLayout>
#include <QDate>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "core/run_ignoring_errors.h"
#include "mainwindow/print_control_target.h"

namespace korvel {
namespace {

constexpr const char* kPrintKeys[] = {"SetUp", "Print", "Preview", "SaveFile"};

}  // namespace

ListWindow::ListWindow(ComponentContext& context, const char* formKey, const char* titleKey,
                       std::function<void()> refreshMain, QWidget* parent)
    : QDialog(parent),
      context_(context),
      refreshMain_(std::move(refreshMain)),
      frame_(*this, context) {
    setObjectName(formKey);
    setWindowTitle(QString::fromStdString(Text(titleKey)));
    grid_ = new zel::FlexGrid(this);
    grid_->setObjectName("Grid");
    grid_->SetSelectionMode(zel::FlexGrid::kSelectionByRow);
    grid_->View().horizontalHeader()->setSectionsClickable(true);
    count_ = new QLabel(this);
    count_->setObjectName("Count");
    prn_ = new zel::PrintControl(
        [this](QDialog& dialog) { return context_.login.pub->ShowModal(dialog, this); }, this);
    prn_->setObjectName("Prn");
    prn_->setVisible(false);
    connect(grid_->View().horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int col) { SortByColumn(col); });
    connect(prn_, &zel::PrintControl::SaveStyle, this,
            [this](const QVariant& first, const QVariant& second) {
                RunIgnoringErrors([&] { SavePrintStyle(context_, Subject(), first, second); });
            });
    frame_.BindHelp(formKey);
    frame_.ShowHelpOnF1();
}

std::string ListWindow::Text(const char* key) const {
    return context_.login.pub->GetResString(key);
}

QDate ListWindow::BusinessDate() const {
    const QDate business =
        QDate::fromString(QString::fromStdString(context_.login.sCurDate), Qt::ISODate);
    return business.isValid() ? business : QDate::currentDate();
}

QPushButton* ListWindow::AddButton(QBoxLayout& row, const std::string& name,
                                   const std::string& text, std::function<void()> clicked) {
    auto* button = new QPushButton(QString::fromStdString(text), this);
    button->setObjectName(QString::fromStdString(name));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, std::move(clicked));
    row.addWidget(button);
    return button;
}

void ListWindow::AddPrintAndCloseButtons(QBoxLayout& row) {
    for (const std::string key : kPrintKeys) {
        AddButton(row, key + "Button", Text(("Zel.AA.ARCHIVE.TOOLBAR." + key).c_str()),
                  [this, key] { PrintOrExport(key); });
    }
    AddButton(row, "CloseButton", Text("Zel.AA.WHINVCONTRAPOSE.DUE.close"), [this] { accept(); });
}

// The read starts once the window shows, so that its first rows show at once.
void ListWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        QTimer::singleShot(0, this, [this] { Query(); });
    }
}

// One fixed header row and a serial number column, as the main grid shows its rows.
void ListWindow::ShowHeader(const std::vector<std::string>& captions) {
    const int cols = static_cast<int>(captions.size()) + 1;
    grid_->SetRedraw(false);
    grid_->SetRows(1);
    grid_->SetCols(cols);
    grid_->SetFixedRows(1);
    grid_->SetTextMatrix(0, 0, Text("Zel.AA.ARCHIVE.COMMON.serialnumber"));
    for (int col = 1; col < cols; ++col) {
        grid_->SetTextMatrix(0, col, captions[static_cast<std::size_t>(col) - 1]);
    }
    grid_->SetRedraw(true);
    sortColumn_ = -1;
    grid_->View().horizontalHeader()->setSortIndicatorShown(false);
}

void ListWindow::AppendRows(std::size_t from) {
    const std::size_t rows = RowCount();
    if (from >= rows) {
        return;
    }
    grid_->SetRedraw(false);
    grid_->GrowRows(static_cast<int>(rows) + 1);
    std::vector<std::string> cells;
    for (std::size_t index = from; index < rows; ++index) {
        cells = CellsOf(index);
        cells.insert(cells.begin(), std::to_string(index + 1));
        grid_->SetRowTexts(static_cast<int>(index) + 1, cells);
    }
    grid_->SetRedraw(true);
    if (from == 0) {
        FitColumns();
    }
}

void ListWindow::FitColumns() {
    grid_->AutoSizeCols();
}

void ListWindow::ShowCount(const char* key) {
    count_->setText(QString::fromStdString(
        context_.login.pub->GetResFormatString(key, {std::to_string(RowCount())})));
}

void ListWindow::SortByColumn(int col) {
    if (col < 1 || col >= grid_->Cols() || grid_->Rows() <= 2) {
        return;
    }
    sortOrder_ = col == sortColumn_ && sortOrder_ == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                        : Qt::AscendingOrder;
    sortColumn_ = col;
    SortRows();
}

bool ListWindow::SortAgain() {
    if (sortColumn_ < 1) {
        return false;
    }
    SortRows();
    return true;
}

// The window's rows take the grid's new order with it; the serial numbers count the rows as they
// now stand.
void ListWindow::SortRows() {
    const std::vector<int> sequence =
        grid_->Model().SortedRows(sortColumn_, sortOrder_, zel::CellKind::kGuessed);
    ReorderRows(sequence);
    grid_->SetRedraw(false);
    grid_->ReorderRows(sequence);
    for (int row = 1; row < grid_->Rows(); ++row) {
        grid_->SetTextMatrix(row, 0, std::to_string(row));
    }
    grid_->SetRedraw(true);
    QHeaderView& header = *grid_->View().horizontalHeader();
    header.setSortIndicatorShown(true);
    header.setSortIndicator(sortColumn_, sortOrder_);
}

std::pair<int, int> ListWindow::SelectedGridRows() const {
    const int first = std::max(std::min(grid_->Row(), grid_->RowSel()), 1);
    const int last = std::min(std::max(grid_->Row(), grid_->RowSel()), grid_->Rows() - 1);
    return {first, last};
}

void ListWindow::PrintOrExport(const std::string& key) {
    RunIgnoringErrors([&] {
        PrintControlTarget prn(*prn_);
        PrintAll(context_, Subject(), *this, key, *grid_, prn);
    });
}

void ListWindow::done(int result) {
    ++queries_;
    if (changed_ && refreshMain_) {
        changed_ = false;
        refreshMain_();
    }
    QDialog::done(result);
}

}  // namespace korvel
