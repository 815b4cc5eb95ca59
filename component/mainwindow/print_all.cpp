#include "mainwindow/print_all.h"

#include <QCoreApplication>

#include "core/common.h"
#include "core/text_case.h"
#include "mainwindow/busy_cursor.h"
#include "mainwindow/empty_recordset.h"
#include "mainwindow/grid_query.h"

namespace korvel {
namespace {

constexpr int kPageSetupCancelled = -1;
constexpr int kRaiseSaveStyle = 0;

void RunPrintKey(ComponentContext& context, const std::string& key, zel::FlexGrid& grid,
                 PrintTarget& prn) {
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
        const ExportLayout layout = PrepareExportLayout(context, grid);
        int status = 0;
        prn.ExportToFile(status, layout.types, layout.sizes, "", "");
    }
}

}  // namespace

void PrintAll(ComponentContext& context, QWidget& window, const std::string& key,
              zel::FlexGrid& grid, PrintTarget& prn) {
    zel::IPub& pub = *context.login.pub;
    prn.SetVisible(false);
    if (grid.Rows() < 2) {
        ShowInfoMessage(pub, pub.GetResString("Zel.AA.ARCHIVE.COMMON.nodata"));
        return;
    }
    pub.HelpHide(QCoreApplication::instance(), key, window);
    {
        const BusyCursor busy;
        const std::string style = LoadPrintStyle(context, grid);
        const std::string data = WriteData(context, grid);
        if (prn.SetDataStyleXML(data, false, style, false, "Default") != 0) {
            return;
        }
    }
    RunPrintKey(context, key, grid, prn);
}

std::string WriteData(ComponentContext& context, zel::FlexGrid& grid) {
    const zel::ILogin& login = *context.login.login;
    std::string data = "<?xml version='1.0' standalone='yes' ?><数据>";
    context.login.pub->GetData(data, "", "", context.catalogue.sTableTitle, login.cAcc_Id(),
                               login.cUserId(), login.cUserName(), nullptr, *context.login.db,
                               grid);
    data += "</数据>";
    return data;
}

std::string LoadPrintStyle(ComponentContext& context, zel::FlexGrid& grid) {
    std::string style;
    context.login.pub->GetPrnStyle("", style, context.catalogue.sModuleTitle, *context.login.db,
                                   grid);
    return style;
}

ExportLayout PrepareExportLayout(ComponentContext& context, zel::FlexGrid& grid) {
    std::shared_ptr<zel::IRecordset> columns =
        context.login.db->OpenX(ExportColumnsQuery(context.catalogue));
    if (!columns) {
        columns = std::make_shared<EmptyRecordset>();
    }
    ExportLayout layout;
    context.login.pub->GetTypeSize(layout.types, layout.sizes, columns, grid);
    return layout;
}

void SavePrintStyle(ComponentContext& context, const QVariant& first, const QVariant& second) {
    context.login.pub->SavePrnStyle(*context.login.db, context.catalogue.sModuleTitle,
                                    (first.toString() + second.toString()).toStdString());
}

}  // namespace korvel
