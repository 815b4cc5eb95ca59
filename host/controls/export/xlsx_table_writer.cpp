#include "host/controls/export/xlsx_table_writer.h"

#include <algorithm>
#include <string_view>

#include "host/controls/export/xlsx_sheet_writer.h"
#include "host/controls/export/xlsx_styles.h"
#include "host/controls/export/xml_text.h"
#include "host/controls/export/zip_archive_writer.h"
#include "host/objects/resource_texts.h"

namespace zel {
namespace {

constexpr std::size_t kMostSheetNameChars = 31;
constexpr std::string_view kDefaultSheetName = "Sheet1";
// A name the spreadsheet program keeps for a sheet of its own.
constexpr std::string_view kReservedSheetName = "history";

constexpr std::string_view kXmlDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr std::string_view kContentTypes =
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" "
    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/xl/workbook.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
    "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
    "<Override PartName=\"/xl/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
    "</Types>";
constexpr std::string_view kPackageRelations =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"xl/workbook.xml\"/></Relationships>";
constexpr std::string_view kWorkbookRelations =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
    "Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
    "Target=\"styles.xml\"/></Relationships>";

bool IsReservedName(std::string_view name) {
    return std::equal(
        name.begin(), name.end(), kReservedSheetName.begin(), kReservedSheetName.end(),
        [](char a, char b) { return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b; });
}

// Not every title can name a sheet: at most 31 characters, none of []:*?/\, no apostrophe
// at either end.
std::string SheetName(std::string_view title) {
    std::string name;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < title.size() && characters < kMostSheetNameChars; ++characters) {
        const std::size_t length = Utf8SequenceLength(title[i]);
        const std::string_view character = title.substr(i, length);
        name += std::string_view("[]:*?/\\").find(character[0]) == std::string_view::npos
                    ? character
                    : std::string_view("_");
        i += length;
    }
    const auto first = name.find_first_not_of('\'');
    if (first == std::string::npos) {
        return std::string(kDefaultSheetName);
    }
    name = name.substr(first, name.find_last_not_of('\'') - first + 1);
    return IsReservedName(name) ? std::string(kDefaultSheetName) : name;
}

std::string Workbook(std::string_view title) {
    std::string xml(kXmlDeclaration);
    xml +=
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<bookViews><workbookView/></bookViews><sheets><sheet name=\"";
    AppendXmlText(xml, SheetName(title));
    xml += "\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    return xml;
}

bool WritePart(ZipArchiveWriter& zip, std::string_view name, std::string_view xml) {
    return zip.BeginEntry(name) && zip.Write(xml);
}

bool WriteFixedPart(ZipArchiveWriter& zip, std::string_view name, std::string_view xml) {
    return WritePart(zip, name, kXmlDeclaration) && zip.Write(xml);
}

std::string TooLarge() {
    return ResourceTexts::Instance().Text("Zel.HOST.EXPORT.too_large");
}

}  // namespace

XlsxTableWriter::XlsxTableWriter(const std::string& path) : zip_(path) {}

bool XlsxTableWriter::Begin(const TableHeading& heading) {
    if (heading.headers.size() > kMostColumns) {
        return Fail(TooLarge());
    }
    heading_ = heading;
    heading_.columns.resize(std::max(heading_.columns.size(), heading_.headers.size()));
    styles_.emplace(heading_.columns);
    if (!zip_.Open() || !WriteFixedPart(zip_, "[Content_Types].xml", kContentTypes) ||
        !WriteFixedPart(zip_, "_rels/.rels", kPackageRelations) ||
        !WritePart(zip_, "xl/workbook.xml", Workbook(heading_.title)) ||
        !WriteFixedPart(zip_, "xl/_rels/workbook.xml.rels", kWorkbookRelations) ||
        !WritePart(zip_, "xl/styles.xml", styles_->Xml()) ||
        !zip_.BeginEntry("xl/worksheets/sheet1.xml")) {
        return Fail(zip_.Reason());
    }
    sheet_.emplace(zip_, heading_, *styles_);
    sheet_->Begin();
    return true;
}

bool XlsxTableWriter::AddRow(std::span<const std::string_view> cells) {
    if (!Writing()) {
        return false;
    }
    // The header takes the sheet's first row.
    if (++rows_ >= kMostRows) {
        return Fail(TooLarge());
    }
    return sheet_->AddRow(cells) || Fail(zip_.Reason());
}

bool XlsxTableWriter::Finish() {
    // A table that failed part way is never passed off as whole.
    if (!Writing()) {
        return false;
    }
    return (sheet_->Finish() && zip_.Commit()) || Fail(zip_.Reason());
}

std::string XlsxTableWriter::Reason() const {
    return reason_;
}

bool XlsxTableWriter::Writing() const {
    return sheet_ && reason_.empty();
}

bool XlsxTableWriter::Fail(std::string reason) {
    reason_ = std::move(reason);
    return false;
}

bool WriteXlsxTable(const std::string& path, const PrintData& data,
                    const std::vector<ExportColumn>& columns, std::string& reason) {
    // Known to be too long before a byte is written.
    if (data.RowCount() >= XlsxTableWriter::kMostRows) {
        reason = TooLarge();
        return false;
    }
    XlsxTableWriter writer(path);
    return WriteTable(writer, data, columns, reason);
}

}  // namespace zel
