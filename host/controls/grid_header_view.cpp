#include "host/controls/grid_header_view.h"

#include <QFontMetrics>
#include <algorithm>

namespace zel {
namespace {

constexpr int kLines = 2;
constexpr int kRoomy = 1 << 20;

// The box the text takes laid out in that width; a line of Chinese text may stand taller than
// the font's own line, as its characters come from a fallback font.
QRect TextBox(const QFontMetrics& metrics, const QString& text, int width) {
    return metrics.boundingRect(QRect(0, 0, width, kRoomy), Qt::TextWordWrap, text);
}

// The narrowest width at which the text takes at most two lines, breaking where the text may
// break (between Chinese characters, at blanks between words).
int WrappedWidth(const QFontMetrics& metrics, const QString& text, int lineHeight) {
    const int oneLine = metrics.horizontalAdvance(text);
    int tooNarrow = oneLine / kLines - 1;
    int wideEnough = oneLine;
    while (wideEnough - tooNarrow > 1) {
        const int width = (tooNarrow + wideEnough) / 2;
        const QRect box = TextBox(metrics, text, width);
        if (box.width() <= width && box.height() <= kLines * lineHeight) {
            wideEnough = width;
        } else {
            tooNarrow = width;
        }
    }
    return wideEnough;
}

}  // namespace

GridHeaderView::GridHeaderView(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setDefaultAlignment(
        Qt::Alignment::fromInt(Qt::AlignCenter | static_cast<int>(Qt::TextWordWrap)));
    // Cut to one line, a caption would never wrap.
    setTextElideMode(Qt::ElideNone);
}

QSize GridHeaderView::sectionSizeFromContents(int logicalIndex) const {
    QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
    if (model() == nullptr) {
        return size;
    }
    const QString text = model()->headerData(logicalIndex, orientation()).toString();
    const QFontMetrics metrics = fontMetrics();
    const int lineHeight = std::max(TextBox(metrics, text, kRoomy).height(), metrics.height());
    size.rwidth() -= metrics.horizontalAdvance(text) - WrappedWidth(metrics, text, lineHeight);
    size.rheight() += (kLines - 1) * lineHeight;
    return size;
}

}  // namespace zel
