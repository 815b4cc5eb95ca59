#include "host/controls/import/xlsx_date_styles.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <map>
#include <string>

#include "host/controls/import/xlsx_cell_text.h"

namespace zel {
namespace {

// The built-in formats that show a day: 14 to 17 and 22 everywhere, the others in the East
// Asian workbooks (where 32 to 35, 55 and 56 show times of day, and 18 to 21 do everywhere).
constexpr std::array<int, 18> kBuiltInDates = {14, 15, 16, 17, 22, 27, 28, 29, 30,
                                               31, 36, 50, 51, 52, 53, 54, 57, 58};

bool IsBuiltInDate(int id) {
    return std::find(kBuiltInDates.begin(), kBuiltInDates.end(), id) != kBuiltInDates.end();
}

// The format's own letters, lower case, without what it shows literally.
std::string FormatLetters(std::string_view code) {
    std::string letters;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '"') {
            i = std::min(code.find('"', i + 1), code.size());
        } else if (c == '[') {
            i = std::min(code.find(']', i + 1), code.size());
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c >= 'A' && c <= 'Z') {
            letters += static_cast<char>(c - 'A' + 'a');
        } else if (c >= 'a' && c <= 'z') {
            letters += c;
        }
    }
    return letters;
}

}  // namespace

bool IsDateFormatCode(std::string_view code) {
    const std::string letters = FormatLetters(code);
    const auto has = [&](char c) { return letters.find(c) != std::string::npos; };
    return has('y') || has('d') || (has('m') && !has('h') && !has('s'));
}

std::vector<bool> ReadDateStyles(std::string_view stylesXml) {
    pugi::xml_document doc;
    if (!doc.load_buffer(stylesXml.data(), stylesXml.size())) {
        return {};
    }
    const pugi::xml_node root = doc.document_element();
    std::map<int, bool> defined;
    for (const pugi::xml_node format : FirstChild(root, "numFmts").children()) {
        if (LocalName(format) == "numFmt") {
            defined[format.attribute("numFmtId").as_int()] =
                IsDateFormatCode(format.attribute("formatCode").as_string());
        }
    }
    std::vector<bool> dates;
    for (const pugi::xml_node xf : FirstChild(root, "cellXfs").children()) {
        if (LocalName(xf) == "xf") {
            const int id = xf.attribute("numFmtId").as_int();
            const auto found = defined.find(id);
            dates.push_back(found != defined.end() ? found->second : IsBuiltInDate(id));
        }
    }
    return dates;
}

}  // namespace zel
