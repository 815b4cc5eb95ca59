#pragma once

#include <QVariant>
#include <string>

#include "core/component_context.h"
#include "host/controls/flex_grid.h"
#include "host/controls/ys_tree_view.h"
#include "mainwindow/print_target.h"

class QWidget;

namespace korvel {

// The column descriptions an export of the grid is written with.
struct ExportLayout {
    std::string types;
    std::string sizes;
};

// What a grid's print shows and keeps: the title in its heading, the name its page set-up is
// stored under (one per list, so that setting up one list's pages leaves the other's alone), and
// a query of no rows whose columns tell an export the kind and size of each grid column after the
// serial number, and the warehouse the heading names ("" for a list that names none).
struct PrintSubject {
    std::string title;
    std::string styleName;
    std::string exportColumnsQuery;
    std::string warehouse;
};

// The main window's rows, under the module's titles.
PrintSubject MainGridSubject(const FieldCatalogue& catalogue);
// The warehouse selected in the tree as a heading names it: its code and name, or the text for
// all warehouses when the root (or nothing) is selected.
std::string SelectedWarehouseHeading(zel::IPub& pub, const zel::YsTreeView& tree);

// Page set-up, print, preview or export ("SetUp", "Print", "Preview", "SaveFile", compared
// without regard to case) of the rows in the grid, through the print control prn, for the
// window whose command it is. Host failures are passed on; the hourglass is gone by then.
void PrintAll(ComponentContext& context, const PrintSubject& subject, QWidget& window,
              const std::string& key, zel::FlexGrid& grid, PrintTarget& prn);
// The print data: the host's heading fields and the grid's rows in the data document.
std::string WriteData(ComponentContext& context, const PrintSubject& subject, zel::FlexGrid& grid);
// The style stored under the subject's style name, or the host's default for the grid.
std::string LoadPrintStyle(ComponentContext& context, const PrintSubject& subject,
                           zel::FlexGrid& grid);
ExportLayout PrepareExportLayout(ComponentContext& context, const PrintSubject& subject,
                                 zel::FlexGrid& grid);
// The print control's style-save event: the two values are stored as one style text.
void SavePrintStyle(ComponentContext& context, const PrintSubject& subject, const QVariant& first,
                    const QVariant& second);

}  // namespace korvel
