#include "import/stored_correspondence_rows.h"

#include "core/correspondence_fields.h"
#include "core/text_escaping.h"
#include "import/exact_number.h"
#include "import/import_column_mapping.h"
#include "import/import_query.h"

namespace korvel {
namespace {

std::string StoredRowsQuery(const std::string& warehouseCode) {
    std::string sql = "select cInvCode";
    for (const CorrespondenceField* field : ImportedFields()) {
        sql += ", " + std::string(field->column);
    }
    return sql + " from WhInvContrapose where cWhCode=" + SqlQuoted(warehouseCode);
}

// Numbers come back as the engine holds them (a real, a whole number or numeric text) and are
// compared with the file's in one exact form.
std::string StoredText(const CorrespondenceField& field, std::string text) {
    if (!HoldsNumber(field) || text.empty()) {
        return text;
    }
    return ExactNumber(text).value_or(std::move(text));
}

}  // namespace

bool StoredCorrespondenceRows::ReadWarehouse(const std::string& warehouseCode,
                                             std::string& failure) {
    const std::string key = CodeKey(warehouseCode);
    if (warehouses_.contains(key)) {
        return true;
    }
    Rows rows;
    const FieldList& fields = ImportedFields();
    const bool read = StreamRows(
        login_, StoredRowsQuery(warehouseCode),
        [&](const zel::IRecordset& stored) {
            Values values;
            values.reserve(fields.size());
            for (std::size_t at = 0; at < fields.size(); ++at) {
                values.push_back(
                    StoredText(*fields[at], FieldText(stored, static_cast<int>(at) + 1)));
            }
            rows.emplace(CodeKey(FieldText(stored, 0)), std::move(values));
        },
        failure);
    if (read) {
        warehouses_.emplace(key, std::move(rows));
    }
    return read;
}

const StoredCorrespondenceRows::Values* StoredCorrespondenceRows::Find(
    std::string_view warehouseCode, std::string_view inventoryCode) const {
    const auto warehouse = warehouses_.find(CodeKey(warehouseCode));
    if (warehouse == warehouses_.end()) {
        return nullptr;
    }
    const auto row = warehouse->second.find(CodeKey(inventoryCode));
    return row == warehouse->second.end() ? nullptr : &row->second;
}

}  // namespace korvel
