#pragma once

#include <QFont>

namespace zel {

// The fonts of a printed list. Sizes are in pixels of the page's point grid, so that the page
// painter draws the same text on the screen, on paper and into a PDF whatever the device's
// resolution.
struct PrintFonts {
    QFont cell;
    QFont header;
    QFont title;

    static PrintFonts OfSize(int points);
};

}  // namespace zel
