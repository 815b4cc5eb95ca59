#include "host/controls/flex_grid.h"

#include "host/controls/grid_table_view.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "host/controls/mouse_pointer.h"
#include "host/controls/twips.h"
#include "host/controls/vb_input_codes.h"

namespace zel {
namespace {

constexpr int kRowPadding = 6;

}  // namespace

FlexGrid::FlexGrid(QWidget* parent)
    : QWidget(parent), view_(new GridTableView(this)), widths_(*view_, kSizingRows) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setFocusProxy(view_);

    view_->setModel(&model_);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setWordWrap(false);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // One line of text per row, as a list grid shows; the style's default is nearly two.
    const int rowHeight = view_->fontMetrics().height() + kRowPadding;
    view_->verticalHeader()->setMinimumSectionSize(rowHeight);
    view_->verticalHeader()->setDefaultSectionSize(rowHeight);
    view_->horizontalHeader()->setSectionsClickable(false);
    view_->horizontalHeader()->setHighlightSections(false);
    view_->viewport()->installEventFilter(this);
    view_->horizontalHeader()->viewport()->installEventFilter(this);

    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { TakeSelectionFromView(); });
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { TakeSelectionFromView(); });
}

// A fill sets the row count first and then writes every row.
bool FlexGrid::SetRows(int rows) {
    showingSelection_ = true;
    const bool done = model_.SetRows(rows);
    showingSelection_ = false;
    ClampCursor();
    widths_.ExpectRows();
    return done;
}

bool FlexGrid::SetCols(int cols) {
    showingSelection_ = true;
    const bool done = model_.SetCols(cols);
    showingSelection_ = false;
    ClampCursor();
    widths_.ForgetFrom(model_.Cols());
    fields_.resize(static_cast<std::size_t>(model_.Cols()));
    return done;
}

const GridField& FlexGrid::ColField(int col) const {
    static const GridField kNone;
    return col >= 0 && static_cast<std::size_t>(col) < fields_.size()
               ? fields_[static_cast<std::size_t>(col)]
               : kNone;
}

bool FlexGrid::SetColField(int col, GridField field) {
    if (!IsGridCol(col)) {
        return false;
    }
    fields_.resize(static_cast<std::size_t>(Cols()));
    fields_[static_cast<std::size_t>(col)] = std::move(field);
    return true;
}

bool FlexGrid::SetFixedRows(int fixedRows) {
    showingSelection_ = true;
    const bool done = model_.SetFixedRows(fixedRows);
    showingSelection_ = false;
    view_->horizontalHeader()->setVisible(model_.FixedRows() > 0);
    ClampCursor();
    return done;
}

bool FlexGrid::SetRow(int row) {
    if (!IsGridRow(row)) {
        return false;
    }
    row_ = rowSel_ = row;
    colSel_ = col_;
    ShowSelection();
    return true;
}

bool FlexGrid::SetCol(int col) {
    if (!IsGridCol(col)) {
        return false;
    }
    col_ = colSel_ = col;
    rowSel_ = row_;
    ShowSelection();
    return true;
}

bool FlexGrid::SetRowSel(int row) {
    if (!IsGridRow(row)) {
        return false;
    }
    rowSel_ = row;
    ShowSelection();
    return true;
}

bool FlexGrid::SetColSel(int col) {
    if (!IsGridCol(col)) {
        return false;
    }
    colSel_ = col;
    ShowSelection();
    return true;
}

std::string FlexGrid::TextMatrix(int row, int col) const {
    return std::string(model_.Text(row, col));
}

bool FlexGrid::SetTextMatrix(int row, int col, std::string_view text) {
    return model_.SetText(row, col, text);
}

bool FlexGrid::SetRowTexts(int row, std::span<const std::string> texts) {
    return model_.SetRowTexts(row, texts);
}

bool FlexGrid::SetMousePointer(int mousePointer) {
    if (!ApplyMousePointer(*this, mousePointer)) {
        return false;
    }
    mousePointer_ = mousePointer;
    return true;
}

// Holding the model's announcements back is enough to keep the view still; switching the view's
// own updates off and on would repaint all of it every time.
void FlexGrid::SetRedraw(bool redraw) {
    model_.SetDeferUpdates(!redraw);
    if (redraw) {
        widths_.RowsShown();
    }
}

QColor FlexGrid::BackColor() const {
    return view_->palette().color(QPalette::Base);
}

void FlexGrid::SetBackColor(const QColor& color) {
    QPalette palette = view_->palette();
    palette.setColor(QPalette::Base, color);
    view_->setPalette(palette);
}

double FlexGrid::ColWidth(int col) const {
    if (!IsGridCol(col)) {
        return 0;
    }
    return Twips::ForScreen(screen()).FromPixelsX(view_->columnWidth(col));
}

bool FlexGrid::SetColWidth(int col, double twips) {
    if (!IsGridCol(col) || twips < 0) {
        return false;
    }
    widths_.SetWidth(col, Twips::ForScreen(screen()).ToPixelsX(twips));
    return true;
}

bool FlexGrid::FitColToContents(int col, double maxTwips) {
    if (!IsGridCol(col) || maxTwips < 0) {
        return false;
    }
    widths_.FollowContents(col, Twips::ForScreen(screen()).ToPixelsX(maxTwips));
    return true;
}

bool FlexGrid::SetColAlignment(int col, Qt::Alignment alignment) {
    return model_.SetColAlignment(col, alignment);
}

bool FlexGrid::SetSelectionMode(int mode) {
    switch (mode) {
        case kSelectionFree:
            view_->setSelectionBehavior(QAbstractItemView::SelectItems);
            break;
        case kSelectionByRow:
            view_->setSelectionBehavior(QAbstractItemView::SelectRows);
            break;
        case kSelectionByColumn:
            view_->setSelectionBehavior(QAbstractItemView::SelectColumns);
            break;
        default:
            return false;
    }
    selectionMode_ = mode;
    ShowSelection();
    return true;
}

void FlexGrid::AutoSizeCols() {
    widths_.FitAll();
}

bool FlexGrid::Sort(int col, Qt::SortOrder order, CellKind kind) {
    if (!IsGridCol(col)) {
        return false;
    }
    return ReorderRows(model_.SortedRows(col, order, kind));
}

bool FlexGrid::ReorderRows(const std::vector<int>& sequence) {
    showingSelection_ = true;
    const bool done = model_.ReorderRows(sequence);
    showingSelection_ = false;
    if (!done) {
        return false;
    }
    if (rowSel_ >= FixedRows()) {
        const auto moved = std::find(sequence.begin(), sequence.end(), rowSel_ - FixedRows());
        row_ = rowSel_ = static_cast<int>(moved - sequence.begin()) + FixedRows();
    }
    ShowSelection();
    return true;
}

void FlexGrid::ClampCursor() {
    const int lastRow = std::max(Rows() - 1, 0);
    const int lastCol = std::max(Cols() - 1, 0);
    row_ = std::min(row_, lastRow);
    rowSel_ = std::min(rowSel_, lastRow);
    col_ = std::min(col_, lastCol);
    colSel_ = std::min(colSel_, lastCol);
    ShowSelection();
}

void FlexGrid::ShowSelection() {
    auto* selection = view_->selectionModel();
    showingSelection_ = true;
    const int top = std::max(std::min(row_, rowSel_), FixedRows());
    const int bottom = std::max(row_, rowSel_);
    if (bottom < FixedRows() || Cols() == 0) {
        selection->clearSelection();
        selection->clearCurrentIndex();
    } else {
        const QModelIndex current = model_.GridIndex(std::max(rowSel_, FixedRows()), colSel_);
        QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
        if (selectionMode_ == kSelectionByRow) {
            flags |= QItemSelectionModel::Rows;
        } else if (selectionMode_ == kSelectionByColumn) {
            flags |= QItemSelectionModel::Columns;
        }
        selection->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
        selection->select(QItemSelection(model_.GridIndex(top, std::min(col_, colSel_)),
                                         model_.GridIndex(bottom, std::max(col_, colSel_))),
                          flags);
        // Before the grid is shown its viewport has no size to scroll within.
        if (view_->isVisible()) {
            view_->scrollTo(current);
        }
    }
    showingSelection_ = false;
}

// Qt keeps the cell the user reached last as current; the grid calls that end of the selection
// RowSel/ColSel and its other corner Row/Col.
void FlexGrid::TakeSelectionFromView() {
    if (showingSelection_) {
        return;
    }
    const QModelIndex current = view_->selectionModel()->currentIndex();
    if (!current.isValid()) {
        return;
    }
    rowSel_ = model_.GridRow(current);
    colSel_ = current.column();
    row_ = rowSel_;
    col_ = colSel_;
    for (const QItemSelectionRange& range : view_->selectionModel()->selection()) {
        if (!range.contains(current)) {
            continue;
        }
        // A whole-row (or whole-column) selection says nothing about the other axis.
        if (selectionMode_ != kSelectionByColumn) {
            const int anchor = current.row() == range.top() ? range.bottom() : range.top();
            row_ = anchor + FixedRows();
        }
        if (selectionMode_ != kSelectionByRow) {
            col_ = current.column() == range.left() ? range.right() : range.left();
        }
        break;
    }
}

bool FlexGrid::eventFilter(QObject* watched, QEvent* event) {
    const bool inCells = watched == view_->viewport();
    if (event->type() == QEvent::MouseButtonDblClick && inCells) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (view_->indexAt(mouse->position().toPoint()).isValid()) {
            emit DblClick();
        }
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = static_cast<QWidget*>(watched)->mapTo(this, mouse->position().toPoint());
        const Twips twips = Twips::ForScreen(screen());
        emit MouseUp(static_cast<short>(VbButtonMask(mouse->button())),
                     static_cast<short>(VbShiftMask(mouse->modifiers())),
                     static_cast<float>(twips.FromPixelsX(at.x())),
                     static_cast<float>(twips.FromPixelsY(at.y())));
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zel
