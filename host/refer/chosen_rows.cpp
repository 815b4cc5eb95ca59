#include "host/refer/chosen_rows.h"

namespace zel {

std::shared_ptr<HeldRowsRecordset> ChosenRows(const RecordsetCursor& source,
                                              const std::vector<int>& rows) {
    const IRecordset& items = source.Recordset();
    std::vector<HeldRowsRecordset::Column> columns;
    for (int column = 0; column < items.FieldCount(); ++column) {
        columns.push_back({items.FieldName(column), items.FieldDefinedSize(column),
                           items.FieldSource(column), ""});
    }
    std::vector<std::vector<Variant>> values;
    for (const int row : rows) {
        std::vector<Variant>& copied = values.emplace_back();
        for (int column = 0; column < items.FieldCount(); ++column) {
            copied.push_back(source.Value(row, column));
        }
    }
    return std::make_shared<HeldRowsRecordset>(std::move(columns), std::move(values));
}

}  // namespace zel
