#include "batchadd/batch_record.h"

#include "core/const.h"
#include "core/text_escaping.h"
#include "interfaces/recordset.h"

namespace korvel {
namespace {

FieldList ItemDefaults() {
    FieldList fields = FieldsInBatchOrder();
    std::erase_if(fields,
                  [](const CorrespondenceField* field) { return !field->batch.itemDefault; });
    return fields;
}

}  // namespace

std::string BatchRecord::DefaultsQuery(const std::string& invCode, const std::string& sAuthInvW,
                                       const std::string& endDateFilter) {
    std::string columns;
    for (const CorrespondenceField* field : ItemDefaults()) {
        if (!columns.empty()) {
            columns += ',';
        }
        columns += field->column;
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

CorrespondenceRow BatchRecord::RowOf(const std::string& whCode, const std::string& invCode,
                                     const zel::IRecordset* defaults) {
    CorrespondenceRow row;
    row.Set(Field("cWhCode"), whCode);
    row.Set(Field("cInvCode"), invCode);
    const bool read = defaults && !defaults->Eof();
    for (const CorrespondenceField* field : ItemDefaults()) {
        row.Set(*field, read ? NullToStr(defaults->Fields(field->column)) : std::string());
    }
    return row;
}

}  // namespace korvel
