#include "editor/record_xml.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "core/correspondence_fields.h"
#include "core/text_escaping.h"

namespace korvel {
namespace {

using FieldValue = std::optional<std::string> RecordXmlFields::*;

constexpr std::pair<std::string_view, FieldValue> kValueOfColumn[] = {
    {"cWhCode", &RecordXmlFields::whCode},           {"cInvCode", &RecordXmlFields::invCode},
    {"cWhPersonCode", &RecordXmlFields::personCode}, {"iTopSum", &RecordXmlFields::topSum},
    {"iLowSum", &RecordXmlFields::lowSum},           {"iSafeNum", &RecordXmlFields::safeNum},
    {"iWastage", &RecordXmlFields::wastage},         {"iFrequency", &RecordXmlFields::frequency},
    {"cFrequency", &RecordXmlFields::frequencyCode}, {"iDays", &RecordXmlFields::days},
    {"dLastDate", &RecordXmlFields::lastDate},
};

const std::optional<std::string>& ValueOf(const RecordXmlFields& fields,
                                          const CorrespondenceField& field) {
    static const std::optional<std::string> none;
    const auto* bound =
        std::find_if(std::begin(kValueOfColumn), std::end(kValueOfColumn),
                     [&](const auto& binding) { return binding.first == field.column; });
    return bound == std::end(kValueOfColumn) ? none : fields.*(bound->second);
}

void AppendElement(std::string& xml, std::string_view name, const std::string& text) {
    xml += "<";
    xml += name;
    xml += ">";
    xml += XmlEscaped(text);
    xml += "</";
    xml += name;
    xml += ">";
}

// A field sent only from a reachable box is left out without a value; the others go empty.
void AppendXmlField(std::string& xml, const CorrespondenceField& field,
                    const std::optional<std::string>& text) {
    if (text || !field.recordXml.onlyWhenReachable) {
        AppendElement(xml, field.recordXml.element, text.value_or(std::string()));
    }
}

}  // namespace

std::string WriteRecordXml(const RecordXmlFields& fields) {
    std::string xml = "<WhInvContrapose>";
    for (const CorrespondenceField* field : FieldsInRecordXmlOrder()) {
        AppendXmlField(xml, *field, ValueOf(fields, *field));
    }
    AppendElement(xml, "cUserId", fields.userId);
    xml += "</WhInvContrapose>";
    return xml;
}

}  // namespace korvel
