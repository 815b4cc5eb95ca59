#include "checkplan/frm_due_checks.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/common.h"
#include "core/form_key.h"
#include "core/host_lock.h"

namespace korvel {
namespace {

constexpr double kDateColumnTwips = 1500;
// The grid's columns after the serial number: where the row's key and the dates are.
constexpr int kWarehouseColumn = 1;
constexpr int kInventoryColumn = 3;
constexpr int kLastCheckColumn = 6;
constexpr int kOverdueColumn = 8;

std::chrono::year_month_day DayOf(const QDate& date) {
    return std::chrono::year_month_day(std::chrono::year(date.year()),
                                       std::chrono::month(static_cast<unsigned>(date.month())),
                                       std::chrono::day(static_cast<unsigned>(date.day())));
}

}  // namespace

FrmDueChecks::FrmDueChecks(ComponentContext& context, DueChecksLinks links, QWidget* parent)
    : ListWindow(context, kDueChecksHelpKey, "Zel.AA.WHINVCONTRAPOSE.DUE.title", links.refreshMain,
                 parent),
      links_(std::move(links)),
      captions_(DueCheckCaptionsOf(*context.login.pub)) {
    CreateControls();
    connect(&Grid(), &zel::FlexGrid::DblClick, this, [this] { EditCurrentRow(); });
    resize(960, 560);
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
    asOf_->setDate(BusinessDate());
    filters->addWidget(asOf_);
    label("Zel.AA.WHINVCONTRAPOSE.DUE.warehouse");
    warehouse_ = new QLineEdit(this);
    warehouse_->setObjectName("WarehouseFilter");
    filters->addWidget(warehouse_);
    label("Zel.AA.WHINVCONTRAPOSE.DUE.storekeeper");
    storekeeper_ = new QLineEdit(this);
    storekeeper_->setObjectName("StorekeeperFilter");
    filters->addWidget(storekeeper_);
    AddButton(*filters, "QueryButton", Text("Zel.AA.WHINVCONTRAPOSE.DUE.query"),
              [this] { Query(); });
    auto* actions = new QHBoxLayout;
    actions->addWidget(&Count(), 1);
    AddButton(*actions, "CountedButton", Text("Zel.AA.WHINVCONTRAPOSE.DUE.counted"),
              [this] { CountedToday(); });
    AddPrintAndCloseButtons(*actions);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(&Grid(), 1);
    layout->addLayout(actions);
}

void FrmDueChecks::Query() {
    const int query = BeginQuery();
    const DueCheckFilter filter{warehouse_->text().trimmed().toStdString(),
                                storekeeper_->text().trimmed().toStdString()};
    listedAsOf_ = DayOf(asOf_->date());
    listedWarehouse_ = filter.warehouse;
    rows_.clear();
    ShowColumns();
    DueCheckReader reader(*Context().login.db,
                          DueChecksQuery(Context().login, filter, listedAsOf_));
    if (!ReadInSlices(reader, rows_, query, "Zel.AA.WHINVCONTRAPOSE.DUE.reading",
                      kRecordsPerSlice)) {
        return;
    }
    if (reader.Failed()) {
        rows_.clear();
        ShowColumns();
        zel::IPub& pub = *Context().login.pub;
        ShowInfoMessage(pub, pub.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.DUE.failed",
                                                    {Context().login.db->LastError()}));
    }
    // A sort asked for while the rows were read covers the rows read since as well.
    SortAgain();
    ShowCount("Zel.AA.WHINVCONTRAPOSE.DUE.rows");
}

void FrmDueChecks::ShowColumns() {
    ShowHeader(captions_.columns);
    Grid().SetColAlignment(kOverdueColumn, Qt::AlignRight | Qt::AlignVCenter);
}

std::vector<std::string> FrmDueChecks::CellsOf(std::size_t row) const {
    return DueCheckCells(rows_[row], captions_, listedAsOf_);
}

// The first rows may have no dates (never counted): the date columns keep a date's room.
void FrmDueChecks::FitColumns() {
    ListWindow::FitColumns();
    for (int col = kLastCheckColumn; col < kOverdueColumn; ++col) {
        Grid().SetColWidth(col, kDateColumnTwips);
    }
}

// From the grid's cells, which a sort by column has moved away from the order read.
std::vector<RowKey> FrmDueChecks::ChosenRows() const {
    const auto [first, last] = SelectedGridRows();
    std::vector<RowKey> keys;
    for (int row = first; row <= last; ++row) {
        keys.push_back(
            {Grid().TextMatrix(row, kWarehouseColumn), Grid().TextMatrix(row, kInventoryColumn)});
    }
    return keys;
}

void FrmDueChecks::CountedToday() {
    const std::vector<RowKey> keys = ChosenRows();
    if (keys.empty()) {
        return;
    }
    const LoginContext& login = Context().login;
    const auto lock = HostLock::Take(login.pub, login.db, login.login, kFormKey, zel::kLockEdit);
    if (!lock) {
        return;
    }
    const CountedOutcome outcome = MarkCountedToday(login, keys);
    zel::IPub& pub = *login.pub;
    if (!outcome.done) {
        ShowInfoMessage(
            pub, pub.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.DUE.failed", {outcome.error}));
        return;
    }
    if (outcome.changed > 0) {
        MarkChanged();
    }
    ShowInfoMessage(pub, pub.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.DUE.countedrows",
                                                {std::to_string(outcome.changed)}));
    Query();
}

void FrmDueChecks::EditCurrentRow() {
    const int row = Grid().Row();
    if (!links_.editRow || row < 1 || row >= Grid().Rows()) {
        return;
    }
    const RowKey key{Grid().TextMatrix(row, kWarehouseColumn),
                     Grid().TextMatrix(row, kInventoryColumn)};
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

}  // namespace korvel
