#include "mainwindow/print_all.h"

#include <QCoreApplication>

#include "core/common.h"
#include "core/text_case.h"
#include "mainwindow/busy_cursor.h"
#include "mainwindow/empty_recordset.h"
#include "mainwindow/grid_query.h"
#include "mainwindow/warehouse_tree.h"

namespace korvel {
namespace {

constexpr int kPageSetupCancelled = -1;
constexpr int kRaiseSaveStyle = 0;

void RunPrintKey(ComponentContext& context, const PrintSubject& subject, const std::string& key,
                 zel::FlexGrid& grid, PrintTarget& prn) {
    if (EqualsNoCase(key, "SetUp")) {
        if (prn.PageSetup() != kPageSetupCancelled) {
            prn.TriggerEvent(kRaiseSaveStyle);
        }
    } else if (EqualsNoCase(key, "Print")) {
        prn.DoPrint();
    } else if (EqualsNoCase(key, "Preview")) {
        prn.SetOwner(prn.ParentHandle());
        prn.PrintPreview();
    } else if (EqualsNoCase(key, "SaveFile")) {
        const ExportLayout layout = PrepareExportLayout(context, subject, grid);
        int status = 0;
        prn.ExportToFile(status, layout.types, layout.sizes, "", "");
    }
}

}  // namespace

PrintSubject MainGridSubject(const FieldCatalogue& catalogue) {
    return {catalogue.sTableTitle, catalogue.sModuleTitle, ExportColumnsQuery(catalogue), {}};
}

std::string SelectedWarehouseHeading(zel::IPub& pub, const zel::YsTreeView& tree) {
    const zel::YsTreeNode* node = tree.SelectedItem();
    const std::string code = node ? WarehouseCodeOfKey(node->Key()) : std::string();
    if (code.empty()) {
        return pub.GetResString("Zel.AA.WHINVCONTRAPOSE.PRINT.all_warehouses");
    }
    const std::string name = WarehouseNameOfText(node->Text(), code);
    return name.empty() ? code : code + " " + name;
}

void PrintAll(ComponentContext& context, const PrintSubject& subject, QWidget& window,
              const std::string& key, zel::FlexGrid& grid, PrintTarget& prn) {
    zel::IPub& pub = *context.login.pub;
    prn.SetVisible(false);
    if (grid.Rows() < 2) {
        ShowInfoMessage(pub, pub.GetResString("Zel.AA.ARCHIVE.COMMON.nodata"));
        return;
    }
    pub.HelpHide(QCoreApplication::instance(), key, window);
    {
        const BusyCursor busy;
        const std::string style = LoadPrintStyle(context, subject, grid);
        const std::string data = WriteData(context, subject, grid);
        if (prn.SetDataStyleXML(data, false, style, false, "Default") != 0) {
            return;
        }
    }
    RunPrintKey(context, subject, key, grid, prn);
}

std::string WriteData(ComponentContext& context, const PrintSubject& subject, zel::FlexGrid& grid) {
    const zel::ILogin& login = *context.login.login;
    std::string data = "<?xml version='1.0' standalone='yes' ?><数据>";
    context.login.pub->GetData(data, subject.warehouse, "", subject.title, login.cAcc_Id(),
                               login.cUserId(), login.cUserName(), nullptr, *context.login.db,
                               grid);
    data += "</数据>";
    return data;
}

std::string LoadPrintStyle(ComponentContext& context, const PrintSubject& subject,
                           zel::FlexGrid& grid) {
    std::string style;
    context.login.pub->GetPrnStyle("", style, subject.styleName, *context.login.db, grid);
    return style;
}

ExportLayout PrepareExportLayout(ComponentContext& context, const PrintSubject& subject,
                                 zel::FlexGrid& grid) {
    std::shared_ptr<zel::IRecordset> columns = context.login.db->OpenX(subject.exportColumnsQuery);
    if (!columns) {
        columns = std::make_shared<EmptyRecordset>();
    }
    ExportLayout layout;
    context.login.pub->GetTypeSize(layout.types, layout.sizes, columns, grid);
    return layout;
}

void SavePrintStyle(ComponentContext& context, const PrintSubject& subject, const QVariant& first,
                    const QVariant& second) {
    context.login.pub->SavePrnStyle(*context.login.db, subject.styleName,
                                    (first.toString() + second.toString()).toStdString());
}

}  // namespace korvel
