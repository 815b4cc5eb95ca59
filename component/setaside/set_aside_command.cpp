#include "setaside/set_aside_command.h"

#include <QAction>
#include <QMenuBar>
#include <QTimer>

#include "core/form_key.h"
#include "core/host_lock.h"
#include "editor/frm_add_inv.h"
#include "mainwindow/frm_whinv_contra.h"
#include "setaside/frm_set_aside.h"
#include "setaside/put_back_row.h"
#include "setaside/set_aside_notice.h"

namespace korvel {
namespace {

// The editor adds the row as if typed: its checks, the database's rules and the history apply,
// under the edit lock as every window that writes rows takes it.
bool PutBackThroughEditor(FrmWhInvContra& main, const SetAsideRow& kept) {
    ComponentContext& context = main.Context();
    const LoginContext& login = context.login;
    const auto lock = HostLock::Take(login.pub, login.db, login.login, kFormKey, zel::kLockEdit);
    if (!lock) {
        return false;
    }
    FrmAddInv editor(context, main.Trv(), &main);
    editor.InitData(FrmAddInv::kAdd, main.Grid(), 0);
    bool saved = false;
    editor.FillForAdding(RowToPutBack(kept, context.catalogue), [&] {
        saved = true;
        // The editor would go on to a next new row; this one row was all it was opened for.
        QTimer::singleShot(0, &editor, [&editor] { editor.close(); });
    });
    context.login.pub->ShowModal(editor, &main);
    return saved;
}

void OfferWhileAnyLeft(FrmWhInvContra& main, bool any) {
    if (auto* item = main.Menus().findChild<QAction*>("mSetAside")) {
        item->setVisible(any);
    }
}

void ShowList(FrmWhInvContra& main, SetAsideStore& store) {
    FrmSetAside list(
        main.Context(), [&main] { main.DataRefresh(); },
        [&main](const SetAsideRow& kept) { return PutBackThroughEditor(main, kept); }, &main);
    main.Context().login.pub->ShowModal(list, &main);
    const auto left = store.ReadRows();
    OfferWhileAnyLeft(main, left && !left->empty());
}

// Told once: the notice goes whatever the answer, and the menu keeps the way to the list. A user
// whose rights reach only some rows is told of those alone: the rest, and the rows of other
// tables, are not his to see or put back. One who may read none of them leaves the notice to a
// user who may.
void TellOnce(FrmWhInvContra& main, SetAsideStore& store, const std::vector<SetAsideRow>& rows) {
    const long untold = store.UntoldRows();
    if (untold <= 0 || (!store.ReadsEveryRow() && rows.empty())) {
        return;
    }
    const long told = store.ReadsEveryRow() ? untold : static_cast<long>(rows.size());
    zel::IPub& pub = *main.Context().login.pub;
    const int answer =
        pub.MsgBox(SetAsideNoticeText(pub, told, rows), zel::kMsgYesNo + zel::kMsgInformation,
                   pub.GetResString("Zel.AA.WHINVCONTRAPOSE.SETASIDE.title"));
    store.ForgetNotice();
    if (answer == zel::kAnswerYes && !rows.empty()) {
        ShowList(main, store);
    }
}

}  // namespace

decltype(MainWindowCommands::setAside) SetAsideCommand() {
    return [](FrmWhInvContra& main, bool opening) {
        SetAsideStore store(main.Context().login);
        const auto rows = store.ReadRows().value_or(std::vector<SetAsideRow>{});
        OfferWhileAnyLeft(main, !rows.empty());
        if (opening) {
            TellOnce(main, store, rows);
        } else {
            ShowList(main, store);
        }
    };
}

}  // namespace korvel
