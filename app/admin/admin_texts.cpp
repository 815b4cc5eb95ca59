#include "app/admin/admin_texts.h"

#include <QFile>

namespace zel {

const ResourceTexts& AdminTexts() {
    static const ResourceTexts texts = [] {
        QFile file(":/admin/admin_texts.tsv");
        return ResourceTexts(file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "");
    }();
    return texts;
}

}  // namespace zel
