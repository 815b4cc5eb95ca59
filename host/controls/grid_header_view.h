#pragma once

#include <QHeaderView>

namespace zel {

// The column header of a FlexGrid. A caption may take two lines, so that a column of short codes
// under a long caption ("主计量单位编码") need be only as wide as half its caption, and a grid of
// many such columns fits a window.
class GridHeaderView final : public QHeaderView {
    Q_OBJECT

public:
    explicit GridHeaderView(QWidget* parent = nullptr);

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override;
};

}  // namespace zel
