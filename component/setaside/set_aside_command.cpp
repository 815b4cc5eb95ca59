#include "setaside/set_aside_command.h"

#include <QAction>
#include <QMenuBar>
#include <QTimer>

#include "editor/frm_add_inv.h"
#include "mainwindow/frm_whinv_contra.h"
#include "setaside/frm_set_aside.h"
#include "setaside/put_back_row.h"
#include "setaside/set_aside_notice.h"

namespace korvel {
namespace {

// The editor adds the row as if typed: its checks, the database's rules and the history apply.
bool PutBackThroughEditor(FrmWhInvContra& main, const SetAsideRow& kept) {
    ComponentContext& context = main.Context();
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

void ShowList(FrmWhInvContra& main) {
    FrmSetAside list(
        main.Context(), [&main] { main.DataRefresh(); },
        [&main](const SetAsideRow& kept) { return PutBackThroughEditor(main, kept); }, &main);
    main.Context().login.pub->ShowModal(list, &main);
}

void OfferWhileAnyLeft(FrmWhInvContra& main, bool any) {
    if (auto* item = main.Menus().findChild<QAction*>("mSetAside")) {
        item->setVisible(any);
    }
}

// Told once: the notice goes whatever the answer, and the menu keeps the way to the list.
void TellOnce(FrmWhInvContra& main, SetAsideStore& store, const std::vector<SetAsideRow>& rows) {
    const long untold = store.UntoldRows();
    if (untold <= 0) {
        return;
    }
    zel::IPub& pub = *main.Context().login.pub;
    const int answer =
        pub.MsgBox(SetAsideNoticeText(pub, untold, rows), zel::kMsgYesNo + zel::kMsgInformation,
                   pub.GetResString("Zel.AA.WHINVCONTRAPOSE.SETASIDE.title"));
    store.ForgetNotice();
    if (answer == zel::kAnswerYes && !rows.empty()) {
        ShowList(main);
    }
}

}  // namespace

decltype(MainWindowCommands::setAside) SetAsideCommand() {
    return [](FrmWhInvContra& main, bool opening) {
        SetAsideStore store(*main.Context().login.db);
        const auto rows = store.ReadRows().value_or(std::vector<SetAsideRow>{});
        OfferWhileAnyLeft(main, !rows.empty());
        if (opening) {
            TellOnce(main, store, rows);
        } else {
            ShowList(main);
        }
        if (!opening || !rows.empty()) {
            const auto left = store.ReadRows();
            OfferWhileAnyLeft(main, left && !left->empty());
        }
    };
}

}  // namespace korvel
