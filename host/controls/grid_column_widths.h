#pragma once

#include <QObject>
#include <map>
#include <set>

namespace zel {

class GridTableView;

// The widths of a grid view's columns. The program either sets a column's width or lets the
// column follow its contents: then the column is sized to its header and a sample of its first
// rows whenever newly written rows are shown, within a limit, so that a two-letter code gets a
// narrow column and a name a wide one, and a fill of 100,000 rows measures no more than the
// sample. A column the user sized by hand keeps the user's width from then on.
class GridColumnWidths final : public QObject {
public:
    GridColumnWidths(GridTableView& view, int sampleRows);

    void SetWidth(int col, int pixels);
    void FollowContents(int col, int maxPixels);
    bool SizedByUser(int col) const { return userSized_.contains(col); }
    // See FlexGrid::SetSpreadSpareWidth.
    void SetSpread(bool spread);

    // New rows are being written: the columns that follow their contents are fitted to them
    // when they are first shown.
    void ExpectRows() { rowsExpected_ = true; }
    void RowsShown();
    // Fits every column the user has not sized, without a limit.
    void FitAll();
    // Columns from col on are gone.
    void ForgetFrom(int col);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fit(int col, int maxPixels);
    void NoteResized(int col);
    // Sets a width without taking it for the user's.
    void Apply(int col, int pixels);
    // Gives the view's spare width to the sharing columns, or takes it back (SetSpread).
    void Spread();

    GridTableView& view_;
    std::map<int, int> limits_;  // column → widest fit, in pixels
    std::map<int, int> own_;     // column → the width the program gave it, before any spare
    std::set<int> userSized_;
    bool rowsExpected_ = false;
    bool settingWidth_ = false;
    bool spread_ = false;
};

}  // namespace zel
