#include "history/frm_change_history.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/common.h"
#include "core/correspondence_fields.h"
#include "core/form_key.h"

namespace korvel {
namespace {

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
    : ListWindow(context, kChangeHistoryHelpKey, "Zel.AA.WHINVCONTRAPOSE.HISTORY.title",
                 links.refreshMain, parent),
      links_(std::move(links)),
      captions_(ChangeHistoryCaptionsOf(*context.login.pub, *context.login.db)) {
    CreateControls();
    FillChoices();
    ShowScope(scope);
    connect(fromSet_, &QCheckBox::toggled, from_, &QWidget::setEnabled);
    connect(toSet_, &QCheckBox::toggled, to_, &QWidget::setEnabled);
    UpdateButtons();
    resize(1100, 600);
}

void FrmChangeHistory::CreateControls() {
    auto* dates = new QHBoxLayout;
    auto* rows = new QHBoxLayout;
    CreateFilters(*dates, *rows);
    auto* actions = new QHBoxLayout;
    CreateActions(*actions);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(dates);
    layout->addLayout(rows);
    layout->addWidget(&Grid(), 1);
    layout->addLayout(actions);
}

// The dates and who and what on the first line, which rows on the second.
void FrmChangeHistory::CreateFilters(QBoxLayout& first, QBoxLayout& second) {
    const QDate today = BusinessDate();
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
    second.addStretch(1);
    AddButton(second, "QueryButton", Text("Zel.AA.WHINVCONTRAPOSE.DUE.query"), [this] { Query(); });
    first.addStretch(1);
}

void FrmChangeHistory::CreateActions(QHBoxLayout& actions) {
    actions.addWidget(&Count(), 1);
    restore_ = AddButton(actions, "RestoreButton", Text("Zel.AA.WHINVCONTRAPOSE.HISTORY.restore"),
                         [this] { RestoreSelected(); });
    undo_ = AddButton(actions, "UndoButton", Text("Zel.AA.WHINVCONTRAPOSE.HISTORY.undo"),
                      [this] { UndoSelectedEntries(); });
    AddPrintAndCloseButtons(actions);
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
    for (const ChangeKindChoice& choice : ChangeKindChoices(captions_)) {
        kind_->addItem(QString::fromStdString(choice.caption), QString::fromStdString(choice.kind));
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
    const int query = BeginQuery();
    const ChangeHistoryFilter filter = Filter();
    listedWarehouse_ = filter.warehouse;
    rows_.clear();
    ShowHeader(captions_.columns);
    ChangeHistoryReader reader(*Context().login.db, ChangeHistoryQuery(Context().login, filter));
    // The buttons that act on rows wait for the whole list.
    reading_ = true;
    UpdateButtons();
    if (!ReadInSlices(reader, rows_, query, "Zel.AA.WHINVCONTRAPOSE.HISTORY.reading",
                      kChangeHistorySlice, mostRows_)) {
        return;
    }
    reading_ = false;
    if (reader.Failed()) {
        rows_.clear();
        ShowHeader(captions_.columns);
        zel::IPub& pub = *Context().login.pub;
        ShowInfoMessage(pub, pub.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.HISTORY.failed",
                                                    {Context().login.db->LastError()}));
    }
    // A sort asked for while the rows were read covers the rows read since as well.
    SortAgain();
    ShowCount(reader.AtEnd() ? "Zel.AA.WHINVCONTRAPOSE.HISTORY.rows"
                             : "Zel.AA.WHINVCONTRAPOSE.HISTORY.newest");
    UpdateButtons();
}

std::vector<std::string> FrmChangeHistory::CellsOf(std::size_t row) const {
    return ChangeHistoryCells(rows_[row], captions_);
}

// The rows read take the grid's new order too, so that grid row r stays Rows()[r - 1] and what a
// restore is given is what the user sees chosen.
void FrmChangeHistory::ReorderRows(const std::vector<int>& sequence) {
    ReorderBySequence(rows_, sequence);
}

const ChangeHistoryEntry* FrmChangeHistory::EntryAt(int gridRow) const {
    if (gridRow < 1 || gridRow > static_cast<int>(rows_.size())) {
        return nullptr;
    }
    return &rows_[static_cast<std::size_t>(gridRow) - 1];
}

std::vector<ChangeHistoryEntry> FrmChangeHistory::SelectedValues() const {
    const auto [first, last] = SelectedGridRows();
    std::vector<ChangeHistoryEntry> values;
    for (int row = first; row <= last; ++row) {
        if (const ChangeHistoryEntry* entry = EntryAt(row)) {
            values.push_back(*entry);
        }
    }
    return values;
}

std::optional<long long> FrmChangeHistory::CurrentChange() const {
    const ChangeHistoryEntry* entry = EntryAt(Grid().Row());
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
        MarkChanged();
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

}  // namespace korvel
