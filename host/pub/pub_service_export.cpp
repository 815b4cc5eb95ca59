#include "host/controls/export/export_columns.h"
#include "host/pub/export_grid_columns.h"
#include "host/pub/pub_service.h"

namespace zel {

void PubService::GetTypeSize(std::string& types, std::string& sizes,
                             const std::shared_ptr<IRecordset>& recordset, FlexGrid& grid) {
    const std::vector<ExportColumn> columns = GridExportColumns(grid, recordset.get());
    types = ExportTypesText(columns);
    sizes = ExportSizesText(columns);
}

}  // namespace zel
