#include "host/controls/print/print_data.h"

#include <pugixml.hpp>

#include <algorithm>

namespace zel {
namespace {

// Whitespace-only cells are cell texts too; line ends stay as the grid had them.
constexpr unsigned kParseOptions = pugi::parse_minimal | pugi::parse_escapes |
                                   pugi::parse_ws_pcdata_single | pugi::parse_embed_pcdata;

bool HoldsElement(const pugi::xml_node& node) {
    return static_cast<bool>(
        node.find_child([](pugi::xml_node child) { return child.type() == pugi::node_element; }));
}

bool ChildrenHoldOnlyText(const pugi::xml_node& node) {
    const auto children = node.children();
    return std::none_of(children.begin(), children.end(), HoldsElement);
}

// Only the root, Header, Rows and R hold elements. An element inside a text would print as
// nothing, so such data is refused; looking no deeper than that also bounds how far outside
// data is walked, however deep it nests.
bool TextsHoldOnlyText(const pugi::xml_node& root) {
    for (const pugi::xml_node part : root.children()) {
        const std::string_view name = part.name();
        const auto rows = part.children("R");
        const bool onlyText = name == "Header" ? ChildrenHoldOnlyText(part)
                              : name == "Rows"
                                  ? std::all_of(rows.begin(), rows.end(), ChildrenHoldOnlyText)
                                  : !HoldsElement(part);
        if (!onlyText) {
            return false;
        }
    }
    return true;
}

void ReadHeader(const pugi::xml_node& header, PrintData& data) {
    for (const pugi::xml_node cell : header.children("C")) {
        data.headers.emplace_back(cell.child_value());
        data.rightAligned.push_back(std::string_view(cell.attribute("align").value()) == "right");
    }
}

// textBytes bounds the cells' texts: they are part of the XML they are read from. A row short of
// cells gets empty ones; a grid's data writes every cell, "<C/>" at least, so more cells than the
// XML has bytes is not a grid's, and filling them in would take memory without bound. False then,
// and when the texts are more than a table holds.
bool ReadRows(const pugi::xml_node& rows, std::size_t textBytes, PrintData& data) {
    const std::size_t width = data.headers.size();
    std::size_t rowCount = 0;
    for (auto row = rows.child("R"); row; row = row.next_sibling("R")) {
        ++rowCount;
    }
    if (rowCount * width > textBytes) {
        return false;
    }
    data.cells.reserve(rowCount * width, textBytes);
    for (auto row = rows.child("R"); row; row = row.next_sibling("R")) {
        std::size_t col = 0;
        for (auto cell = row.child("C"); cell && col < width; cell = cell.next_sibling("C")) {
            if (!data.cells.push_back(cell.child_value())) {
                return false;
            }
            ++col;
        }
        for (; col < width; ++col) {
            data.cells.push_back({});
        }
    }
    data.cells.shrink_to_fit();
    return true;
}

}  // namespace

std::optional<PrintData> PrintData::Parse(std::string_view xml) {
    pugi::xml_document document;
    if (!document.load_buffer(xml.data(), xml.size(), kParseOptions, pugi::encoding_utf8)) {
        return std::nullopt;
    }
    const pugi::xml_node root = document.document_element();
    const pugi::xml_node header = root.child("Header");
    if (!header || !TextsHoldOnlyText(root)) {
        return std::nullopt;
    }
    PrintData data;
    data.title = root.child_value("Title");
    data.account = root.child_value("Account");
    data.date = root.child_value("Date");
    data.warehouse = root.child_value("Warehouse");
    const pugi::xml_node user = root.child("User");
    data.userCode = user.attribute("code").value();
    data.user = user.child_value();
    if (data.user.empty()) {
        data.user = data.userCode;
    }
    data.serialNumbers = std::string_view(root.child_value("SerialNumbers")) != "0";
    ReadHeader(header, data);
    if (!data.headers.empty()) {
        if (!ReadRows(root.child("Rows"), xml.size(), data)) {
            return std::nullopt;
        }
    }
    return data;
}

}  // namespace zel
