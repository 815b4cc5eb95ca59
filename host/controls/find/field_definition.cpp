#include "host/controls/find/field_definition.h"

#include <algorithm>
#include <pugixml.hpp>

#include "host/objects/host_text.h"
#include "host/objects/resource_texts.h"
#include "interfaces/recordset.h"

namespace zel {
namespace {

std::vector<std::string> EnumValues(std::string_view list) {
    std::vector<std::string> values;
    while (!list.empty()) {
        const auto separator = list.find(';');
        const auto value = WithoutSurroundingBlanks(list.substr(0, separator));
        if (!value.empty()) {
            values.emplace_back(value);
        }
        list =
            separator == std::string_view::npos ? std::string_view() : list.substr(separator + 1);
    }
    return values;
}

// The column after the table prefix of a tag: "whinvcontrapose.iTopSum" → "iTopSum".
std::string_view ColumnOf(std::string_view tag) {
    const auto dot = tag.rfind('.');
    return dot == std::string_view::npos ? tag : tag.substr(dot + 1);
}

FieldKind KindOf(std::string_view refType, std::string_view tag, const IRecordset* columns) {
    if (AsciiEqualIgnoringCase(refType, "decdgt")) {
        return FieldKind::kNumber;
    }
    if (AsciiEqualIgnoringCase(refType, "date")) {
        return FieldKind::kDate;
    }
    const std::string_view column = ColumnOf(tag);
    if (refType.empty() && columns != nullptr && columns->FieldIndex(column) >= 0) {
        return KindOfField(column);
    }
    return FieldKind::kText;
}

DefinedField FieldOf(const pugi::xml_node& element, const IRecordset* columns) {
    const std::string tag = element.name();
    const std::string_view refType = element.attribute("reftype").as_string();
    DefinedField field;
    field.find.name = tag;
    field.find.source = tag;
    field.find.caption = element.attribute("showfldname").as_string();
    field.find.type = KindOf(refType, tag, columns);
    if (AsciiEqualIgnoringCase(refType, "enum")) {
        field.find.choices = EnumValues(element.attribute("enumval").as_string());
    }
    field.reference = AsciiEqualIgnoringCase(refType, "ref");
    field.modifiable = std::string_view(element.attribute("bmulmodify").as_string()) == "1";
    return field;
}

}  // namespace

FieldDefinition FieldDefinition::Read(const std::string& xml, const IRecordset* columns) {
    const auto& texts = ResourceTexts::Instance();
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_string(xml.c_str());
    if (!parsed) {
        return {{}, texts.Format("Zel.HOST.FIND.badFieldDef", {std::to_string(parsed.offset)})};
    }
    FieldDefinition definition;
    for (const auto& element : document.document_element().children()) {
        if (element.type() == pugi::node_element) {
            definition.fields.push_back(FieldOf(element, columns));
        }
    }
    const bool anyModifiable = std::any_of(definition.fields.begin(), definition.fields.end(),
                                           [](const DefinedField& f) { return f.modifiable; });
    if (!anyModifiable) {
        definition.message = texts.Text("Zel.HOST.FIND.noModifiable");
    }
    return definition;
}

std::vector<FindField> FieldDefinition::FindFields() const {
    std::vector<FindField> found;
    for (const auto& field : fields) {
        found.push_back(field.find);
    }
    return found;
}

}  // namespace zel
