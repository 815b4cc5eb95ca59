#include "host/controls/print/print_fonts.h"

#include <cmath>

namespace zel {
namespace {

constexpr double kTitleGrowth = 1.6;

}  // namespace

PrintFonts PrintFonts::OfSize(int points) {
    PrintFonts fonts;
    fonts.cell.setPixelSize(points);
    fonts.header = fonts.cell;
    fonts.header.setBold(true);
    fonts.title = fonts.header;
    fonts.title.setPixelSize(static_cast<int>(std::lround(points * kTitleGrowth)));
    return fonts;
}

}  // namespace zel
