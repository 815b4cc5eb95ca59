#include "mainwindow/grid_filler.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "component/support/main_window_fixture.h"
#include "host/controls/mouse_pointer.h"
#include "interfaces/pub.h"

namespace korvel::test {
namespace {

constexpr long kNever = -1;

// A result read as the caller moves, the way a lazily read query result behaves: it tells its
// count only once `countKnownAfter` rows have been read, and that count may differ from its rows
// (a row deleted or added by another connection between the count and the read).
class ScriptedRecordset final : public zel::IRecordset {
public:
    ScriptedRecordset(int rows, long countKnownAfter, long count)
        : readRows(rows > 0 ? 1 : 0),
          rows_(rows),
          countKnownAfter_(countKnownAfter),
          count_(count) {}

    bool Bof() const override { return position_ == 0; }
    bool Eof() const override { return !open_ || position_ >= rows_; }
    void MoveFirst() override { position_ = 0; }
    void MoveNext() override {
        ++position_;
        if (position_ == failAt) {
            open_ = false;
        }
        readRows = std::max(readRows, std::min(position_ + 1, rows_));
    }
    long RecordCount() const override { return rows_; }
    long KnownRecordCount() const override {
        if (countKnownAfter_ == kNever || readRows < countKnownAfter_) {
            return readRows == rows_ && Eof() ? rows_ : -1;
        }
        return count_;
    }
    bool IsOpen() const override { return open_; }
    void Close() override { open_ = false; }

    int FieldCount() const override { return 2; }
    std::string FieldName(int index) const override { return index == 0 ? "cInvCode" : "iDays"; }
    int FieldIndex(std::string_view) const override { return -1; }
    int FieldDefinedSize(int) const override { return 0; }
    std::string FieldSource(int) const override { return {}; }
    std::optional<zel::Variant> Fields(int index) const override {
        if (Eof()) {
            return std::nullopt;
        }
        return index == 0 ? zel::Variant("A" + std::to_string(position_ + 1)) : zel::Variant(7);
    }
    std::optional<zel::Variant> Fields(std::string_view) const override { return std::nullopt; }
    bool SetFilter(std::string_view) override { return false; }

    // The rows the caller has moved onto so far.
    int readRows;
    // The move onto this row fails: the result closes as a broken read does.
    int failAt = -1;

private:
    int rows_;
    long countKnownAfter_;
    long count_;
    int position_ = 0;
    bool open_ = true;
};

// The grid as the window's first pause for events shows it.
struct FirstScreen {
    int gridRows = 0;
    int rowsRead = 0;
    std::string count;
    std::string lastShownSerial;
    bool redraw = false;
};

class GridFillerTest : public MainWindowTest {
protected:
    GridFillerTest() {
        BindContext();
        quantityStyle = context.quantity.Element();
    }

    GridFiller::Target Target() {
        return {grid, *context.login.pub, quantityStyle, context.catalogue,
                [this](const std::string& text) { shownCount = text; }};
    }

    std::string CountText(long count) {
        std::vector<std::string> values{std::to_string(count)};
        return context.login.pub->GetResFormatString("Zel.AA.ARCHIVE.COMMON.rstcount", values);
    }

    // Fills the grid, noting how the first pause for events found it; `duringFirstPause` runs
    // in that pause.
    GridFiller::Outcome Fill(ScriptedRecordset& rows, std::function<void()> duringFirstPause = {}) {
        pauses = 0;
        filler = std::make_unique<GridFiller>([this, &rows, duringFirstPause] {
            if (++pauses > 1) {
                return;
            }
            first = {grid.Rows(), rows.readRows, shownCount, grid.TextMatrix(grid.Rows() - 1, 0),
                     grid.Redraw()};
            if (duringFirstPause) {
                duringFirstPause();
            }
        });
        return filler->Fill(rows, Target());
    }

    zel::FlexGrid grid;
    pugi::xml_node quantityStyle;
    std::unique_ptr<GridFiller> filler;
    std::string shownCount = "the previous warehouse's count";
    FirstScreen first;
    int pauses = 0;
};

struct CountCase {
    const char* name;
    int rows;
    long countKnownAfter;  // rows read before the result tells its count
    long count;            // what it tells
    int firstScreenGridRows;
    long firstScreenCount;  // -1: no count shown yet
};

TEST_F(GridFillerTest, TheFirstScreenShowsBeforeTheCountAndTheEndShowsTheRowsRead) {
    const CountCase cases[] = {
        {"known from the start", 450, 0, 450, 451, 450},
        {"known by the first pause", 450, 150, 450, 451, 450},
        {"known only at the end", 450, kNever, 0, 201, -1},
        {"a row deleted between the count and the read", 450, 0, 451, 452, 451},
        {"a row added between the count and the read", 450, 100, 449, 450, 449},
        {"a deleted row empties a counted result", 0, 0, 1, 0, 1},
    };
    for (const CountCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedRecordset rows(c.rows, c.countKnownAfter, c.count);
        ASSERT_EQ(Fill(rows), GridFiller::Outcome::kCompleted);
        if (c.rows >= GridFiller::kRowsPerPump) {
            EXPECT_EQ(first.rowsRead, GridFiller::kRowsPerPump)
                << "the first screen waits for no more";
            EXPECT_EQ(first.gridRows, c.firstScreenGridRows);
            EXPECT_EQ(first.count, c.firstScreenCount < 0 ? "" : CountText(c.firstScreenCount));
            EXPECT_TRUE(first.redraw);
            EXPECT_EQ(grid.TextMatrix(200, 0), "200");
        }
        EXPECT_EQ(grid.Rows(), c.rows + 1);
        EXPECT_EQ(shownCount, CountText(c.rows));
        EXPECT_EQ(pauses, c.rows / GridFiller::kRowsPerPump);
        for (int row = 1; row <= c.rows; ++row) {
            ASSERT_EQ(grid.TextMatrix(row, 0), std::to_string(row));
            ASSERT_EQ(grid.TextMatrix(row, 1), "A" + std::to_string(row));
        }
        EXPECT_EQ(grid.Row(), c.rows > 0 ? 1 : 0);
        EXPECT_TRUE(grid.Redraw());
        EXPECT_EQ(grid.MousePointer(), zel::kPointerDefault);
        EXPECT_TRUE(filler->bFillDone());
    }
}

TEST_F(GridFillerTest, AnEmptyResultOfUnknownSizeShowsTheHeaderAndTheCountZero) {
    grid.SetRows(5);
    ScriptedRecordset rows(0, kNever, 0);
    EXPECT_EQ(Fill(rows), GridFiller::Outcome::kCompleted);
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(shownCount, CountText(0));
    EXPECT_TRUE(grid.Redraw());
}

TEST_F(GridFillerTest, AReadThatBreaksAfterTheCountFailsTheFill) {
    for (const int failAt : {120, 330}) {
        SCOPED_TRACE(failAt);
        ScriptedRecordset rows(450, 0, 450);
        rows.failAt = failAt;
        EXPECT_EQ(Fill(rows), GridFiller::Outcome::kFailed);
        EXPECT_FALSE(filler->bFillDone());
        EXPECT_TRUE(grid.Redraw());
        EXPECT_EQ(grid.MousePointer(), zel::kPointerDefault);
    }
}

TEST_F(GridFillerTest, AFillStartedWhileTheFirstScreenIsShownTakesTheGrid) {
    ScriptedRecordset outer(450, kNever, 0);
    ScriptedRecordset inner(3, 0, 3);
    GridFiller::Outcome innerOutcome = GridFiller::Outcome::kFailed;
    const GridFiller::Outcome outerOutcome = Fill(outer, [&] {
        filler->Supersede();
        innerOutcome = filler->Fill(inner, Target());
    });
    EXPECT_EQ(innerOutcome, GridFiller::Outcome::kCompleted);
    EXPECT_EQ(outerOutcome, GridFiller::Outcome::kInterrupted);
    EXPECT_EQ(outer.readRows, GridFiller::kRowsPerPump) << "the outer fill reads no further";
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.TextMatrix(3, 1), "A3");
    EXPECT_EQ(shownCount, CountText(3));
    EXPECT_TRUE(filler->bFillDone());
    EXPECT_TRUE(grid.Redraw());
    EXPECT_EQ(grid.MousePointer(), zel::kPointerDefault);
}

}  // namespace
}  // namespace korvel::test
