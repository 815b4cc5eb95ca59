#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/field_catalogue.h"
#include "host/controls/flex_grid.h"
#include "interfaces/pub.h"
#include "interfaces/recordset.h"

namespace korvel {

// Writes a recordset into the grid, one row per record under a serial number, letting pending
// events run every kRowsPerPump rows so the window stays responsive on long lists. Those events
// may start another fill (a tree click, a refresh): the fill running outside it then stops at
// once and leaves the grid to the newer one, whatever way the newer one ended.
//
// Rows are written as they are read, so the first screen shows after kRowsPerPump rows however
// long the result is. The count is shown, and the grid sized to it, as soon as the result knows
// it (KnownRecordCount); until then the grid grows in ever larger batches. At the end the count
// shown and the grid's rows are the rows read, whatever count the result told before. A result
// that is closed when its rows end (IsOpen false) failed while it was read: the fill fails
// rather than show a short list as whole.
class GridFiller {
public:
    static constexpr int kRowsPerPump = 200;

    enum class Outcome { kCompleted, kInterrupted, kFailed };

    struct Target {
        zel::FlexGrid& grid;
        zel::IPub& pub;
        // The quantity style the host formats numbers with; it may hand back another one.
        pugi::xml_node& quantityStyle;
        FieldCatalogue& catalogue;
        // Receives the row-count text; an empty one while the count is not known yet.
        std::function<void(const std::string&)> showCount;
    };

    explicit GridFiller(std::function<void()> pumpEvents) : pumpEvents_(std::move(pumpEvents)) {}

    Outcome Fill(zel::IRecordset& recordset, const Target& target);
    // A newer refresh has begun, whether or not it gets as far as a fill of its own: the fill
    // running outside it stops.
    void Supersede() { ++started_; }
    bool Filling() const { return depth_ > 0; }
    // True after a fill has run to its end; false while one runs.
    bool bFillDone() const { return fillDone_; }

private:
    Outcome FillRows(zel::IRecordset& recordset, const Target& target, int serial);
    void WriteRow(zel::IRecordset& recordset, const Target& target,
                  const std::vector<std::string>& names, int row);
    static void ShowCount(const Target& target, long count);
    // False when a newer fill started while the events ran.
    bool PumpEvents(zel::FlexGrid& grid, int serial);
    static void RepairGrid(zel::IRecordset& recordset, int rows, const Target& target);

    std::function<void()> pumpEvents_;
    int started_ = 0;
    int depth_ = 0;
    bool fillDone_ = false;
    // The texts of the row being written, kept from row to row.
    std::vector<std::string> rowTexts_;
};

}  // namespace korvel
