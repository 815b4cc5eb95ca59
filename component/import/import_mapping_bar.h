#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "core/correspondence_field.h"
#include "core/field_catalogue.h"
#include "import/import_column_mapping.h"
#include "interfaces/pub.h"

class QComboBox;

namespace korvel {

// The columns of an imported file side by side, each its header cell over a choice of the field
// it holds or none; the user corrects a mapping here column by column.
class ImportMappingBar final : public QWidget {
    Q_OBJECT

public:
    ImportMappingBar(zel::IPub& pub, const FieldCatalogue& catalogue, QWidget* parent = nullptr);

    // One choice a header cell, each showing the mapping's field of its column.
    void Show(const std::vector<std::string>& header, const ImportColumnMapping& mapping);
    ImportColumnMapping Mapping() const;
    // The choice of a column, counted from 0.
    QComboBox& FieldChoice(std::size_t column) { return *choices_.at(column); }
    std::size_t ColumnCount() const { return choices_.size(); }

signals:
    // The user chose another field for a column.
    void MappingChanged();

private:
    // What a choice offers after "ignore": the keys, then the fields an import writes.
    std::vector<const CorrespondenceField*> fields_;
    std::vector<std::string> captions_;
    std::string ignored_;
    std::vector<QComboBox*> choices_;
    QWidget* columns_ = nullptr;
};

}  // namespace korvel
