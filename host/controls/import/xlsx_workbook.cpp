#include "host/controls/import/xlsx_workbook.h"

#include <pugixml.hpp>

#include <string_view>

#include "host/controls/import/xlsx_cell_text.h"

namespace zel {
namespace {

constexpr std::string_view kDefaultWorkbook = "xl/workbook.xml";

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

std::string Folder(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

// A relationship's target as an entry name: relative to the folder of the part that holds the
// relationship, or to the package's root when it begins with a slash.
std::string EntryName(const std::string& folder, std::string_view target) {
    std::string path =
        target.starts_with('/') ? std::string(target.substr(1)) : folder + std::string(target);
    std::string name;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        const std::string_view segment = std::string_view(path).substr(start, slash - start);
        if (segment == "..") {
            const std::size_t cut = name.empty() ? 0 : name.rfind('/', name.size() - 2);
            name.resize(cut == std::string::npos ? 0 : cut + 1);
        } else if (segment != "." && !segment.empty()) {
            name += segment;
            name += slash < path.size() ? "/" : "";
        }
        start = slash + 1;
    }
    return name;
}

ZipFault ReadXml(const ZipArchiveReader& zip, const std::string& name, pugi::xml_document& doc) {
    std::string xml;
    const ZipFault fault = zip.ReadEntry(name, kMaxXlsxSmallPartBytes, xml);
    if (fault != ZipFault::kNone) {
        return fault;
    }
    return doc.load_buffer(xml.data(), xml.size()) ? ZipFault::kNone : ZipFault::kMissingEntry;
}

// The target of the first relationship of a type ending so, as an entry name; empty if none.
std::string Target(const pugi::xml_document& rels, const std::string& folder,
                   std::string_view typeEnd) {
    for (const pugi::xml_node rel : rels.document_element().children()) {
        if (LocalName(rel) == "Relationship" &&
            EndsWith(rel.attribute("Type").as_string(), typeEnd)) {
            return EntryName(folder, rel.attribute("Target").as_string());
        }
    }
    return {};
}

std::string TargetOfId(const pugi::xml_document& rels, const std::string& folder,
                       std::string_view id) {
    for (const pugi::xml_node rel : rels.document_element().children()) {
        if (LocalName(rel) == "Relationship" && id == rel.attribute("Id").as_string()) {
            return EntryName(folder, rel.attribute("Target").as_string());
        }
    }
    return {};
}

// The sheet's relationship id: an attribute "id" in the relationships' namespace, whatever
// prefix the file gives it.
std::string_view RelationshipId(const pugi::xml_node& sheet) {
    for (const pugi::xml_attribute attribute : sheet.attributes()) {
        const std::string_view name = attribute.name();
        if (name.size() > 3 && EndsWith(name, ":id")) {
            return attribute.value();
        }
    }
    return {};
}

std::string WorkbookPath(const ZipArchiveReader& zip) {
    pugi::xml_document rels;
    if (zip.Has("_rels/.rels") && ReadXml(zip, "_rels/.rels", rels) == ZipFault::kNone) {
        const std::string target = Target(rels, {}, "/officeDocument");
        if (!target.empty()) {
            return target;
        }
    }
    return std::string(kDefaultWorkbook);
}

}  // namespace

ZipFault ReadXlsxWorkbook(const ZipArchiveReader& zip, XlsxWorkbook& workbook) {
    const std::string path = WorkbookPath(zip);
    const std::string folder = Folder(path);
    const std::string relsPath = folder + "_rels/" + path.substr(folder.size()) + ".rels";
    pugi::xml_document doc;
    pugi::xml_document rels;
    ZipFault fault = ReadXml(zip, path, doc);
    if (fault == ZipFault::kNone) {
        fault = ReadXml(zip, relsPath, rels);
    }
    if (fault != ZipFault::kNone) {
        return fault;
    }
    const pugi::xml_node root = doc.document_element();
    workbook.date1904 = FirstChild(root, "workbookPr").attribute("date1904").as_bool();
    for (const pugi::xml_node sheet : FirstChild(root, "sheets").children()) {
        if (LocalName(sheet) == "sheet") {
            workbook.sheets.push_back({sheet.attribute("name").as_string(),
                                       TargetOfId(rels, folder, RelationshipId(sheet))});
        }
    }
    workbook.sharedStringsPath = Target(rels, folder, "/sharedStrings");
    workbook.stylesPath = Target(rels, folder, "/styles");
    return workbook.sheets.empty() ? ZipFault::kMissingEntry : ZipFault::kNone;
}

}  // namespace zel
