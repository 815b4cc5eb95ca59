#include "host/pub/window_look.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTreeView>
#include <QWidget>

#include "host/controls/ys_tree_view.h"

namespace zel {
namespace {

constexpr double kPointSize = 9;
constexpr int kTreeIndentation = 19;

QString ChineseFamily() {
    const QStringList installed = QFontDatabase::families();
    for (const char* family : {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Source Han Sans SC",
                               "Microsoft YaHei", "SimSun", "AR PL UMing CN"}) {
        if (installed.contains(QString::fromUtf8(family), Qt::CaseInsensitive)) {
            return QString::fromUtf8(family);
        }
    }
    return QApplication::font().family();
}

QFont WindowFont() {
    static const QString family = ChineseFamily();
    QFont font(family);
    font.setPointSizeF(kPointSize);
    return font;
}

}  // namespace

void UniteFont(QWidget& window) {
    const QFont font = WindowFont();
    window.setFont(font);
    for (QWidget* child : window.findChildren<QWidget*>()) {
        // Fonts do not pass on to child windows such as menus, nor replace a font set by hand.
        if (child->isWindow()) {
            child->setFont(font);
        } else if (child->testAttribute(Qt::WA_SetFont)) {
            QFont own = child->font();
            own.setFamily(font.family());
            child->setFont(own);
        }
    }
}

void StyleTree(YsTreeView& tree) {
    QTreeView& view = tree.View();
    view.setIndentation(kTreeIndentation);
    view.setRootIsDecorated(true);
    view.setUniformRowHeights(true);
    view.setItemsExpandable(true);
    view.expandToDepth(0);
}

}  // namespace zel
