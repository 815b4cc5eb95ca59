#include "host/pub/grid_row_sorter.h"

#include <array>
#include <charconv>

#include "host/controls/field_kind.h"
#include "host/controls/flex_grid.h"

namespace zel {
namespace {

constexpr int kSerialCol = 0;

// A column the host never formatted has no field name; its texts say what they are.
CellKind KindOfColumn(const FlexGrid& grid, int col) {
    if (col == kSerialCol) {
        return CellKind::kNumber;
    }
    const std::string& name = grid.ColField(col).name;
    if (name.empty()) {
        return CellKind::kGuessed;
    }
    switch (KindOfField(name)) {
        case FieldKind::kNumber:
            return CellKind::kNumber;
        case FieldKind::kDate:
            return CellKind::kDate;
        case FieldKind::kText:
            break;
    }
    return CellKind::kText;
}

}  // namespace

bool GridRowSorter::Sort(int col, Qt::SortOrder order) {
    if (!grid_.Sort(col, order, KindOfColumn(grid_, col))) {
        return false;
    }
    // A formatted serial column has no field; a grid whose first column shows a field keeps it.
    if (grid_.ColField(kSerialCol).name.empty()) {
        RenumberSerials();
    }
    return true;
}

// One announcement for all rows.
void GridRowSorter::RenumberSerials() {
    FlexGridModel& model = grid_.Model();
    const bool wasDeferred = model.DeferUpdates();
    model.SetDeferUpdates(true);
    std::array<char, 16> digits{};
    for (int row = grid_.FixedRows(); row < grid_.Rows(); ++row) {
        const int serial = row - grid_.FixedRows() + 1;
        const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), serial).ptr;
        model.SetText(
            row, kSerialCol,
            std::string_view(digits.data(), static_cast<std::size_t>(end - digits.data())));
    }
    model.SetDeferUpdates(wasDeferred);
}

}  // namespace zel
