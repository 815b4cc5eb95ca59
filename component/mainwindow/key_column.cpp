#include "mainwindow/key_column.h"

#include <QString>

namespace korvel {

// Captions are the user's own texts, not only ASCII: compared as Unicode.
std::optional<int> KeyColumn(const zel::FlexGrid& grid, std::string_view caption) {
    const QString wanted =
        QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
    for (int col = 0; col < grid.Cols(); ++col) {
        if (QString::fromStdString(grid.TextMatrix(0, col)).compare(wanted, Qt::CaseInsensitive) ==
            0) {
            return col;
        }
    }
    return std::nullopt;
}

}  // namespace korvel
