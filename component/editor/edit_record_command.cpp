#include "editor/edit_record_command.h"

#include "editor/frm_add_inv.h"
#include "mainwindow/frm_whinv_contra.h"
#include "mainwindow/warehouse_tree.h"

namespace korvel {

decltype(MainWindowCommands::editRecord) EditRecordCommand() {
    return [](FrmWhInvContra& main, int mode, int row) {
        ComponentContext& context = main.Context();
        FrmAddInv editor(context, main.Trv(), &main);
        editor.InitData(static_cast<short>(mode), main.Grid(), row);
        if (mode == FrmAddInv::kModify) {
            const zel::YsTreeNode* node = main.Trv().SelectedItem();
            const std::string code = node ? WarehouseCodeOfKey(node->Key()) : std::string();
            editor.FixKeyFields(code,
                                node ? WarehouseNameOfText(node->Text(), code) : std::string());
        }
        if (main.HistoryAvailable()) {
            editor.SetRowHistory(
                [&main](QWidget& over, const std::string& warehouse, const std::string& inventory) {
                    main.ShowHistory(
                        over, {.warehouse = warehouse, .inventory = inventory, .lookOnly = true});
                });
        }
        context.login.pub->ShowModal(editor, &main);
    };
}

}  // namespace korvel
