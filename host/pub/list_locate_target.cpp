#include "host/pub/list_locate_target.h"

#include "host/controls/ys_list_view.h"

namespace zel {

std::vector<std::string> ListLocateTarget::Captions() const {
    std::vector<std::string> captions;
    for (int index = 1; index <= list_.ColumnHeaderCount(); ++index) {
        captions.push_back(list_.ColumnHeaderText(index));
    }
    return captions;
}

bool ListLocateTarget::MoveToNext(int column, const std::string& text) {
    const ListItemsModel& model = list_.Model();
    const int count = model.Count();
    if (text.empty() || count == 0 || column < 0) {
        return false;
    }
    const QString wanted = QString::fromStdString(text);
    const int start = list_.SelectedIndex();  // from 1; 0 starts at the first item
    for (int step = 0; step < count; ++step) {
        const int row = (start + step) % count;
        const std::string_view cell = model.Rows().Text(row, column);
        if (QString::fromUtf8(cell.data(), static_cast<qsizetype>(cell.size()))
                .contains(wanted, Qt::CaseInsensitive)) {
            list_.SelectItem(row + 1);
            return true;
        }
    }
    return false;
}

}  // namespace zel
