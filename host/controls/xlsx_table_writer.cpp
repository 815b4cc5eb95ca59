#include "host/controls/xlsx_table_writer.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <map>
#include <string_view>

namespace zel {
namespace {

constexpr int kMostDecimals = 15;
constexpr double kNumberChars = 12;
constexpr double kDefaultTextChars = 10;
constexpr double kMinWidth = 6;
constexpr double kMaxWidth = 50;
// Room for the cell margins, in characters.
constexpr double kWidthMargin = 2;
// The first year a workbook date can show.
constexpr int kFirstYear = 1900;

bool ReadNumber(std::string_view text, double& number) {
    std::string ungrouped;
    if (text.find(',') != std::string_view::npos) {
        std::copy_if(text.begin(), text.end(), std::back_inserter(ungrouped),
                     [](char c) { return c != ','; });
        text = ungrouped;
    }
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, number);
    return !text.empty() && result.ec == std::errc() && result.ptr == end && std::isfinite(number);
}

bool ReadDatePart(std::string_view text, int& value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

// yyyy-mm-dd, a day that exists.
bool ReadDate(std::string_view text, lxw_datetime& date) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' ||
        !ReadDatePart(text.substr(0, 4), date.year) ||
        !ReadDatePart(text.substr(5, 2), date.month) ||
        !ReadDatePart(text.substr(8, 2), date.day)) {
        return false;
    }
    const std::chrono::year_month_day day{std::chrono::year(date.year),
                                          std::chrono::month(static_cast<unsigned>(date.month)),
                                          std::chrono::day(static_cast<unsigned>(date.day))};
    return day.ok() && date.year >= kFirstYear;
}

std::size_t Utf8Length(char lead) {
    const auto byte = static_cast<unsigned char>(lead);
    return byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
}

// Characters of the width unit the text needs; CJK and other wide characters take two.
double TextWidth(std::string_view text) {
    double width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8Length(text[i]);
        width += length >= 3 ? 2 : 1;
        i += length;
    }
    return width;
}

double ValuesWidth(const ExportColumn& column) {
    switch (column.kind) {
        case ExportKind::kNumber:
            return kNumberChars;
        case ExportKind::kDate:
            return kExportDateSize;
        case ExportKind::kText:
            break;
    }
    return column.size > 0 ? column.size : kDefaultTextChars;
}

double ColumnWidth(const ExportColumn& column, std::string_view header) {
    return std::clamp(std::max(ValuesWidth(column), TextWidth(header)) + kWidthMargin, kMinWidth,
                      kMaxWidth);
}

// Not every title can name a sheet: at most 31 characters, none of []:*?/\, no apostrophe
// at either end. Empty when nothing usable is left.
std::string SheetName(std::string_view title) {
    std::string name;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < title.size() && characters < LXW_SHEETNAME_MAX; ++characters) {
        const std::size_t length = Utf8Length(title[i]);
        const std::string_view character = title.substr(i, length);
        name += std::string_view("[]:*?/\\").find(character[0]) == std::string_view::npos
                    ? character
                    : std::string_view("_");
        i += length;
    }
    const auto first = name.find_first_not_of('\'');
    if (first == std::string::npos) {
        return {};
    }
    return name.substr(first, name.find_last_not_of('\'') - first + 1);
}

class Workbook {
public:
    explicit Workbook(const std::string& path) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        book_ = workbook_new_opt(path.c_str(), &options);
    }
    ~Workbook() {
        if (book_ != nullptr) {
            workbook_close(book_);
        }
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    lxw_workbook* Book() const { return book_; }
    lxw_error Close() {
        const lxw_error error = workbook_close(book_);
        book_ = nullptr;
        return error;
    }

private:
    lxw_workbook* book_ = nullptr;
};

class SheetWriter {
public:
    SheetWriter(lxw_workbook* book, lxw_worksheet* sheet) : book_(book), sheet_(sheet) {
        bold_ = workbook_add_format(book);
        format_set_bold(bold_);
        date_ = workbook_add_format(book);
        format_set_num_format(date_, "yyyy-mm-dd");
    }

    lxw_error Header(const std::vector<std::string>& headers,
                     const std::vector<ExportColumn>& columns) {
        for (std::size_t col = 0; col < headers.size(); ++col) {
            const auto index = static_cast<lxw_col_t>(col);
            worksheet_set_column(sheet_, index, index, ColumnWidth(columns[col], headers[col]),
                                 nullptr);
            if (const lxw_error error =
                    worksheet_write_string(sheet_, 0, index, headers[col].c_str(), bold_)) {
                return error;
            }
        }
        worksheet_freeze_panes(sheet_, 1, 0);
        return LXW_NO_ERROR;
    }

    lxw_error Cell(lxw_row_t row, lxw_col_t col, const ExportColumn& column,
                   const std::string& text) {
        if (text.empty()) {
            return LXW_NO_ERROR;
        }
        if (column.kind == ExportKind::kNumber) {
            double number = 0;
            if (ReadNumber(text, number)) {
                return worksheet_write_number(sheet_, row, col, number, NumberFormat(column.size));
            }
        } else if (column.kind == ExportKind::kDate) {
            lxw_datetime date{};
            if (ReadDate(text, date)) {
                return worksheet_write_datetime(sheet_, row, col, &date, date_);
            }
        }
        return worksheet_write_string(sheet_, row, col, text.c_str(), nullptr);
    }

private:
    lxw_format* NumberFormat(int decimals) {
        decimals = std::clamp(decimals, 0, kMostDecimals);
        lxw_format*& format = numberFormats_[decimals];
        if (format == nullptr) {
            format = workbook_add_format(book_);
            const std::string pattern =
                decimals == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(decimals), '0');
            format_set_num_format(format, pattern.c_str());
        }
        return format;
    }

    lxw_workbook* book_;
    lxw_worksheet* sheet_;
    lxw_format* bold_;
    lxw_format* date_;
    std::map<int, lxw_format*> numberFormats_;
};

lxw_error WriteSheet(lxw_workbook* book, const PrintData& data,
                     const std::vector<ExportColumn>& columns) {
    const std::string name = SheetName(data.title);
    lxw_worksheet* sheet = workbook_add_worksheet(book, name.empty() ? nullptr : name.c_str());
    if (sheet == nullptr) {
        sheet = workbook_add_worksheet(book, nullptr);
    }
    if (sheet == nullptr) {
        return LXW_ERROR_MEMORY_MALLOC_FAILED;
    }
    std::vector<ExportColumn> described = columns;
    described.resize(std::max(described.size(), data.headers.size()));
    SheetWriter writer(book, sheet);
    if (const lxw_error error = writer.Header(data.headers, described)) {
        return error;
    }
    const std::size_t cols = data.headers.size();
    for (std::size_t row = 0; row < data.RowCount(); ++row) {
        for (std::size_t col = 0; col < cols; ++col) {
            if (const lxw_error error =
                    writer.Cell(static_cast<lxw_row_t>(row + 1), static_cast<lxw_col_t>(col),
                                described[col], data.cells[row * cols + col])) {
                return error;
            }
        }
    }
    return LXW_NO_ERROR;
}

}  // namespace

bool WriteXlsxTable(const std::string& path, const PrintData& data,
                    const std::vector<ExportColumn>& columns, std::string& reason) {
    if (data.headers.size() > LXW_COL_MAX || data.RowCount() + 1 > LXW_ROW_MAX) {
        reason = lxw_strerror(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE);
        return false;
    }
    Workbook workbook(path);
    if (workbook.Book() == nullptr) {
        reason = lxw_strerror(LXW_ERROR_CREATING_XLSX_FILE);
        return false;
    }
    const lxw_error written = WriteSheet(workbook.Book(), data, columns);
    const lxw_error closed = workbook.Close();
    if (written != LXW_NO_ERROR) {
        // Closing made a file of the rows written so far; a file that was there before and
        // could not be opened is left alone.
        if (closed == LXW_NO_ERROR) {
            std::remove(path.c_str());
        }
        reason = lxw_strerror(written);
        return false;
    }
    if (closed != LXW_NO_ERROR) {
        reason = lxw_strerror(closed);
        return false;
    }
    return true;
}

}  // namespace zel
