#include "host/refer/reference_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "host/refer/reference_class_tree.h"
#include "host/refer/reference_item_model.h"

namespace zel {
namespace {

// Columns are sized from the first rows only; sizing from all of 100,000 would stall the window.
constexpr int kRowsSizedBy = 100;

bool MovesThroughRows(int key) {
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
           key == Qt::Key_PageDown;
}

}  // namespace

ReferenceDialog::ReferenceDialog(const ReferenceKind& kind,
                                 std::shared_ptr<const RecordsetCursor> items, IRecordset* classes,
                                 bool multiSelect, const ColumnCaptions& captions, QWidget* parent)
    : QDialog(parent), model_(new ReferenceItemModel(std::move(items), kind, captions, this)) {
    setWindowTitle(QString::fromStdString(kind.title));
    auto* layout = new QVBoxLayout(this);
    QWidget* itemPane = MakeItemPane(multiSelect);
    if (kind.hasClasses && classes != nullptr) {
        auto* splitter = new QSplitter(this);
        classes_ = new ReferenceClassTree(*classes, splitter);
        classes_->setObjectName(QStringLiteral("classes"));
        splitter->addWidget(classes_);
        splitter->addWidget(itemPane);
        splitter->setSizes({200, 600});
        layout->addWidget(splitter);
        connect(classes_, &QTreeWidget::currentItemChanged, this, &ReferenceDialog::ApplyFilter);
    } else {
        layout->addWidget(itemPane);
    }

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    resize(classes_ != nullptr ? 820 : 640, 480);
    filter_->setFocus();
    ApplyFilter();
}

QWidget* ReferenceDialog::MakeItemPane(bool multiSelect) {
    auto* pane = new QWidget(this);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);

    filter_ = new QLineEdit(pane);
    filter_->setObjectName(QStringLiteral("filter"));
    filter_->installEventFilter(this);
    connect(filter_, &QLineEdit::textChanged, this, &ReferenceDialog::ApplyFilter);
    layout->addWidget(filter_);

    items_ = new QTableView(pane);
    items_->setObjectName(QStringLiteral("items"));
    items_->setModel(model_);
    items_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    items_->setSelectionBehavior(QAbstractItemView::SelectRows);
    items_->setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection
                                         : QAbstractItemView::SingleSelection);
    items_->verticalHeader()->hide();
    items_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    items_->verticalHeader()->setDefaultSectionSize(items_->fontMetrics().height() + 6);
    items_->horizontalHeader()->setResizeContentsPrecision(kRowsSizedBy);
    items_->resizeColumnsToContents();
    connect(items_, &QAbstractItemView::doubleClicked, this, &QDialog::accept);
    layout->addWidget(items_);
    return pane;
}

void ReferenceDialog::ApplyFilter() {
    const std::string classCode = classes_ != nullptr ? classes_->CurrentCode() : std::string();
    model_->SetFilter(ItemFilter(filter_->text().toStdString(), classCode));
    if (model_->rowCount() > 0) {
        items_->setCurrentIndex(model_->index(0, 0));
    }
}

// The arrow and page keys move through the items while the caret stays in the filter box.
bool ReferenceDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == filter_ && event->type() == QEvent::KeyPress &&
        MovesThroughRows(static_cast<QKeyEvent*>(event)->key())) {
        QCoreApplication::sendEvent(items_, event);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

std::vector<int> ReferenceDialog::ChosenRows() const {
    std::vector<int> rows;
    if (items_->selectionMode() == QAbstractItemView::ExtendedSelection) {
        for (const QModelIndex& index : items_->selectionModel()->selectedRows()) {
            rows.push_back(model_->SourceRow(index.row()));
        }
    }
    const QModelIndex current = items_->currentIndex();
    if (rows.empty() && current.isValid()) {
        rows.push_back(model_->SourceRow(current.row()));
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

}  // namespace zel
