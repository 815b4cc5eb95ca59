#include "checkplan/frm_due_checks.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "checkplan/counted_today.h"
#include "core/common.h"
#include "core/host_lock.h"
#include "host/controls/print_data.h"

namespace korvel {
namespace {

constexpr const char* kFormKey = "WhInvContrapose";
constexpr double kDateColumnTwips = 1500;

std::chrono::year_month_day DayOf(const QDate& date) {
    return std::chrono::year_month_day(std::chrono::year(date.year()),
                                       std::chrono::month(static_cast<unsigned>(date.month())),
                                       std::chrono::day(static_cast<unsigned>(date.day())));
}

}  // namespace

FrmDueChecks::FrmDueChecks(ComponentContext& context, std::function<void()> mainRefresh,
                           QWidget* parent)
    : QDialog(parent), context_(context), mainRefresh_(std::move(mainRefresh)) {
    setObjectName("FrmDueChecks");
    setWindowTitle(QString::fromStdString(Text("Zel.AA.WHINVCONTRAPOSE.DUE.title")));
    CreateControls();
    resize(900, 560);
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
    auto button = [&](const char* name, const char* key, auto slot) {
        auto* pushButton = new QPushButton(QString::fromStdString(Text(key)), this);
        pushButton->setObjectName(name);
        pushButton->setAutoDefault(false);
        connect(pushButton, &QPushButton::clicked, this, slot);
        filters->addWidget(pushButton);
    };
    button("QueryButton", "Zel.AA.WHINVCONTRAPOSE.DUE.query", [this] { Query(); });
    button("CountedButton", "Zel.AA.WHINVCONTRAPOSE.DUE.counted", [this] { CountedToday(); });
    button("CloseButton", "Zel.AA.WHINVCONTRAPOSE.DUE.close", [this] { accept(); });
    grid_ = new zel::FlexGrid(this);
    grid_->setObjectName("Grid");
    grid_->SetSelectionMode(zel::FlexGrid::kSelectionByRow);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(grid_, 1);
}

void FrmDueChecks::Query() {
    const DueCheckFilter filter{warehouse_->text().trimmed().toStdString(),
                                storekeeper_->text().trimmed().toStdString()};
    bool read = false;
    rows_ = ReadDueChecks(*context_.login.db, DueChecksQuery(context_.login, filter),
                          DayOf(asOf_->date()), read);
    if (!read) {
        ShowInfoMessage(*context_.login.pub,
                        context_.login.pub->GetResFormatString("Zel.AA.WHINVCONTRAPOSE.DUE.failed",
                                                               {context_.login.db->LastError()}));
    }
    ShowRows();
}

// One fixed header row and a serial number column, as the main grid shows its rows.
void FrmDueChecks::ShowRows() {
    const zel::PrintData table =
        DueChecksTable(rows_, DueCheckCaptionsOf(*context_.login.pub), DayOf(asOf_->date()));
    const int cols = static_cast<int>(table.headers.size()) + 1;
    grid_->SetRedraw(false);
    grid_->SetRows(static_cast<int>(table.RowCount()) + 1);
    grid_->SetCols(cols);
    grid_->SetFixedRows(1);
    for (int col = 1; col < cols; ++col) {
        grid_->SetTextMatrix(0, col, table.headers[static_cast<std::size_t>(col) - 1]);
    }
    for (std::size_t row = 0; row < table.RowCount(); ++row) {
        const int gridRow = static_cast<int>(row) + 1;
        grid_->SetTextMatrix(gridRow, 0, std::to_string(gridRow));
        for (int col = 1; col < cols; ++col) {
            grid_->SetTextMatrix(gridRow, col, table.Cell(row, static_cast<std::size_t>(col) - 1));
        }
    }
    grid_->SetColAlignment(cols - 1, Qt::AlignRight | Qt::AlignVCenter);
    grid_->SetRedraw(true);
    grid_->AutoSizeCols();
    // The first rows shown may have no dates (never counted): the date columns keep a date's room.
    for (int col = cols - 3; col < cols - 1; ++col) {
        grid_->SetColWidth(col, kDateColumnTwips);
    }
}

void FrmDueChecks::CountedToday() {
    const int first = std::min(grid_->Row(), grid_->RowSel());
    const int last = std::max(grid_->Row(), grid_->RowSel());
    std::vector<RowKey> keys;
    for (int row = std::max(first, 1); row <= last; ++row) {
        const auto index = static_cast<std::size_t>(row) - 1;
        if (index < rows_.size()) {
            keys.push_back({rows_[index].warehouseCode, rows_[index].inventoryCode});
        }
    }
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

void FrmDueChecks::done(int result) {
    if (changed_ && mainRefresh_) {
        changed_ = false;
        mainRefresh_();
    }
    QDialog::done(result);
}

}  // namespace korvel
