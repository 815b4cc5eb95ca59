#include "editor/record_xml.h"

#include "core/text_escaping.h"

namespace korvel {
namespace {

void AppendElement(std::string& xml, const char* name, const std::string& text) {
    xml += "<";
    xml += name;
    xml += ">";
    xml += XmlEscaped(text);
    xml += "</";
    xml += name;
    xml += ">";
}

void AppendXmlField(std::string& xml, const char* name, const std::optional<std::string>& text) {
    if (text) {
        AppendElement(xml, name, *text);
    }
}

}  // namespace

std::string WriteRecordXml(const RecordXmlFields& fields) {
    std::string xml = "<WhInvContrapose>";
    AppendElement(xml, "CWhCode", fields.whCode);
    AppendElement(xml, "cInvCode", fields.invCode);
    AppendElement(xml, "cWhPersonCode", fields.personCode);
    AppendXmlField(xml, "itopsum", fields.topSum);
    AppendXmlField(xml, "ilowsum", fields.lowSum);
    AppendXmlField(xml, "isafenum", fields.safeNum);
    AppendXmlField(xml, "iWastage", fields.wastage);
    AppendXmlField(xml, "iFrequency", fields.frequency);
    AppendElement(xml, "cFrequency", fields.frequencyCode);
    AppendXmlField(xml, "iDays", fields.days);
    AppendXmlField(xml, "dLastDate", fields.lastDate);
    AppendElement(xml, "cUserId", fields.userId);
    xml += "</WhInvContrapose>";
    return xml;
}

}  // namespace korvel
