#include "support/flat_ods_sheet.h"

#include <gtest/gtest.h>

namespace zel::test {
namespace {

constexpr const char* kRow = "table:table-row";
constexpr const char* kRowsRepeated = "table:number-rows-repeated";
constexpr const char* kColumnsRepeated = "table:number-columns-repeated";

bool IsCell(pugi::xml_node node) {
    const std::string name = node.name();
    return name == "table:table-cell" || name == "table:covered-table-cell";
}

std::size_t Repeats(pugi::xml_node node, const char* attribute) {
    return node.attribute(attribute).as_uint(1);
}

// Rows may sit in header-row and row-group elements: every row of the table in order.
template <typename Visit>
bool VisitRows(pugi::xml_node parent, Visit& visit) {
    for (pugi::xml_node child : parent.children()) {
        if (std::string(child.name()) == kRow) {
            if (visit(child)) {
                return true;
            }
        } else if (VisitRows(child, visit)) {
            return true;
        }
    }
    return false;
}

// The element standing for position number index (from 0) of a run of repeated elements, and the
// offset within its run; a null node past the end.
struct Position {
    pugi::xml_node node;
    std::size_t offset = 0;
};

Position RowAt(pugi::xml_node table, std::size_t index) {
    Position found;
    std::size_t first = 0;
    auto visit = [&](pugi::xml_node row) {
        const std::size_t count = Repeats(row, kRowsRepeated);
        if (index < first + count) {
            found = {row, index - first};
            return true;
        }
        first += count;
        return false;
    };
    VisitRows(table, visit);
    return found;
}

Position CellAt(pugi::xml_node row, std::size_t index) {
    std::size_t first = 0;
    for (pugi::xml_node cell : row.children()) {
        if (!IsCell(cell)) {
            continue;
        }
        const std::size_t count = Repeats(cell, kColumnsRepeated);
        if (index < first + count) {
            return {cell, index - first};
        }
        first += count;
    }
    return {};
}

void SetRepeats(pugi::xml_node node, const char* attribute, std::size_t count) {
    node.remove_attribute(attribute);
    if (count > 1) {
        node.append_attribute(attribute) = static_cast<unsigned>(count);
    }
}

// The run split into the elements before the position, the position's own and those after it.
pugi::xml_node SplitOut(const Position& at, const char* attribute) {
    const std::size_t count = Repeats(at.node, attribute);
    if (count == 1) {
        return at.node;
    }
    pugi::xml_node parent = at.node.parent();
    if (at.offset > 0) {
        SetRepeats(parent.insert_copy_before(at.node, at.node), attribute, at.offset);
    }
    if (count - at.offset - 1 > 0) {
        SetRepeats(parent.insert_copy_after(at.node, at.node), attribute, count - at.offset - 1);
    }
    SetRepeats(at.node, attribute, 1);
    return at.node;
}

void CollectText(pugi::xml_node node, std::string& text) {
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_pcdata) {
            text += child.value();
        } else if (std::string(child.name()) == "text:s") {
            text.append(child.attribute("text:c").as_uint(1), ' ');
        } else {
            CollectText(child, text);
        }
    }
}

// The cell's paragraphs, a line each.
std::string CellText(pugi::xml_node cell) {
    std::string text;
    bool first = true;
    for (pugi::xml_node paragraph : cell.children("text:p")) {
        text += first ? "" : "\n";
        first = false;
        CollectText(paragraph, text);
    }
    return text;
}

// The cell emptied of its value and text, its style kept, typed anew.
void Retype(pugi::xml_node cell, const char* type, const char* valueAttribute,
            const std::string& value) {
    const std::string style = cell.attribute("table:style-name").value();
    cell.remove_attributes();
    cell.remove_children();
    if (!style.empty()) {
        cell.append_attribute("table:style-name") = style.c_str();
    }
    cell.append_attribute("office:value-type") = type;
    if (valueAttribute != nullptr) {
        cell.append_attribute(valueAttribute) = value.c_str();
    }
    cell.append_attribute("calcext:value-type") = type;
    cell.append_child("text:p").text() = value.c_str();
}

}  // namespace

bool FlatOdsSheet::Load(const std::string& path) {
    return document_.load_file(path.c_str()) && Table();
}

// Raw: indentation added inside a paragraph would become part of the cell's text.
bool FlatOdsSheet::Save(const std::string& path) const {
    return document_.save_file(path.c_str(), "", pugi::format_raw);
}

pugi::xml_node FlatOdsSheet::Table() const {
    return document_.child("office:document")
        .child("office:body")
        .child("office:spreadsheet")
        .child("table:table");
}

pugi::xml_node FlatOdsSheet::FoundCell(std::size_t row, std::size_t column) const {
    const Position rowAt = RowAt(Table(), row - 1);
    return rowAt.node ? CellAt(rowAt.node, column - 1).node : pugi::xml_node();
}

pugi::xml_node FlatOdsSheet::EditableCell(std::size_t row, std::size_t column) {
    const Position rowAt = RowAt(Table(), row - 1);
    const Position cellAt = rowAt.node ? CellAt(rowAt.node, column - 1) : Position{};
    if (!cellAt.node) {
        ADD_FAILURE() << "the sheet has no cell at row " << row << ", column " << column;
        return {};
    }
    const pugi::xml_node ownRow = SplitOut(rowAt, kRowsRepeated);
    return SplitOut(CellAt(ownRow, column - 1), kColumnsRepeated);
}

std::string FlatOdsSheet::Text(std::size_t row, std::size_t column) const {
    return CellText(FoundCell(row, column));
}

std::size_t FlatOdsSheet::ColumnOf(const std::string& caption) const {
    const Position header = RowAt(Table(), 0);
    std::size_t column = 1;
    for (pugi::xml_node cell : header.node.children()) {
        if (!IsCell(cell)) {
            continue;
        }
        if (CellText(cell) == caption) {
            return column;
        }
        column += Repeats(cell, kColumnsRepeated);
    }
    return 0;
}

// One walk over the rows: a sheet may end in a run of a million empty ones.
std::size_t FlatOdsSheet::RowOf(std::size_t column, const std::string& text) const {
    std::size_t row = 1;
    std::size_t found = 0;
    auto visit = [&](pugi::xml_node element) {
        if (row > 1 && CellText(CellAt(element, column - 1).node) == text) {
            found = row;
            return true;
        }
        row += Repeats(element, kRowsRepeated);
        return false;
    };
    VisitRows(Table(), visit);
    return found;
}

void FlatOdsSheet::SetNumber(std::size_t row, std::size_t column, const std::string& value) {
    if (pugi::xml_node cell = EditableCell(row, column)) {
        Retype(cell, "float", "office:value", value);
    }
}

void FlatOdsSheet::SetText(std::size_t row, std::size_t column, const std::string& text) {
    if (pugi::xml_node cell = EditableCell(row, column)) {
        Retype(cell, "string", nullptr, text);
    }
}

void FlatOdsSheet::SetDate(std::size_t row, std::size_t column, const std::string& isoDate) {
    if (pugi::xml_node cell = EditableCell(row, column)) {
        Retype(cell, "date", "office:date-value", isoDate);
    }
}

}  // namespace zel::test
