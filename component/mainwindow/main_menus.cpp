#include "mainwindow/main_menus.h"

#include <QMenu>

namespace korvel {
namespace {

struct MenuItem {
    const char* name;
    const char* caption;
    const char* key;
    // Options show their state as a check mark.
    bool option;
    bool checked;
    bool separatorAfter;
};

void AddItems(QMenu& menu, std::initializer_list<MenuItem> items,
              const std::function<void(const std::string&)>& execCommand) {
    for (const MenuItem& item : items) {
        QAction* action = menu.addAction(QString::fromUtf8(item.caption));
        action->setObjectName(QString::fromUtf8(item.name));
        action->setProperty(kCommandKeyProperty, QString::fromUtf8(item.key));
        action->setCheckable(item.option);
        action->setChecked(item.checked);
        const std::string key = item.key;
        QObject::connect(action, &QAction::triggered, &menu,
                         [execCommand, key] { execCommand(key); });
        if (item.separatorAfter) {
            menu.addSeparator();
        }
    }
}

QMenu& AddMenu(QMenuBar& bar, const char* name, const char* caption) {
    QMenu* menu = bar.addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QString::fromUtf8(name));
    return *menu;
}

void AddSortItem(QMenu& menu, const char* name, const char* caption, int order,
                 const std::function<void(int order)>& sortGrid) {
    QAction* action = menu.addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromUtf8(name));
    QObject::connect(action, &QAction::triggered, &menu, [sortGrid, order] { sortGrid(order); });
}

}  // namespace

void BuildMainMenus(QMenuBar& bar, const std::function<void(const std::string&)>& execCommand,
                    const std::function<void(int order)>& sortGrid) {
    AddItems(AddMenu(bar, "mFile", "文件(&F)"),
             {{"mSetUp", "页面设置(&U)...", "SetUp", false, false, false},
              {"mPrintNo", "打印序号(&N)", "mPrintNo", true, true, false},
              {"mPreview", "打印预览(&V)", "Preview", false, false, false},
              {"mPrint", "打印(&P)...  Ctrl+P", "Print", false, false, true},
              {"mSaveFile", "输出(&S)", "SaveFile", false, false, true},
              {"mExit", "退出(&X)", "Exit", false, false, false}},
             execCommand);
    AddItems(AddMenu(bar, "mOperation", "操作(&O)"),
             {{"mBatchAdd", "选择(&B)", "BatchAdd", false, false, false},
              {"mAdd", "增加(&A)   F5", "Add", false, false, false},
              {"mModify", "修改(&M)   F7", "Modify", false, false, false},
              {"mDelete", "删除(&D)   Del", "Delete", false, false, true},
              {"mMulModify", "批改", "MulModify", false, false, false},
              {"mImport", "导入(&L)", "Import", false, false, false},
              {"mSetAside", "移到一旁的行(&G)", "SetAside", false, false, true},
              {"mFilter", "过滤(&R)", "Filter", false, false, false},
              {"mPos", "定位", "Pos", false, false, false},
              {"mRefresh", "刷新        F9", "Refresh", false, false, true},
              {"mDueChecks", "盘点到期(&C)", "DueChecks", false, false, false},
              {"mHistory", "历史(&I)", "History", false, false, false},
              {"mRowHistory", "此行历史    Ctrl+H", "RowHistory", false, false, true},
              {"mFindSet", "过滤设置(&F)", "SetFind", false, false, false}},
             execCommand);
    AddItems(AddMenu(bar, "mWindow", "窗口(&W)"),
             {{"mText", "文本按钮(&T)", "mText", true, false, false},
              {"mStb", "状态栏(&S)", "mStb", true, true, false}},
             execCommand);
    QMenu& help = AddMenu(bar, "mH", "帮助(&H)");
    AddItems(help,
             {{"mHelp", "帮助     F1", "Help", false, false, false},
              {"mAbout", "关于(&A)...", "About", false, false, false}},
             execCommand);
    help.findChild<QAction*>("mAbout")->setVisible(false);
    // Shown only while an upgrade's set-aside rows are left.
    bar.findChild<QAction*>("mSetAside")->setVisible(false);
    QMenu& order = AddMenu(bar, "mOrder", "排序");
    AddSortItem(order, "mAsc", "升序", 1, sortGrid);
    AddSortItem(order, "mDesc", "降序", 2, sortGrid);
    order.menuAction()->setVisible(false);
}

}  // namespace korvel
