#include "host/refer/reference_class_tree.h"

#include <vector>

#include "host/refer/class_hierarchy.h"

namespace zel {
namespace {

constexpr int kCodeRole = Qt::UserRole;

struct ClassRow {
    std::string code;
    std::string name;
};

std::vector<ClassRow> ReadClasses(IRecordset& classes) {
    std::vector<ClassRow> rows;
    for (classes.MoveFirst(); !classes.Eof(); classes.MoveNext()) {
        ClassRow row{classes.Fields("cInvCCode").value_or(Variant()).ToString(),
                     classes.Fields("cInvCName").value_or(Variant()).ToString()};
        if (!row.code.empty()) {
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

QTreeWidgetItem* ItemFor(const ClassRow& row) {
    auto* item =
        new QTreeWidgetItem(QStringList{QString::fromStdString("(" + row.code + ") " + row.name)});
    item->setData(0, kCodeRole, QString::fromStdString(row.code));
    return item;
}

}  // namespace

ReferenceClassTree::ReferenceClassTree(IRecordset& classes, QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    auto* all = new QTreeWidgetItem(QStringList{QStringLiteral("全部")});
    addTopLevelItem(all);

    const std::vector<ClassRow> rows = ReadClasses(classes);
    std::vector<std::string> codes;
    std::vector<QTreeWidgetItem*> items;
    for (const ClassRow& row : rows) {
        codes.push_back(row.code);
        items.push_back(ItemFor(row));
    }
    // Every item is made before any is placed, since a class may come before its parent.
    const std::vector<int> parents = ClassParents(codes);
    for (std::size_t i = 0; i < items.size(); ++i) {
        QTreeWidgetItem* parentItem =
            parents[i] < 0 ? all : items[static_cast<std::size_t>(parents[i])];
        parentItem->addChild(items[i]);
    }
    all->setExpanded(true);
    setCurrentItem(all);
}

std::string ReferenceClassTree::CurrentCode() const {
    const QTreeWidgetItem* item = currentItem();
    return item == nullptr ? std::string() : item->data(0, kCodeRole).toString().toStdString();
}

}  // namespace zel
