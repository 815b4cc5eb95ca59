#include "host/controls/print/print_style.h"

#include <algorithm>
#include <pugixml.hpp>
#include <sstream>

namespace zel {
namespace {

// More columns than this do not fit across portrait paper at a readable size.
constexpr std::size_t kPortraitColumns = 8;
constexpr const char* kLandscape = "landscape";
constexpr const char* kPortrait = "portrait";

std::string PaperKey(QPageSize::PageSizeId paper) {
    return QPageSize::key(paper).toStdString();
}

std::optional<QPageSize::PageSizeId> PaperOfKey(std::string_view key) {
    for (const auto paper : PrintPaperSizes()) {
        if (PaperKey(paper) == key) {
            return paper;
        }
    }
    return std::nullopt;
}

double ReadMargin(const pugi::xml_node& margins, const char* side, double fallback) {
    return std::clamp(margins.attribute(side).as_double(fallback), 0.0, PrintStyle::kMaxMarginMm);
}

void ReadMargins(const pugi::xml_node& margins, QMarginsF& mm) {
    mm.setLeft(ReadMargin(margins, "left", mm.left()));
    mm.setTop(ReadMargin(margins, "top", mm.top()));
    mm.setRight(ReadMargin(margins, "right", mm.right()));
    mm.setBottom(ReadMargin(margins, "bottom", mm.bottom()));
}

bool ReadFlag(const pugi::xml_node& root, const char* name, bool fallback) {
    const pugi::xml_node node = root.child(name);
    return node ? std::string_view(node.child_value()) != "0" : fallback;
}

}  // namespace

const std::vector<QPageSize::PageSizeId>& PrintPaperSizes() {
    static const std::vector<QPageSize::PageSizeId> sizes{QPageSize::A4,     QPageSize::A3,
                                                          QPageSize::A5,     QPageSize::B5,
                                                          QPageSize::Letter, QPageSize::Legal};
    return sizes;
}

bool PrintStyle::Prints(std::string_view caption) const {
    const auto found = std::find_if(columns.begin(), columns.end(), [&](const Column& column) {
        return column.caption == caption;
    });
    return found == columns.end() || found->printed;
}

QPageLayout PrintStyle::PageLayout() const {
    return QPageLayout(QPageSize(paper), orientation, marginsMm, QPageLayout::Millimeter);
}

std::string PrintStyle::ToXml() const {
    pugi::xml_document document;
    pugi::xml_node root = document.append_child("PrintStyle");
    root.append_child("Paper").text() = PaperKey(paper).c_str();
    root.append_child("Orientation").text() =
        orientation == QPageLayout::Landscape ? kLandscape : kPortrait;
    pugi::xml_node margins = root.append_child("Margins");
    margins.append_attribute("left") = marginsMm.left();
    margins.append_attribute("top") = marginsMm.top();
    margins.append_attribute("right") = marginsMm.right();
    margins.append_attribute("bottom") = marginsMm.bottom();
    root.append_child("FontSize").text() = fontSize;
    root.append_child("RepeatHeader").text() = repeatHeader ? "1" : "0";
    root.append_child("TitleOnEveryPage").text() = titleOnEveryPage ? "1" : "0";
    pugi::xml_node list = root.append_child("Columns");
    for (const auto& column : columns) {
        pugi::xml_node node = list.append_child("Column");
        node.append_attribute("caption") = column.caption.c_str();
        node.append_attribute("print") = column.printed ? "1" : "0";
    }
    std::ostringstream text;
    document.save(text, "", pugi::format_raw | pugi::format_no_declaration);
    return text.str();
}

PrintStyle PrintStyle::ForCaptions(const std::vector<std::string>& captions) {
    PrintStyle style;
    if (captions.size() > kPortraitColumns) {
        style.orientation = QPageLayout::Landscape;
    }
    for (const auto& caption : captions) {
        style.columns.push_back({caption, true});
    }
    return style;
}

std::optional<PrintStyle> PrintStyle::Parse(std::string_view xml) {
    pugi::xml_document document;
    if (!document.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8)) {
        return std::nullopt;
    }
    const pugi::xml_node root = document.child("PrintStyle");
    if (!root) {
        return std::nullopt;
    }
    PrintStyle style;
    if (const auto paper = PaperOfKey(root.child_value("Paper"))) {
        style.paper = *paper;
    }
    if (std::string_view(root.child_value("Orientation")) == kLandscape) {
        style.orientation = QPageLayout::Landscape;
    }
    ReadMargins(root.child("Margins"), style.marginsMm);
    style.fontSize = std::clamp(root.child("FontSize").text().as_int(style.fontSize), kMinFontSize,
                                kMaxFontSize);
    style.repeatHeader = ReadFlag(root, "RepeatHeader", style.repeatHeader);
    style.titleOnEveryPage = ReadFlag(root, "TitleOnEveryPage", style.titleOnEveryPage);
    for (const pugi::xml_node column : root.child("Columns").children("Column")) {
        style.columns.push_back(
            {column.attribute("caption").value(), column.attribute("print").as_int(1) != 0});
    }
    return style;
}

}  // namespace zel
