#include "host/controls/ys_list_view.h"

#include <QHeaderView>
#include <QTreeView>
#include <QVBoxLayout>

#include "host/controls/mouse_pointer.h"
#include "host/controls/twips.h"

namespace zel {

YsListView::YsListView(QWidget* parent) : QWidget(parent), view_(new QTreeView(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setFocusProxy(view_);

    view_->setModel(&model_);
    view_->setRootIsDecorated(false);
    view_->setItemsExpandable(false);
    view_->setAllColumnsShowFocus(true);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every row has the same height, so the view never measures rows it does not show.
    view_->setUniformRowHeights(true);
    view_->header()->setStretchLastSection(false);

    connect(&model_, &ListItemsModel::CheckChanged, this,
            [this](int row, bool checked) { emit ItemCheck(row + 1, checked); });
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
