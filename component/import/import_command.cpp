#include "import/import_command.h"

#include "import/frm_import.h"
#include "import/import_source.h"
#include "mainwindow/frm_whinv_contra.h"

namespace korvel {

decltype(MainWindowCommands::importRows) ImportCommand() {
    return [](FrmWhInvContra& main) {
        ComponentContext& context = main.Context();
        const auto source = ChooseImportSource(*context.login.pub, main);
        if (!source) {
            return;
        }
        FrmImport window(
            context, *source, main.SelectedWarehouse(), [&main] { main.DataRefresh(); }, &main);
        context.login.pub->ShowModal(window, &main);
    };
}

}  // namespace korvel
