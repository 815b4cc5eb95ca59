#include "host/controls/import/xlsx_table_reader.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <charconv>

#include "host/controls/import/xlsx_cell_reference.h"
#include "host/controls/import/xlsx_cell_text.h"
#include "host/controls/import/xlsx_date_styles.h"
#include "host/objects/resource_texts.h"

namespace zel {
namespace {

constexpr unsigned kRowParse = pugi::parse_default | pugi::parse_ws_pcdata;

bool IsBlank(const std::vector<std::string>& cells) {
    return std::all_of(cells.begin(), cells.end(),
                       [](const std::string& cell) { return cell.empty(); });
}

// A date cell (t="d") holds an ISO 8601 date and time; the day is what the table keeps.
std::string IsoDay(std::string_view value) {
    return std::string(value.substr(0, value.find('T')));
}

}  // namespace

XlsxTableReader::XlsxTableReader(const QString& path, std::string sheet)
    : path_(path), sheet_(std::move(sheet)) {}

bool XlsxTableReader::Open() {
    const QFileInfo info(path_);
    if (!info.isFile() || !info.isReadable()) {
        return Fail(TableReadError::Kind::kReadFailed, 0, 0);
    }
    if (info.size() == 0) {
        return Fail(TableReadError::Kind::kEmptyFile, 0, 0);
    }
    if (!OpenParts()) {
        return false;
    }
    if (!ReadRow(header_)) {
        return error_.kind == TableReadError::Kind::kNone
                   ? Fail(TableReadError::Kind::kEmptyFile, 0, 0)
                   : false;
    }
    return true;
}

bool XlsxTableReader::OpenParts() {
    const ZipFault opened = zip_.Open(path_.toStdString());
    if (opened != ZipFault::kNone) {
        return FailArchive(opened, {});
    }
    const ZipFault read = ReadXlsxWorkbook(zip_, workbook_);
    if (read != ZipFault::kNone) {
        return FailArchive(read, {});
    }
    const auto sheet =
        sheet_.empty() ? workbook_.sheets.begin()
                       : std::find_if(workbook_.sheets.begin(), workbook_.sheets.end(),
                                      [&](const XlsxSheet& each) { return each.name == sheet_; });
    if (sheet == workbook_.sheets.end()) {
        return Fail(TableReadError::Kind::kNoSuchSheet, 0, 0, sheet_);
    }
    sheet_ = sheet->name;
    if (!workbook_.stylesPath.empty() && zip_.Has(workbook_.stylesPath)) {
        std::string styles;
        const ZipFault fault = zip_.ReadEntry(workbook_.stylesPath, kMaxXlsxSmallPartBytes, styles);
        if (fault != ZipFault::kNone) {
            return FailArchive(fault, workbook_.stylesPath);
        }
        dateStyles_ = ReadDateStyles(styles);
    }
    if (!ReadSharedStrings()) {
        return false;
    }
    ZipFault fault = ZipFault::kNone;
    entry_ = zip_.OpenEntry(sheet->path, kMaxSheetBytes, fault);
    if (entry_ == nullptr) {
        return fault == ZipFault::kMissingEntry
                   ? Fail(TableReadError::Kind::kNoSuchSheet, 0, 0, sheet_)
                   : FailArchive(fault, sheet->path);
    }
    rows_ = std::make_unique<XmlElementStream>(
        [this](std::string& out) { return entry_->ReadChunk(out); }, "row", kMaxRowBytes);
    return true;
}

bool XlsxTableReader::ReadSharedStrings() {
    const std::string& path = workbook_.sharedStringsPath;
    if (path.empty() || !zip_.Has(path)) {
        return true;
    }
    ZipFault fault = ZipFault::kNone;
    const auto entry = zip_.OpenEntry(path, kMaxSheetBytes, fault);
    if (entry == nullptr) {
        return FailArchive(fault, path);
    }
    switch (strings_.Read(*entry)) {
        case XlsxSharedStrings::Result::kRead:
            return true;
        case XlsxSharedStrings::Result::kTooLarge:
            return Fail(TableReadError::Kind::kEntryTooLarge, 0, 0, path);
        case XlsxSharedStrings::Result::kMalformed:
            return Fail(TableReadError::Kind::kMalformedSheet, 0, 0, path);
        case XlsxSharedStrings::Result::kArchiveFault:
            break;
    }
    return FailArchive(entry->Fault(), path);
}

std::vector<std::string> XlsxTableReader::SheetNames() const {
    std::vector<std::string> names;
    for (const XlsxSheet& sheet : workbook_.sheets) {
        names.push_back(sheet.name);
    }
    return names;
}

std::string XlsxTableReader::Summary() const {
    return ResourceTexts::Instance().Format("Zel.HOST.IMPORT.xlsx_summary", {sheet_});
}

bool XlsxTableReader::NextRow(std::vector<std::string>& cells) {
    return error_.kind == TableReadError::Kind::kNone && rows_ && ReadRow(cells);
}

bool XlsxTableReader::ReadRow(std::vector<std::string>& cells) {
    for (;;) {
        std::string_view element;
        const XmlElementStream::Result next = rows_->Next(element);
        if (entry_->Fault() != ZipFault::kNone) {
            return FailArchive(entry_->Fault(), {});
        }
        switch (next) {
            case XmlElementStream::Result::kEnd:
                return false;
            case XmlElementStream::Result::kTooLarge:
                return Fail(TableReadError::Kind::kRowTooLarge, row_ + 1, 0);
            case XmlElementStream::Result::kCutShort:
                return Fail(TableReadError::Kind::kMalformedSheet, row_ + 1, 0);
            case XmlElementStream::Result::kElement:
                break;
        }
        if (!rowDoc_.load_buffer(element.data(), element.size(), kRowParse, pugi::encoding_utf8)) {
            return Fail(TableReadError::Kind::kMalformedSheet, row_ + 1, 0);
        }
        if (!TakeRow(rowDoc_.document_element(), cells)) {
            return false;
        }
        if (!IsBlank(cells)) {
            return true;
        }
    }
}

bool XlsxTableReader::TakeRow(const pugi::xml_node& row, std::vector<std::string>& cells) {
    const pugi::xml_attribute number = row.attribute("r");
    const std::size_t at = number ? number.as_ullong() : row_ + 1;
    if (at <= row_) {
        return Fail(TableReadError::Kind::kMalformedSheet, row_ + 1, 0);
    }
    if (at > kMaxRows) {
        return Fail(TableReadError::Kind::kTooManyRows, at, 0);
    }
    row_ = at;
    cells.clear();
    for (const pugi::xml_node cell : row.children()) {
        if (LocalName(cell) == "c" && !TakeCell(cell, cells)) {
            return false;
        }
    }
    return true;
}

bool XlsxTableReader::TakeCell(const pugi::xml_node& cell, std::vector<std::string>& cells) {
    const pugi::xml_attribute reference = cell.attribute("r");
    const std::size_t column =
        reference ? ReferenceColumn(reference.as_string()) : cells.size() + 1;
    if (column <= cells.size()) {
        return Fail(TableReadError::Kind::kMalformedSheet, row_,
                    column == 0 ? cells.size() + 1 : column);
    }
    if (column > kMaxColumns) {
        return Fail(TableReadError::Kind::kTooManyColumns, row_, column);
    }
    cells.resize(column - 1);
    std::string text;
    if (!CellText(cell, column, text)) {
        return false;
    }
    if (text.size() > kMaxCellBytes) {
        return Fail(TableReadError::Kind::kCellTooLarge, row_, column);
    }
    cells.push_back(std::move(text));
    return true;
}

bool XlsxTableReader::CellText(const pugi::xml_node& cell, std::size_t column, std::string& text) {
    const std::string_view type = cell.attribute("t").as_string();
    const std::string_view value = FirstChild(cell, "v").text().get();
    if (type == "s") {
        std::size_t index = 0;
        const auto read = std::from_chars(value.data(), value.data() + value.size(), index);
        if (read.ec != std::errc() || read.ptr != value.data() + value.size() ||
            index >= strings_.Count()) {
            return Fail(TableReadError::Kind::kMalformedSheet, row_, column);
        }
        text = strings_.At(index);
    } else if (type == "inlineStr") {
        text = StringItemText(FirstChild(cell, "is"));
    } else if (type == "str") {
        text = UnescapedText(value);
    } else if (type == "b") {
        text = value.empty() ? "" : value == "0" ? "FALSE" : "TRUE";
    } else if (type == "d") {
        text = IsoDay(value);
    } else {
        const std::size_t style = cell.attribute("s").as_uint();
        const bool date = style < dateStyles_.size() && dateStyles_[style];
        const auto day = date ? SerialDate(value, workbook_.date1904) : std::nullopt;
        text = day ? *day : std::string(value);
    }
    return true;
}

bool XlsxTableReader::FailArchive(ZipFault fault, const std::string& entry) {
    switch (fault) {
        case ZipFault::kCannotOpen:
            return Fail(TableReadError::Kind::kReadFailed, row_, 0);
        case ZipFault::kNotZip:
        case ZipFault::kMissingEntry:
            return Fail(TableReadError::Kind::kNotWorkbook, 0, 0);
        case ZipFault::kDamaged:
            return Fail(TableReadError::Kind::kDamagedArchive, row_, 0);
        case ZipFault::kTooLarge:
            return Fail(TableReadError::Kind::kEntryTooLarge, 0, 0, entry.empty() ? sheet_ : entry);
        case ZipFault::kNone:
            break;
    }
    return false;
}

bool XlsxTableReader::Fail(TableReadError::Kind kind, std::size_t row, std::size_t column,
                           const std::string& detail) {
    const auto& texts = ResourceTexts::Instance();
    const std::string path = path_.toStdString();
    const std::string at = std::to_string(row);
    const std::string in = std::to_string(column);
    std::string message;
    switch (kind) {
        case TableReadError::Kind::kNone:
        case TableReadError::Kind::kUnclosedQuote:
        case TableReadError::Kind::kInvalidEncoding:
            break;
        case TableReadError::Kind::kReadFailed: {
            QFile file(path_);
            const bool opened = file.open(QIODevice::ReadOnly);
            message =
                texts.Format("Zel.HOST.IMPORT.read_failed",
                             {path, opened ? std::string() : file.errorString().toStdString()});
            break;
        }
        case TableReadError::Kind::kEmptyFile:
            message = texts.Format("Zel.HOST.IMPORT.empty", {path});
            break;
        case TableReadError::Kind::kCellTooLarge:
            message = texts.Format("Zel.HOST.IMPORT.cell_too_large",
                                   {at, in, std::to_string(kMaxCellBytes)});
            break;
        case TableReadError::Kind::kTooManyColumns:
            message =
                texts.Format("Zel.HOST.IMPORT.too_many_columns", {at, std::to_string(kMaxColumns)});
            break;
        case TableReadError::Kind::kNotWorkbook:
            message = texts.Format("Zel.HOST.IMPORT.not_workbook", {path});
            break;
        case TableReadError::Kind::kDamagedArchive:
            message = texts.Format("Zel.HOST.IMPORT.damaged_archive", {path});
            break;
        case TableReadError::Kind::kNoSuchSheet:
            message = texts.Format("Zel.HOST.IMPORT.no_such_sheet", {path, detail});
            break;
        case TableReadError::Kind::kEntryTooLarge:
            message = texts.Format("Zel.HOST.IMPORT.entry_too_large",
                                   {detail, std::to_string(kMaxSheetBytes)});
            break;
        case TableReadError::Kind::kTooManyRows:
            message = texts.Format("Zel.HOST.IMPORT.too_many_rows", {at, std::to_string(kMaxRows)});
            break;
        case TableReadError::Kind::kRowTooLarge:
            message =
                texts.Format("Zel.HOST.IMPORT.row_too_large", {at, std::to_string(kMaxRowBytes)});
            break;
        case TableReadError::Kind::kMalformedSheet:
            message = row == 0      ? texts.Format("Zel.HOST.IMPORT.malformed_part", {detail})
                      : column == 0 ? texts.Format("Zel.HOST.IMPORT.malformed_row", {at})
                                    : texts.Format("Zel.HOST.IMPORT.malformed_cell", {at, in});
            break;
    }
    error_ = {kind, row, column, message};
    return false;
}

}  // namespace zel
