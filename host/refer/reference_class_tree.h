#pragma once

#include <QTreeWidget>
#include <string>

#include "interfaces/recordset.h"

namespace zel {

// The inventory classes beside the items: "全部" at the top, each class under the class whose
// code begins its own. The current entry names the class the items are narrowed to.
class ReferenceClassTree final : public QTreeWidget {
    Q_OBJECT

public:
    // classes: rows with cInvCCode and cInvCName.
    explicit ReferenceClassTree(IRecordset& classes, QWidget* parent = nullptr);

    // The code of the current class; empty for "全部" or no current entry.
    std::string CurrentCode() const;
};

}  // namespace zel
