#include "mainwindow/grid_filler.h"

#include <algorithm>
#include <vector>

#include "core/correspondence_fields.h"
#include "core/hourglass.h"

namespace korvel {
namespace {

class DepthGuard {
public:
    explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    int& depth_;
};

// A fill draws its rows with the grid's painting off between the event pumps; the grid paints
// again however the fill ends.
class RedrawOnExit {
public:
    explicit RedrawOnExit(zel::FlexGrid& grid) : grid_(grid) {}
    ~RedrawOnExit() { grid_.SetRedraw(true); }
    RedrawOnExit(const RedrawOnExit&) = delete;
    RedrawOnExit& operator=(const RedrawOnExit&) = delete;

private:
    zel::FlexGrid& grid_;
};

std::vector<std::string> FieldNames(const zel::IRecordset& recordset) {
    std::vector<std::string> names;
    for (int field = 0; field < recordset.FieldCount(); ++field) {
        names.push_back(recordset.FieldName(field));
    }
    return names;
}

// By name: the recordset handed to the fill decides which column holds the unit.
bool ShowsCycleUnit(std::string_view fieldName) {
    const CorrespondenceField* field = FieldNamed(fieldName);
    return field && field->grid.display == DisplayConversion::kCycleUnit;
}

}  // namespace

GridFiller::Outcome GridFiller::Fill(zel::IRecordset& recordset, const Target& target) {
    const DepthGuard depth(depth_);
    const int serial = ++started_;
    fillDone_ = false;
    const Hourglass hourglass(target.grid);
    const RedrawOnExit redraw(target.grid);
    try {
        return FillRows(recordset, target, serial);
    } catch (...) {
        return Outcome::kFailed;
    }
}

GridFiller::Outcome GridFiller::FillRows(zel::IRecordset& recordset, const Target& target,
                                         int serial) {
    zel::FlexGrid& grid = target.grid;
    const long countAtStart = recordset.KnownRecordCount();
    long shownCount = countAtStart;
    if (countAtStart >= 0) {
        ShowCount(target, countAtStart);
        grid.SetRows(static_cast<int>(countAtStart) + 1);
    } else {
        // Another warehouse's count must not stand beside these rows.
        target.showCount({});
        grid.SetRows(1);
    }
    if (countAtStart == 0) {
        fillDone_ = true;
        return Outcome::kCompleted;
    }
    grid.SetRedraw(false);
    grid.SetFixedRows(1);
    const std::vector<std::string> names = FieldNames(recordset);
    int rows = 0;
    for (recordset.MoveFirst(); !recordset.Eof(); recordset.MoveNext()) {
        ++rows;
        if (rows >= grid.Rows()) {
            // Each growth repaints the rows in sight, so the batches double.
            grid.GrowRows(rows + std::max(rows, kRowsPerPump));
        }
        WriteRow(recordset, target, names, rows);
        if (rows % kRowsPerPump != 0) {
            continue;
        }
        if (shownCount < 0 && (shownCount = recordset.KnownRecordCount()) >= 0) {
            ShowCount(target, shownCount);
            // Only adds rows: the cursor and the user's scrolling stay where they are.
            grid.GrowRows(static_cast<int>(shownCount) + 1);
        }
        if (!PumpEvents(grid, serial)) {
            return Outcome::kInterrupted;
        }
    }
    if (!recordset.IsOpen()) {
        return Outcome::kFailed;
    }
    // Rows grown while reading keep room for more; a row may also have come or gone between
    // the count and the read.
    if (countAtStart < 0 || grid.Rows() != rows + 1) {
        grid.SetRows(rows + 1);
    }
    if (shownCount != rows) {
        ShowCount(target, rows);
    }
    if (rows > 0) {
        RepairGrid(recordset, rows, target);
        grid.SetCol(1);
        grid.SetRow(1);
    }
    fillDone_ = true;
    return Outcome::kCompleted;
}

void GridFiller::WriteRow(zel::IRecordset& recordset, const Target& target,
                          const std::vector<std::string>& names, int row) {
    rowTexts_.resize(names.size() + 1);
    rowTexts_[0] = std::to_string(row);
    for (std::size_t field = 0; field < names.size(); ++field) {
        const zel::Variant value =
            recordset.Fields(static_cast<int>(field)).value_or(zel::Variant{});
        rowTexts_[field + 1] = target.pub.FormatGridTxt(value, names[field], target.quantityStyle);
    }
    target.grid.SetRowTexts(row, rowTexts_);
}

void GridFiller::ShowCount(const Target& target, long count) {
    std::vector<std::string> values{std::to_string(count)};
    target.showCount(target.pub.GetResFormatString("Zel.AA.ARCHIVE.COMMON.rstcount", values));
}

bool GridFiller::PumpEvents(zel::FlexGrid& grid, int serial) {
    grid.SetRedraw(true);
    pumpEvents_();
    if (started_ != serial) {
        return false;
    }
    grid.SetRedraw(false);
    return true;
}

void GridFiller::RepairGrid(zel::IRecordset& recordset, int rows, const Target& target) {
    for (int field = 0; field < recordset.FieldCount(); ++field) {
        if (!ShowsCycleUnit(recordset.FieldName(field))) {
            continue;
        }
        const int col = field + 1;
        for (int row = 1; row <= rows; ++row) {
            target.grid.SetTextMatrix(
                row, col,
                target.pub.GetDispTxt(target.grid.TextMatrix(row, col),
                                      target.catalogue.arrFreqValue, target.catalogue.arrFreqText));
        }
    }
}

}  // namespace korvel
