#include "host/controls/export/xlsx_sheet_writer.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "host/controls/export/xlsx_cell_values.h"
#include "host/controls/export/xml_text.h"
#include "host/objects/resource_texts.h"

namespace zel {
namespace {

// Markup gathered before it goes to the compressor.
constexpr std::size_t kChunkBytes = 1 << 18;
constexpr double kNumberChars = 12;
constexpr double kDefaultTextChars = 10;
constexpr double kMinWidth = 6;
constexpr double kMaxWidth = 50;
// Room for the cell margins, in characters.
constexpr double kWidthMargin = 2;

constexpr std::string_view kSheetStart =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<sheetViews><sheetView workbookViewId=\"0\">"
    "<pane ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" state=\"frozen\"/>"
    "<selection pane=\"bottomLeft\"/></sheetView></sheetViews>";
constexpr std::string_view kRowsEnd = "</sheetData>";
constexpr std::string_view kSheetEnd = "</worksheet>";
// Cells carry no position: each follows the one before, so a blank cell is written empty.
constexpr std::string_view kBlankCell = "<c/>";
constexpr std::string_view kTextCell = "<c t=\"inlineStr\">";
constexpr std::string_view kTextStart = "<is><t>";
constexpr std::string_view kKeptTextStart = "<is><t xml:space=\"preserve\">";
constexpr std::string_view kTextEnd = "</t></is></c>";
constexpr std::string_view kValueEnd = "</v></c>";

// Characters of the width unit the text needs; CJK and other wide characters take two.
double TextWidth(std::string_view text) {
    double width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text[i]);
        width += length >= 3 ? 2 : 1;
        i += length;
    }
    return width;
}

double ValuesWidth(const ExportColumn& column) {
    switch (column.kind) {
        case FieldKind::kNumber:
            return kNumberChars;
        case FieldKind::kDate:
            return kExportDateSize;
        case FieldKind::kText:
            break;
    }
    return column.size > 0 ? column.size : kDefaultTextChars;
}

double ColumnWidth(const ExportColumn& column, std::string_view header) {
    return std::clamp(std::max(ValuesWidth(column), TextWidth(header)) + kWidthMargin, kMinWidth,
                      kMaxWidth);
}

std::string Columns(const std::vector<std::string>& headers,
                    const std::vector<ExportColumn>& columns) {
    if (headers.empty()) {
        return {};
    }
    std::string xml = "<cols>";
    for (std::size_t col = 0; col < headers.size(); ++col) {
        const std::string number = std::to_string(col + 1);
        xml += "<col min=\"" + number + "\" max=\"" + number + "\" width=\"" +
               std::to_string(ColumnWidth(columns[col], headers[col])) + "\" customWidth=\"1\"/>";
    }
    return xml + "</cols>";
}

// The opening of a number or date cell of each column, empty for text columns.
std::vector<std::string> ValueStarts(const std::vector<ExportColumn>& columns,
                                     const XlsxStyles& styles) {
    std::vector<std::string> starts;
    starts.reserve(columns.size());
    for (const ExportColumn& column : columns) {
        const int style = column.kind == FieldKind::kNumber ? styles.NumberStyle(column)
                          : column.kind == FieldKind::kDate ? XlsxStyles::kDate
                                                            : 0;
        starts.push_back(style == 0 ? std::string() : "<c s=\"" + std::to_string(style) + "\"><v>");
    }
    return starts;
}

bool IsHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// A workbook writes characters XML cannot hold as _xHHHH_, and readers undo every such form; a
// text that holds one literally keeps it only with its underscore written _x005F_.
std::string GuardEscapeForms(std::string_view text) {
    constexpr std::size_t kFormLength = 7;  // _xHHHH_
    std::string guarded;
    std::size_t copied = 0;
    for (std::size_t at = text.find("_x"); at != std::string_view::npos;
         at = text.find("_x", at + 1)) {
        const std::string_view form = text.substr(at, kFormLength);
        if (form.size() == kFormLength && form[6] == '_' &&
            std::all_of(form.begin() + 2, form.begin() + 6, IsHexDigit)) {
            guarded.append(text.substr(copied, at - copied)).append("_x005F");
            copied = at;
        }
    }
    return guarded.append(text.substr(copied));
}

void AppendText(std::string& xml, std::string_view cell, std::string_view text) {
    xml += cell;
    xml += HasOuterWhiteSpace(text) ? kKeptTextStart : kTextStart;
    AppendXmlText(xml, text.find("_x") == std::string_view::npos ? std::string(text)
                                                                 : GuardEscapeForms(text));
    xml += kTextEnd;
}

bool AppendValue(std::string& xml, const ExportColumn& column, std::string_view text) {
    return column.kind == FieldKind::kNumber ? AppendXlsxNumber(xml, text)
                                             : AppendXlsxDate(xml, text);
}

void AppendCell(std::string& xml, const ExportColumn& column, const std::string& valueStart,
                std::string_view text) {
    if (text.empty()) {
        xml += kBlankCell;
        return;
    }
    if (!valueStart.empty()) {
        const std::size_t before = xml.size();
        xml += valueStart;
        if (AppendValue(xml, column, text)) {
            xml += kValueEnd;
            return;
        }
        xml.resize(before);
    }
    AppendText(xml, kTextCell, text);
}

// The heading a printout of the sheet carries on every page: the title and the warehouse, so
// that the rows themselves stay the table alone. An ampersand starts a code there and is doubled.
std::string HeaderFooter(const TableHeading& table) {
    if (table.warehouse.empty()) {
        return {};
    }
    const std::string text =
        table.title + " " +
        ResourceTexts::Instance().Format("Zel.HOST.PRINT.warehouse", {table.warehouse});
    std::string heading = "&C";
    for (const char c : text) {
        heading += c;
        if (c == '&') {
            heading += '&';
        }
    }
    std::string xml = "<headerFooter><oddHeader>";
    AppendXmlText(xml, heading);
    return xml + "</oddHeader></headerFooter>";
}

void AppendHeader(std::string& xml, const std::vector<std::string>& headers) {
    xml += "<row>";
    const std::string cell =
        "<c s=\"" + std::to_string(XlsxStyles::kHeader) + "\" t=\"inlineStr\">";
    for (const std::string& header : headers) {
        AppendText(xml, cell, header);
    }
    xml += "</row>";
}

}  // namespace

XlsxSheetWriter::XlsxSheetWriter(ZipArchiveWriter& zip, const TableHeading& heading,
                                 const XlsxStyles& styles)
    : zip_(zip), heading_(heading), valueStarts_(ValueStarts(heading.columns, styles)) {}

void XlsxSheetWriter::Begin() {
    xml_ = kSheetStart;
    xml_ += Columns(heading_.headers, heading_.columns);
    xml_ += "<sheetData>";
    AppendHeader(xml_, heading_.headers);
}

bool XlsxSheetWriter::AddRow(std::span<const std::string_view> cells) {
    xml_ += "<row>";
    for (std::size_t col = 0; col < std::min(cells.size(), valueStarts_.size()); ++col) {
        AppendCell(xml_, heading_.columns[col], valueStarts_[col], cells[col]);
    }
    xml_ += "</row>";
    if (xml_.size() < kChunkBytes) {
        return true;
    }
    const bool written = zip_.Write(xml_);
    xml_.clear();
    return written;
}

bool XlsxSheetWriter::Finish() {
    xml_ += kRowsEnd;
    xml_ += HeaderFooter(heading_);
    xml_ += kSheetEnd;
    return zip_.Write(xml_);
}

}  // namespace zel
