#include "checkplan/frm_due_checks.h"

#include <QCoreApplication>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "core/common.h"
#include "core/form_key.h"
#include "core/host_lock.h"
#include "core/run_ignoring_errors.h"
#include "mainwindow/print_control_target.h"

namespace korvel {
namespace {

constexpr double kDateColumnTwips = 1500;
// The grid's columns after the serial number: where the row's key and the dates are.
constexpr int kWarehouseColumn = 1;
constexpr int kInventoryColumn = 3;
constexpr int kLastCheckColumn = 6;
constexpr int kOverdueColumn = 8;
constexpr const char* kPrintKeys[] = {"SetUp", "Print", "Preview", "SaveFile"};

std::chrono::year_month_day DayOf(const QDate& date) {
    return std::chrono::year_month_day(std::chrono::year(date.year()),
                                       std::chrono::month(static_cast<unsigned>(date.month())),
                                       std::chrono::day(static_cast<unsigned>(date.day())));
}

}  // namespace

FrmDueChecks::FrmDueChecks(ComponentContext& context, DueChecksLinks links, QWidget* parent)
    : QDialog(parent),
      context_(context),
      links_(std::move(links)),
      captions_(DueCheckCaptionsOf(*context.login.pub)),
      frame_(*this, context) {
    setObjectName("FrmDueChecks");
    setWindowTitle(QString::fromStdString(Text("Zel.AA.WHINVCONTRAPOSE.DUE.title")));
    CreateControls();
    ConnectControls();
    frame_.BindHelp(kDueChecksHelpKey);
    frame_.ShowHelpOnF1();
    resize(960, 560);
}

std::string FrmDueChecks::Text(const char* key) const {
    return context_.login.pub->GetResString(key);
}

void FrmDueChecks::CreateControls() {
    auto* filters = new QHBoxLayout;
    auto label = [&](const char* key) {
        filters->addWidget(new QLabel(QString::fromStdString(Text(key)), this));
    };
    label("Zel.AA.WHINVCONTRAPOSE.DUE.asof");
    asOf_ = new QDateEdit(this);
    asOf_->setObjectName("AsOf");
    asOf_->setCalendarPopup(true);
    asOf_->setDisplayFormat("yyyy-MM-dd");
    const QDate business =
        QDate::fromString(QString::fromStdString(context_.login.sCurDate), Qt::ISODate);
    asOf_->setDate(business.isValid() ? business : QDate::currentDate());
    filters->addWidget(asOf_);
    label("Zel.AA.WHINVCONTRAPOSE.DUE.warehouse");
    warehouse_ = new QLineEdit(this);
    warehouse_->setObjectName("WarehouseFilter");
    filters->addWidget(warehouse_);
    label("Zel.AA.WHINVCONTRAPOSE.DUE.storekeeper");
    storekeeper_ = new QLineEdit(this);
    storekeeper_->setObjectName("StorekeeperFilter");
    filters->addWidget(storekeeper_);
    auto* actions = new QHBoxLayout;
    auto button = [&](QHBoxLayout* row, const std::string& name, const std::string& text,
                      auto slot) {
        auto* pushButton = new QPushButton(QString::fromStdString(text), this);
        pushButton->setObjectName(QString::fromStdString(name));
        pushButton->setAutoDefault(false);
        connect(pushButton, &QPushButton::clicked, this, slot);
        row->addWidget(pushButton);
    };
    button(filters, "QueryButton", Text("Zel.AA.WHINVCONTRAPOSE.DUE.query"), [this] { Query(); });
    count_ = new QLabel(this);
    count_->setObjectName("Count");
    actions->addWidget(count_, 1);
    button(actions, "CountedButton", Text("Zel.AA.WHINVCONTRAPOSE.DUE.counted"),
           [this] { CountedToday(); });
    for (const std::string key : kPrintKeys) {
        button(actions, key + "Button", Text(("Zel.AA.ARCHIVE.TOOLBAR." + key).c_str()),
               [this, key] { PrintOrExport(key); });
    }
    button(actions, "CloseButton", Text("Zel.AA.WHINVCONTRAPOSE.DUE.close"), [this] { accept(); });
    grid_ = new zel::FlexGrid(this);
    grid_->setObjectName("Grid");
    grid_->SetSelectionMode(zel::FlexGrid::kSelectionByRow);
    grid_->View().horizontalHeader()->setSectionsClickable(true);
    prn_ = new zel::PrintControl(
        [this](QDialog& dialog) { return context_.login.pub->ShowModal(dialog, this); }, this);
    prn_->setObjectName("Prn");
    prn_->setVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(grid_, 1);
    layout->addLayout(actions);
}

void FrmDueChecks::ConnectControls() {
    connect(grid_, &zel::FlexGrid::DblClick, this, [this] { EditCurrentRow(); });
    connect(grid_->View().horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int col) { SortByColumn(col); });
    connect(prn_, &zel::PrintControl::SaveStyle, this,
            [this](const QVariant& first, const QVariant& second) {
                RunIgnoringErrors([&] { SavePrintStyle(context_, Subject(), first, second); });
            });
}

// The read starts once the window shows, so that its first rows show at once.
void FrmDueChecks::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        QTimer::singleShot(0, this, [this] { Query(); });
    }
}

void FrmDueChecks::Query() {
    const int query = ++queries_;
    const DueCheckFilter filter{warehouse_->text().trimmed().toStdString(),
                                storekeeper_->text().trimmed().toStdString()};
    listedAsOf_ = DayOf(asOf_->date());
    listedWarehouse_ = filter.warehouse;
    rows_.clear();
    ShowHeader();
    DueCheckReader reader(*context_.login.db, DueChecksQuery(context_.login, filter), listedAsOf_);
    ReadRows(reader, query);
}

// Between slices the window's events run: they may start another query, which this read then
// leaves the grid to, or close the window.
void FrmDueChecks::ReadRows(DueCheckReader& reader, int query) {
    while (!reader.AtEnd()) {
        const std::size_t shown = rows_.size();
        reader.ReadSome(kRecordsPerSlice, rows_);
        AppendRows(shown);
        ShowCount("Zel.AA.WHINVCONTRAPOSE.DUE.reading");
        QCoreApplication::processEvents();
        if (query != queries_) {
            return;
        }
    }
    if (reader.Failed()) {
        rows_.clear();
        ShowInfoMessage(*context_.login.pub,
                        context_.login.pub->GetResFormatString("Zel.AA.WHINVCONTRAPOSE.DUE.failed",
                                                               {context_.login.db->LastError()}));
    }
    SortDueChecks(rows_);
    ShowHeader();
    AppendRows(0);
    ShowCount("Zel.AA.WHINVCONTRAPOSE.DUE.rows");
}

// One fixed header row and a serial number column, as the main grid shows its rows.
void FrmDueChecks::ShowHeader() {
    const int cols = static_cast<int>(captions_.columns.size()) + 1;
    grid_->SetRedraw(false);
    grid_->SetRows(1);
    grid_->SetCols(cols);
    grid_->SetFixedRows(1);
    grid_->SetTextMatrix(0, 0, Text("Zel.AA.ARCHIVE.COMMON.serialnumber"));
    for (int col = 1; col < cols; ++col) {
        grid_->SetTextMatrix(0, col, captions_.columns[static_cast<std::size_t>(col) - 1]);
    }
    grid_->SetColAlignment(kOverdueColumn, Qt::AlignRight | Qt::AlignVCenter);
    grid_->SetRedraw(true);
    sortColumn_ = -1;
    grid_->View().horizontalHeader()->setSortIndicatorShown(false);
}

void FrmDueChecks::AppendRows(std::size_t from) {
    if (from >= rows_.size()) {
        return;
    }
    const bool first = from == 0;
    grid_->SetRedraw(false);
    grid_->GrowRows(static_cast<int>(rows_.size()) + 1);
    for (std::size_t index = from; index < rows_.size(); ++index) {
        const int row = static_cast<int>(index) + 1;
        grid_->SetTextMatrix(row, 0, std::to_string(row));
        int col = 1;
        for (const std::string& cell : DueCheckCells(rows_[index], captions_, listedAsOf_)) {
            grid_->SetTextMatrix(row, col++, cell);
        }
    }
    grid_->SetRedraw(true);
    if (first) {
        grid_->AutoSizeCols();
        // The first rows may have no dates (never counted): the date columns keep a date's room.
        for (int col = kLastCheckColumn; col < kOverdueColumn; ++col) {
            grid_->SetColWidth(col, kDateColumnTwips);
        }
    }
}

void FrmDueChecks::ShowCount(const char* key) {
    count_->setText(QString::fromStdString(
        context_.login.pub->GetResFormatString(key, {std::to_string(rows_.size())})));
}

void FrmDueChecks::SortByColumn(int col) {
    if (col < 1 || col >= grid_->Cols() || grid_->Rows() <= 2) {
        return;
    }
    sortOrder_ = col == sortColumn_ && sortOrder_ == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                        : Qt::AscendingOrder;
    sortColumn_ = col;
    grid_->SetRedraw(false);
    grid_->Sort(col, sortOrder_);
    NumberRows();
    grid_->SetRedraw(true);
    QHeaderView& header = *grid_->View().horizontalHeader();
    header.setSortIndicatorShown(true);
    header.setSortIndicator(col, sortOrder_);
}

// The serial numbers count the rows as they now stand.
void FrmDueChecks::NumberRows() {
    for (int row = 1; row < grid_->Rows(); ++row) {
        grid_->SetTextMatrix(row, 0, std::to_string(row));
    }
}

// From the grid's cells, which a sort by column has moved away from the order read.
std::vector<RowKey> FrmDueChecks::ChosenRows() const {
    const int first = std::max(std::min(grid_->Row(), grid_->RowSel()), 1);
    const int last = std::max(grid_->Row(), grid_->RowSel());
    std::vector<RowKey> keys;
    for (int row = first; row <= last && row < grid_->Rows(); ++row) {
        keys.push_back(
            {grid_->TextMatrix(row, kWarehouseColumn), grid_->TextMatrix(row, kInventoryColumn)});
    }
    return keys;
}

void FrmDueChecks::CountedToday() {
    const std::vector<RowKey> keys = ChosenRows();
    if (keys.empty()) {
        return;
    }
    const auto lock = HostLock::Take(context_.login.pub, context_.login.db, context_.login.login,
                                     kFormKey, zel::kLockEdit);
    if (!lock) {
        return;
    }
    const CountedOutcome outcome = MarkCountedToday(context_.login, keys);
    zel::IPub& pub = *context_.login.pub;
    if (!outcome.done) {
        ShowInfoMessage(
            pub, pub.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.DUE.failed", {outcome.error}));
        return;
    }
    changed_ = changed_ || outcome.changed > 0;
    ShowInfoMessage(pub, pub.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.DUE.countedrows",
                                                {std::to_string(outcome.changed)}));
    Query();
}

void FrmDueChecks::EditCurrentRow() {
    const int row = grid_->Row();
    if (!links_.editRow || row < 1 || row >= grid_->Rows()) {
        return;
    }
    const RowKey key{grid_->TextMatrix(row, kWarehouseColumn),
                     grid_->TextMatrix(row, kInventoryColumn)};
    if (links_.editRow(key)) {
        Query();
    }
}

PrintSubject FrmDueChecks::Subject() const {
    const std::string title = Text("Zel.AA.WHINVCONTRAPOSE.DUE.title");
    return {title + " " + CheckDateText(listedAsOf_), title, DueChecksColumnsQuery(),
            ListedWarehouseHeading()};
}

// The rows carry their warehouse's name; a list of one warehouse without rows names its code.
std::string FrmDueChecks::ListedWarehouseHeading() const {
    if (listedWarehouse_.empty()) {
        return Text("Zel.AA.WHINVCONTRAPOSE.PRINT.all_warehouses");
    }
    if (rows_.empty()) {
        return listedWarehouse_;
    }
    return rows_.front().warehouseCode + " " + rows_.front().warehouseName;
}

void FrmDueChecks::PrintOrExport(const std::string& key) {
    RunIgnoringErrors([&] {
        PrintControlTarget prn(*prn_);
        PrintAll(context_, Subject(), *this, key, *grid_, prn);
    });
}

void FrmDueChecks::done(int result) {
    ++queries_;
    if (changed_ && links_.refreshMain) {
        changed_ = false;
        links_.refreshMain();
    }
    QDialog::done(result);
}

}  // namespace korvel
