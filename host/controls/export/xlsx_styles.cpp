#include "host/controls/export/xlsx_styles.h"

#include <algorithm>

namespace zel {
namespace {

constexpr int kMostDecimals = 15;
// Formats the reader knows without a definition: "0" and "0.00".
constexpr int kWholeFormat = 1;
constexpr int kTwoDecimalsFormat = 2;
constexpr int kTwoDecimals = 2;
// Formats defined in the part are numbered from here on.
constexpr int kDateFormat = 164;

int Decimals(const ExportColumn& column) {
    return std::clamp(column.size, 0, kMostDecimals);
}

bool IsBuiltIn(int decimals) {
    return decimals == 0 || decimals == kTwoDecimals;
}

int FormatId(int decimals) {
    if (decimals == 0) {
        return kWholeFormat;
    }
    return decimals == kTwoDecimals ? kTwoDecimalsFormat : kDateFormat + 1 + decimals;
}

std::string CellFormat(int formatId, int fontId) {
    std::string xf = "<xf numFmtId=\"" + std::to_string(formatId) + "\" fontId=\"" +
                     std::to_string(fontId) + "\" fillId=\"0\" borderId=\"0\" xfId=\"0\"";
    if (formatId != 0) {
        xf += " applyNumberFormat=\"1\"";
    }
    if (fontId != 0) {
        xf += " applyFont=\"1\"";
    }
    return xf + "/>";
}

}  // namespace

XlsxStyles::XlsxStyles(const std::vector<ExportColumn>& columns) {
    for (const ExportColumn& column : columns) {
        if (column.kind == FieldKind::kNumber &&
            std::find(decimals_.begin(), decimals_.end(), Decimals(column)) == decimals_.end()) {
            decimals_.push_back(Decimals(column));
        }
    }
}

int XlsxStyles::NumberStyle(const ExportColumn& column) const {
    const auto found = std::find(decimals_.begin(), decimals_.end(), Decimals(column));
    return kDate + 1 + static_cast<int>(found - decimals_.begin());
}

std::string XlsxStyles::Xml() const {
    std::string formats =
        "<numFmt numFmtId=\"" + std::to_string(kDateFormat) + "\" formatCode=\"yyyy-mm-dd\"/>";
    int formatCount = 1;
    std::string cellFormats = CellFormat(0, 0) + CellFormat(0, 1) + CellFormat(kDateFormat, 0);
    for (const int decimals : decimals_) {
        if (!IsBuiltIn(decimals)) {
            formats += "<numFmt numFmtId=\"" + std::to_string(FormatId(decimals)) +
                       "\" formatCode=\"0." + std::string(static_cast<std::size_t>(decimals), '0') +
                       "\"/>";
            ++formatCount;
        }
        cellFormats += CellFormat(FormatId(decimals), 0);
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
           "<numFmts count=\"" +
           std::to_string(formatCount) + "\">" + formats +
           "</numFmts>"
           "<fonts count=\"2\"><font><sz val=\"11\"/></font><font><b/><sz val=\"11\"/></font>"
           "</fonts>"
           "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
           "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
           "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border>"
           "</borders>"
           "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
           "borderId=\"0\"/></cellStyleXfs>"
           "<cellXfs count=\"" +
           std::to_string(kDate + 1 + decimals_.size()) + "\">" + cellFormats +
           "</cellXfs>"
           "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/>"
           "</cellStyles></styleSheet>";
}

}  // namespace zel
