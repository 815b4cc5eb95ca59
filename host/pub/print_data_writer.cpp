#include "host/pub/print_data_writer.h"

#include "host/controls/export/xml_text.h"
#include "host/controls/flex_grid.h"

namespace zel {
namespace {

// Bytes of markup per cell and per row, for reserving the text once.
constexpr std::size_t kCellMarkup = 7;
constexpr std::size_t kRowMarkup = 7;

void AppendElement(std::string& out, std::string_view name, std::string_view text) {
    out += '<';
    out += name;
    out += '>';
    AppendXmlText(out, text);
    out += "</";
    out += name;
    out += '>';
}

void AppendHeading(std::string& out, const PrintHeading& heading) {
    AppendElement(out, "Title", heading.title);
    AppendElement(out, "Account", heading.account);
    out += "<User code=\"";
    AppendXmlText(out, heading.userCode);
    out += "\">";
    AppendXmlText(out, heading.userName);
    out += "</User>";
    AppendElement(out, "Date", heading.date);
    if (!heading.warehouse.empty()) {
        AppendElement(out, "Warehouse", heading.warehouse);
    }
    AppendElement(out, "SerialNumbers", heading.serialNumbers ? "1" : "0");
}

void AppendHeader(std::string& out, FlexGrid& grid) {
    const FlexGridModel& model = grid.Model();
    const bool hasHeaderRow = model.FixedRows() > 0;
    out += "<Header>";
    for (int col = 0; col < model.Cols(); ++col) {
        out += (model.ColAlignment(col) & Qt::AlignRight) ? "<C align=\"right\">" : "<C>";
        if (hasHeaderRow) {
            AppendXmlText(out, model.Text(0, col));
        }
        out += "</C>";
    }
    out += "</Header>";
}

void Reserve(std::string& out, const FlexGridModel& model) {
    const int first = model.FixedRows();
    const int rows = model.Rows() - first;
    if (rows <= 0) {
        return;
    }
    std::size_t rowBytes = kRowMarkup;
    for (int col = 0; col < model.Cols(); ++col) {
        rowBytes += model.Text(first, col).size() + kCellMarkup;
    }
    out.reserve(out.size() + rowBytes * static_cast<std::size_t>(rows) + rowBytes);
}

void AppendRows(std::string& out, FlexGrid& grid) {
    const FlexGridModel& model = grid.Model();
    Reserve(out, model);
    out += "<Rows>";
    for (int row = model.FixedRows(); row < model.Rows(); ++row) {
        out += "<R>";
        for (int col = 0; col < model.Cols(); ++col) {
            out += "<C>";
            AppendXmlText(out, model.Text(row, col));
            out += "</C>";
        }
        out += "</R>";
    }
    out += "</Rows>";
}

}  // namespace

void AppendPrintData(std::string& data, const PrintHeading& heading, FlexGrid& grid) {
    AppendHeading(data, heading);
    AppendHeader(data, grid);
    AppendRows(data, grid);
}

}  // namespace zel
