#include "core/record_xml_writer.h"

#include "core/text_escaping.h"

namespace korvel {
namespace {

struct Element {
    std::string_view name;
    bool onlyWhenSet = false;
};

Element ElementOf(RecordXmlForm form, const CorrespondenceField& field) {
    if (form == RecordXmlForm::kBatchAdd) {
        return {field.batch.element};
    }
    return {field.recordXml.element, field.recordXml.onlyWhenReachable};
}

void AppendElement(std::string& xml, std::string_view name, std::string_view text) {
    xml += "<";
    xml += name;
    xml += ">";
    xml += XmlEscaped(text);
    xml += "</";
    xml += name;
    xml += ">";
}

}  // namespace

std::string WriteRecordXml(RecordXmlForm form, const CorrespondenceRow& row,
                           std::string_view userId) {
    std::string xml = "<WhInvContrapose>";
    const FieldList fields =
        form == RecordXmlForm::kBatchAdd ? FieldsInBatchOrder() : FieldsInRecordXmlOrder();
    for (const CorrespondenceField* field : fields) {
        const Element element = ElementOf(form, *field);
        const auto& value = row.Value(*field);
        if (value || !element.onlyWhenSet) {
            AppendElement(xml, element.name, value.value_or(std::string()));
        }
    }
    AppendElement(xml, "cUserId", userId);
    xml += "</WhInvContrapose>";
    return xml;
}

}  // namespace korvel
