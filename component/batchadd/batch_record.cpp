#include "batchadd/batch_record.h"

#include "core/const.h"
#include "core/text_escaping.h"
#include "interfaces/recordset.h"

namespace korvel {
namespace {

void AppendElement(std::string& xml, const char* name, const std::string& text) {
    xml += '<';
    xml += name;
    xml += '>';
    xml += XmlEscaped(text);
    xml += "</";
    xml += name;
    xml += '>';
}

}  // namespace

std::string BatchRecord::DefaultsQuery(const std::string& invCode, const std::string& sAuthInvW,
                                       const std::string& endDateFilter) {
    std::string columns;
    for (const char* column : kDefaultColumns) {
        if (!columns.empty()) {
            columns += ',';
        }
        columns += column;
    }
    std::string sql = "select top 1 ";
    sql += columns;
    sql += " from Inventory where cInvCode=";
    sql += SqlQuoted(invCode);
    sql += " and ";
    sql += sAuthInvW;
    sql += " and ";
    sql += endDateFilter;
    return sql;
}

std::array<std::string, 8> BatchRecord::DefaultsOf(const zel::IRecordset* defaults) {
    std::array<std::string, 8> values;
    if (!defaults || defaults->Eof()) {
        return values;
    }
    for (size_t i = 0; i < kDefaultColumns.size(); ++i) {
        values[i] = NullToStr(defaults->Fields(kDefaultColumns[i]));
    }
    return values;
}

std::string BatchRecord::Xml() const {
    std::string xml = "<WhInvContrapose>";
    AppendElement(xml, "CWhCode", whCode);
    AppendElement(xml, "cInvCode", invCode);
    for (size_t i = 0; i < kDefaultColumns.size(); ++i) {
        AppendElement(xml, kDefaultColumns[i], defaults[i]);
    }
    AppendElement(xml, "cUserId", userId);
    return xml + "</WhInvContrapose>";
}

}  // namespace korvel
