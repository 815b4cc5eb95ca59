#include "host/controls/ys_list_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QStyleOptionViewItem>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "host/controls/mouse_pointer.h"
#include "host/controls/twips.h"
#include "host/objects/resource_texts.h"

namespace zel {
namespace {

// Texts of the most characters are the widest ones in practice; measuring a bounded number of
// them keeps sizing a column of a hundred thousand rows as quick as sizing one of ten.
constexpr int kMeasuredTexts = 64;

}  // namespace

YsListView::YsListView(QWidget* parent)
    : QWidget(parent), view_(new QTreeView(this)), menu_(new QMenu(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setFocusProxy(view_);

    view_->setModel(&model_);
    view_->setRootIsDecorated(false);
    view_->setItemsExpandable(false);
    view_->setAllColumnsShowFocus(true);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every row has the same height, so the view never measures rows it does not show.
    view_->setUniformRowHeights(true);
    view_->header()->setStretchLastSection(false);

    connect(&model_, &ListItemsModel::CheckChanged, this,
            [this](int row, bool checked) { emit ItemCheck(row + 1, checked); });
    view_->installEventFilter(this);
    CreateContextMenu();
}

void YsListView::CreateContextMenu() {
    const std::pair<const char*, std::function<void()>> items[] = {
        {"Zel.HOST.LIST.tickSelected", [this] { TickSelected(true); }},
        {"Zel.HOST.LIST.untickSelected", [this] { TickSelected(false); }},
        {"Zel.HOST.LIST.tickAll", [this] { TickAll(true); }},
        {"Zel.HOST.LIST.untickAll", [this] { TickAll(false); }},
    };
    for (const auto& [key, action] : items) {
        connect(menu_->addAction(ResourceQString(key)), &QAction::triggered, this, action);
    }
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        menu_->popup(view_->viewport()->mapToGlobal(position));
    });
}

void YsListView::AddColumnHeader(const std::string& key, const std::string& text, int widthTwips) {
    const int column = model_.HeaderCount();
    headerKeys_.push_back(key);
    model_.AddHeader(QString::fromStdString(text));
    view_->setColumnWidth(column, Twips::ForScreen(screen()).ToPixelsX(widthTwips));
}

std::string YsListView::ColumnHeaderKey(int index) const {
    return index >= 1 && index <= ColumnHeaderCount() ? headerKeys_[static_cast<size_t>(index - 1)]
                                                      : std::string();
}

std::string YsListView::ColumnHeaderText(int index) const {
    return model_.Header(index - 1).toStdString();
}

void YsListView::AddItems(ListRows&& rows) {
    model_.Append(std::move(rows));
}

void YsListView::AddItem(const std::string& key, const std::string& text,
                         const std::vector<std::string>& subItems) {
    ListRows one;
    one.AddRow(key, false);
    one.AddText(text);
    for (const std::string& subItem : subItems) {
        one.AddText(subItem);
    }
    model_.Append(std::move(one));
}

void YsListView::Clear() {
    model_.Clear();
}

std::string YsListView::Text(int index) const {
    return SubItem(index, 0);
}

std::string YsListView::Key(int index) const {
    return Holds(index) ? model_.Rows().Key(index - 1) : std::string();
}

std::string YsListView::SubItem(int index, int n) const {
    return Holds(index) ? std::string(model_.Rows().Text(index - 1, n)) : std::string();
}

bool YsListView::Checked(int index) const {
    return Holds(index) && model_.Rows().Checked(index - 1);
}

void YsListView::SetChecked(int index, bool checked) {
    if (Holds(index)) {
        model_.SetChecked(index - 1, checked);
    }
}

void YsListView::SetAllChecked(bool checked) {
    model_.SetCheckedRange(0, Count() - 1, checked);
}

void YsListView::TickSelected(bool checked) {
    for (const auto& [first, last] : SelectedRanges()) {
        model_.SetCheckedRange(first, last, checked);
    }
    emit ItemsCheck();
}

void YsListView::TickAll(bool checked) {
    SetAllChecked(checked);
    emit ItemsCheck();
}

std::vector<std::pair<int, int>> YsListView::SelectedRanges() const {
    std::vector<std::pair<int, int>> ranges;
    for (const QItemSelectionRange& range : view_->selectionModel()->selection()) {
        ranges.emplace_back(range.top(), range.bottom());
    }
    return ranges;
}

// Ticks the selection unless every selected row is ticked already: one key both ways.
void YsListView::ToggleSelected() {
    const auto ranges = SelectedRanges();
    bool allTicked = true;
    for (const auto& [first, last] : ranges) {
        for (int row = first; row <= last && allTicked; ++row) {
            allTicked = model_.Rows().Checked(row);
        }
    }
    TickSelected(!allTicked);
}

bool YsListView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
        ToggleSelected();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void YsListView::FitColumnToLongestText(int column) {
    if (column < 1 || column > ColumnHeaderCount() || Count() == 0) {
        return;
    }
    const int modelColumn = column - 1;
    std::vector<std::pair<std::size_t, int>> lengths;  // bytes, row
    lengths.reserve(static_cast<std::size_t>(Count()));
    for (int row = 0; row < Count(); ++row) {
        lengths.emplace_back(model_.Rows().Text(row, modelColumn).size(), row);
    }
    const auto measured =
        lengths.begin() + std::min<std::ptrdiff_t>(kMeasuredTexts, std::ssize(lengths));
    std::partial_sort(lengths.begin(), measured, lengths.end(), std::greater<>());
    QStyleOptionViewItem option;
    option.initFrom(view_);
    int width = view_->columnWidth(modelColumn);
    for (auto it = lengths.begin(); it != measured; ++it) {
        const QModelIndex cell = model_.index(it->second, modelColumn);
        width = std::max(width, view_->itemDelegateForIndex(cell)->sizeHint(option, cell).width());
    }
    view_->setColumnWidth(modelColumn, width);
}

int YsListView::SelectedIndex() const {
    const QModelIndex current = view_->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void YsListView::SelectItem(int index) {
    if (!Holds(index)) {
        return;
    }
    const QModelIndex item = model_.index(index - 1, 0);
    view_->setCurrentIndex(item);
    view_->scrollTo(item, QAbstractItemView::PositionAtCenter);
}

bool YsListView::SetMousePointer(int mousePointer) {
    if (!ApplyMousePointer(*view_, mousePointer)) {
        return false;
    }
    mousePointer_ = mousePointer;
    return true;
}

}  // namespace zel
