#pragma once

#include <string>
#include <vector>

namespace zel {

// What the locate dialog searches: columns by caption, and a current row it moves.
class LocateTarget {
public:
    virtual ~LocateTarget() = default;

    virtual std::vector<std::string> Captions() const = 0;
    // The column offered first; -1 for none in particular.
    virtual int CurrentColumn() const = 0;
    // Moves to the next row after the current one, wrapping round, whose text in the column
    // contains the text (ASCII letters in either case); false, nothing moved, when none does.
    virtual bool MoveToNext(int column, const std::string& text) = 0;
};

}  // namespace zel
