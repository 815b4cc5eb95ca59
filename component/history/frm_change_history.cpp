#include "history/frm_change_history.h"

#include <QCheckBox>
#include <QComboBox>
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
#include "core/correspondence_fields.h"
#include "core/form_key.h"
#include "core/run_ignoring_errors.h"
#include "mainwindow/print_control_target.h"

namespace korvel {
namespace {

constexpr const char* kPrintKeys[] = {"SetUp", "Print", "Preview", "SaveFile"};
constexpr const char* kKinds[] = {"add", "change", "delete"};
constexpr int kFilterBoxPixels = 120;

std::string DayText(const QCheckBox& set, const QDateEdit& date) {
    return set.isChecked() ? date.date().toString(Qt::ISODate).toStdString() : std::string();
}

std::string ChosenData(const QComboBox& combo) {
    return combo.currentData().toString().toStdString();
}

void Choose(QComboBox& combo, const std::string& data) {
    combo.setCurrentIndex(std::max(combo.findData(QString::fromStdString(data)), 0));
}

}  // namespace

FrmChangeHistory::FrmChangeHistory(ComponentContext& context, const ChangeHistoryFilter& scope,
                                   ChangeHistoryLinks links, QWidget* parent)
    : QDialog(parent),
      context_(context),
      links_(std::move(links)),
      captions_(ChangeHistoryCaptionsOf(*context.login.pub, *context.login.db)),
      frame_(*this, context) {
    setObjectName("FrmChangeHistory");
    setWindowTitle(QString::fromStdString(Text("Zel.AA.WHINVCONTRAPOSE.HISTORY.title")));
    CreateControls();
    FillChoices();
    ShowScope(scope);
    ConnectControls();
    UpdateButtons();
    frame_.BindHelp(kChangeHistoryHelpKey);
    frame_.ShowHelpOnF1();
    resize(1100, 600);
}

std::string FrmChangeHistory::Text(const char* key) const {
    return context_.login.pub->GetResString(key);
}

void FrmChangeHistory::CreateControls() {
    auto* dates = new QHBoxLayout;
    auto* rows = new QHBoxLayout;
    CreateFilters(*dates, *rows);
    grid_ = new zel::FlexGrid(this);
    grid_->setObjectName("Grid");
    grid_->SetSelectionMode(zel::FlexGrid::kSelectionByRow);
    grid_->View().horizontalHeader()->setSectionsClickable(true);
    prn_ = new zel::PrintControl(
        [this](QDialog& dialog) { return context_.login.pub->ShowModal(dialog, this); }, this);
    prn_->setObjectName("Prn");
    prn_->setVisible(false);
    auto* actions = new QHBoxLayout;
    CreateActions(*actions);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(dates);
    layout->addLayout(rows);
    layout->addWidget(grid_, 1);
    layout->addLayout(actions);
}

// The dates and who and what on the first line, which rows on the second.
void FrmChangeHistory::CreateFilters(QBoxLayout& first, QBoxLayout& second) {
    const QDate business =
        QDate::fromString(QString::fromStdString(context_.login.sCurDate), Qt::ISODate);
    const QDate today = business.isValid() ? business : QDate::currentDate();
    auto date = [&](const char* name, const char* key, QCheckBox*& set, QDateEdit*& edit,
                    const QDate& shown) {
        set = new QCheckBox(QString::fromStdString(Text(key)), this);
        set->setObjectName(QString(name) + "Set");
        first.addWidget(set);
        edit = new QDateEdit(shown, this);
        edit->setObjectName(name);
        edit->setCalendarPopup(true);
        edit->setDisplayFormat("yyyy-MM-dd");
        edit->setEnabled(false);
        first.addWidget(edit);
    };
    date("From", "Zel.AA.WHINVCONTRAPOSE.HISTORY.from", fromSet_, from_, today.addMonths(-1));
    date("To", "Zel.AA.WHINVCONTRAPOSE.HISTORY.to", toSet_, to_, today);
    auto labelled = [&](QBoxLayout& line, const char* key, auto* widget, const char* name) {
        line.addWidget(new QLabel(QString::fromStdString(Text(key)), this));
        widget->setObjectName(name);
        widget->setMinimumWidth(kFilterBoxPixels);
        line.addWidget(widget);
        return widget;
    };
    user_ =
        labelled(first, "Zel.AA.WHINVCONTRAPOSE.HISTORY.user", new QLineEdit(this), "UserFilter");
    field_ =
        labelled(first, "Zel.AA.WHINVCONTRAPOSE.HISTORY.field", new QComboBox(this), "FieldFilter");
    kind_ =
        labelled(first, "Zel.AA.WHINVCONTRAPOSE.HISTORY.kind", new QComboBox(this), "KindFilter");
    warehouse_ = labelled(second, "Zel.AA.WHINVCONTRAPOSE.HISTORY.warehouse", new QLineEdit(this),
                          "WarehouseFilter");
    inventory_ = labelled(second, "Zel.AA.WHINVCONTRAPOSE.HISTORY.inventory", new QLineEdit(this),
                          "InventoryFilter");
    auto* query =
        new QPushButton(QString::fromStdString(Text("Zel.AA.WHINVCONTRAPOSE.DUE.query")), this);
    query->setObjectName("QueryButton");
    query->setAutoDefault(false);
    connect(query, &QPushButton::clicked, this, [this] { Query(); });
    second.addStretch(1);
    second.addWidget(query);
    first.addStretch(1);
}

void FrmChangeHistory::CreateActions(QHBoxLayout& actions) {
    count_ = new QLabel(this);
    count_->setObjectName("Count");
    actions.addWidget(count_, 1);
    auto button = [&](const std::string& name, const std::string& text, auto slot) {
        auto* pushButton = new QPushButton(QString::fromStdString(text), this);
        pushButton->setObjectName(QString::fromStdString(name));
        pushButton->setAutoDefault(false);
        connect(pushButton, &QPushButton::clicked, this, slot);
        actions.addWidget(pushButton);
        return pushButton;
    };
    restore_ = button("RestoreButton", Text("Zel.AA.WHINVCONTRAPOSE.HISTORY.restore"),
                      [this] { RestoreSelected(); });
    undo_ = button("UndoButton", Text("Zel.AA.WHINVCONTRAPOSE.HISTORY.undo"),
                   [this] { UndoSelectedEntries(); });
    for (const std::string key : kPrintKeys) {
        button(key + "Button", Text(("Zel.AA.ARCHIVE.TOOLBAR." + key).c_str()),
               [this, key] { PrintOrExport(key); });
    }
    button("CloseButton", Text("Zel.AA.WHINVCONTRAPOSE.DUE.close"), [this] { accept(); });
}

// The fields a row keeps, by the captions the grid heads them with; the first choice is all.
void FrmChangeHistory::FillChoices() {
    const QString all = QString::fromStdString(Text("Zel.AA.WHINVCONTRAPOSE.HISTORY.all"));
    field_->addItem(all, QString());
    for (const CorrespondenceField* field : FieldsInRecordXmlOrder()) {
        const std::string column(field->column);
        field_->addItem(QString::fromStdString(FieldCaptionOf(captions_, column)),
                        QString::fromStdString(column));
    }
    kind_->addItem(all, QString());
    const std::string kindCaptions[] = {captions_.add, captions_.change, captions_.remove};
    for (std::size_t index = 0; index < std::size(kKinds); ++index) {
        kind_->addItem(QString::fromStdString(kindCaptions[index]), QString(kKinds[index]));
    }
}

void FrmChangeHistory::ShowScope(const ChangeHistoryFilter& scope) {
    const auto showDate = [](const std::string& text, QCheckBox& set, QDateEdit& edit) {
        const QDate date = QDate::fromString(QString::fromStdString(text), Qt::ISODate);
        set.setChecked(date.isValid());
        edit.setEnabled(date.isValid());
        if (date.isValid()) {
            edit.setDate(date);
        }
    };
    showDate(scope.from, *fromSet_, *from_);
    showDate(scope.to, *toSet_, *to_);
    user_->setText(QString::fromStdString(scope.user));
    Choose(*field_, scope.field);
    Choose(*kind_, scope.kind);
    warehouse_->setText(QString::fromStdString(scope.warehouse));
    inventory_->setText(QString::fromStdString(scope.inventory));
}

void FrmChangeHistory::ConnectControls() {
    connect(fromSet_, &QCheckBox::toggled, from_, &QWidget::setEnabled);
    connect(toSet_, &QCheckBox::toggled, to_, &QWidget::setEnabled);
    connect(grid_->View().horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int col) { SortByColumn(col); });
    connect(prn_, &zel::PrintControl::SaveStyle, this,
            [this](const QVariant& first, const QVariant& second) {
                RunIgnoringErrors([&] { SavePrintStyle(context_, Subject(), first, second); });
            });
}

// The read starts once the window shows, so that its first rows show at once.
void FrmChangeHistory::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        QTimer::singleShot(0, this, [this] { Query(); });
    }
}

ChangeHistoryFilter FrmChangeHistory::Filter() const {
    return {.warehouse = warehouse_->text().trimmed().toStdString(),
            .inventory = inventory_->text().trimmed().toStdString(),
            .from = DayText(*fromSet_, *from_),
            .to = DayText(*toSet_, *to_),
            .user = user_->text().trimmed().toStdString(),
            .field = ChosenData(*field_),
            .kind = ChosenData(*kind_)};
}

void FrmChangeHistory::Query() {
    const int query = ++queries_;
    const ChangeHistoryFilter filter = Filter();
    listedWarehouse_ = filter.warehouse;
    rows_.clear();
    ShowHeader();
    ChangeHistoryReader reader(*context_.login.db, ChangeHistoryQuery(context_.login, filter));
    ReadRows(reader, query);
}

// Between slices the window's events run: they may start another query, which this read then
// leaves the grid to, or close the window. The buttons that act on rows wait for the whole list.
void FrmChangeHistory::ReadRows(ChangeHistoryReader& reader, int query) {
    reading_ = true;
    UpdateButtons();
    while (!reader.AtEnd() && rows_.size() < mostRows_) {
        const std::size_t shown = rows_.size();
        reader.ReadSome(std::min(kChangeHistorySlice, mostRows_ - shown), rows_);
        AppendRows(shown);
        ShowCount("Zel.AA.WHINVCONTRAPOSE.HISTORY.reading");
        QCoreApplication::processEvents();
        if (query != queries_) {
            return;
        }
    }
    reading_ = false;
    if (reader.Failed()) {
        rows_.clear();
        ShowHeader();
        ShowInfoMessage(*context_.login.pub, context_.login.pub->GetResFormatString(
                                                 "Zel.AA.WHINVCONTRAPOSE.HISTORY.failed",
                                                 {context_.login.db->LastError()}));
    }
    // A sort asked for while the rows were read covers the rows read since as well.
    if (sortColumn_ > 0) {
        SortRows();
    }
    ShowCount(reader.AtEnd() ? "Zel.AA.WHINVCONTRAPOSE.HISTORY.rows"
                             : "Zel.AA.WHINVCONTRAPOSE.HISTORY.newest");
    UpdateButtons();
}

// One fixed header row and a serial number column, as the main grid shows its rows.
void FrmChangeHistory::ShowHeader() {
    const int cols = static_cast<int>(captions_.columns.size()) + 1;
    grid_->SetRedraw(false);
    grid_->SetRows(1);
    grid_->SetCols(cols);
    grid_->SetFixedRows(1);
    grid_->SetTextMatrix(0, 0, Text("Zel.AA.ARCHIVE.COMMON.serialnumber"));
    for (int col = 1; col < cols; ++col) {
        grid_->SetTextMatrix(0, col, captions_.columns[static_cast<std::size_t>(col) - 1]);
    }
    grid_->SetRedraw(true);
    sortColumn_ = -1;
    grid_->View().horizontalHeader()->setSortIndicatorShown(false);
}

void FrmChangeHistory::AppendRows(std::size_t from) {
    if (from >= rows_.size()) {
        return;
    }
    grid_->SetRedraw(false);
    grid_->GrowRows(static_cast<int>(rows_.size()) + 1);
    std::vector<std::string> cells;
    for (std::size_t index = from; index < rows_.size(); ++index) {
        cells = ChangeHistoryCells(rows_[index], captions_);
        cells.insert(cells.begin(), std::to_string(index + 1));
        grid_->SetRowTexts(static_cast<int>(index) + 1, cells);
    }
    grid_->SetRedraw(true);
    if (from == 0) {
        grid_->AutoSizeCols();
    }
}

void FrmChangeHistory::ShowCount(const char* key) {
    count_->setText(QString::fromStdString(
        context_.login.pub->GetResFormatString(key, {std::to_string(rows_.size())})));
}

void FrmChangeHistory::SortByColumn(int col) {
    if (col < 1 || col >= grid_->Cols() || grid_->Rows() <= 2) {
        return;
    }
    sortOrder_ = col == sortColumn_ && sortOrder_ == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                        : Qt::AscendingOrder;
    sortColumn_ = col;
    SortRows();
}

// The rows read are put in the grid's new order too, so that grid row r stays Rows()[r - 1]
// and what a restore is given is what the user sees chosen.
void FrmChangeHistory::SortRows() {
    zel::FlexGridModel& model = grid_->Model();
    const std::vector<int> sequence =
        model.SortedRows(sortColumn_, sortOrder_, zel::CellKind::kGuessed);
    std::vector<ChangeHistoryEntry> sorted;
    sorted.reserve(sequence.size());
    for (const int row : sequence) {
        sorted.push_back(std::move(rows_[static_cast<std::size_t>(row)]));
    }
    rows_ = std::move(sorted);
    grid_->SetRedraw(false);
    model.ReorderRows(sequence);
    for (int row = 1; row < grid_->Rows(); ++row) {
        grid_->SetTextMatrix(row, 0, std::to_string(row));
    }
    grid_->SetRedraw(true);
    grid_->SetRow(1);
    ShowSortIndicator();
}

void FrmChangeHistory::ShowSortIndicator() {
    QHeaderView& header = *grid_->View().horizontalHeader();
    header.setSortIndicatorShown(true);
    header.setSortIndicator(sortColumn_, sortOrder_);
}

const ChangeHistoryEntry* FrmChangeHistory::EntryAt(int gridRow) const {
    if (gridRow < 1 || gridRow > static_cast<int>(rows_.size())) {
        return nullptr;
    }
    return &rows_[static_cast<std::size_t>(gridRow) - 1];
}

std::vector<ChangeHistoryEntry> FrmChangeHistory::SelectedValues() const {
    const int first = std::min(grid_->Row(), grid_->RowSel());
    const int last = std::max(grid_->Row(), grid_->RowSel());
    std::vector<ChangeHistoryEntry> values;
    for (int row = first; row <= last; ++row) {
        if (const ChangeHistoryEntry* entry = EntryAt(row)) {
            values.push_back(*entry);
        }
    }
    return values;
}

std::optional<long long> FrmChangeHistory::CurrentChange() const {
    const ChangeHistoryEntry* entry = EntryAt(grid_->Row());
    return entry ? std::optional<long long>(entry->change) : std::nullopt;
}

std::vector<long long> FrmChangeHistory::SelectedChanges() const {
    std::vector<long long> changes;
    for (const ChangeHistoryEntry& value : SelectedValues()) {
        changes.push_back(value.change);
    }
    std::ranges::sort(changes, std::greater<>());
    const auto [first, last] = std::ranges::unique(changes);
    changes.erase(first, last);
    return changes;
}

// A button without what it runs says why it is off; none acts on a list still being read.
void FrmChangeHistory::UpdateButtons() {
    const auto update = [&](QPushButton& button, bool linked) {
        button.setEnabled(linked && !reading_);
        button.setToolTip(linked ? QString() : QString::fromStdString(Text(links_.offReason)));
    };
    update(*restore_, bool(links_.restore));
    update(*undo_, bool(links_.undo));
}

void FrmChangeHistory::RestoreSelected() {
    const std::vector<ChangeHistoryEntry> values = SelectedValues();
    if (!links_.restore || reading_ || values.empty()) {
        return;
    }
    AfterWrite(links_.restore(values));
}

void FrmChangeHistory::UndoSelectedEntries() {
    const std::vector<long long> changes = SelectedChanges();
    if (!links_.undo || reading_ || changes.empty()) {
        return;
    }
    AfterWrite(links_.undo(changes));
}

// What was put back is itself a change: the list is read again to show it.
void FrmChangeHistory::AfterWrite(bool written) {
    if (written) {
        changed_ = true;
        Query();
    }
}

PrintSubject FrmChangeHistory::Subject() const {
    const std::string title = Text("Zel.AA.WHINVCONTRAPOSE.HISTORY.title");
    return {title, title, ChangeHistoryColumnsQuery(), ListedWarehouseHeading()};
}

// The rows carry their warehouse's name; a list of one warehouse without rows names its code.
std::string FrmChangeHistory::ListedWarehouseHeading() const {
    if (listedWarehouse_.empty()) {
        return Text("Zel.AA.WHINVCONTRAPOSE.PRINT.all_warehouses");
    }
    const auto named = std::ranges::find_if(
        rows_, [](const ChangeHistoryEntry& row) { return !row.warehouseName.empty(); });
    return named == rows_.end() ? listedWarehouse_
                                : named->warehouseCode + " " + named->warehouseName;
}

void FrmChangeHistory::PrintOrExport(const std::string& key) {
    RunIgnoringErrors([&] {
        PrintControlTarget prn(*prn_);
        PrintAll(context_, Subject(), *this, key, *grid_, prn);
    });
}

void FrmChangeHistory::done(int result) {
    ++queries_;
    if (changed_ && links_.refreshMain) {
        changed_ = false;
        links_.refreshMain();
    }
    QDialog::done(result);
}

}  // namespace korvel
