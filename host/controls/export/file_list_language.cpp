#include "host/controls/export/file_list_language.h"

#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

#include "host/objects/resource_texts.h"

namespace zel {
namespace {

// The columns of the dialog's file model.
constexpr int kKindColumn = 2;
constexpr int kDateColumn = 3;

class LocaleDates final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files != nullptr && role == Qt::DisplayRole && index.column() == kDateColumn) {
            return QLocale().toString(files->lastModified(mapToSource(index)),
                                      QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(index, role);
    }
};

class KindTexts final : public QFileIconProvider {
public:
    QString type(const QFileInfo& info) const override {
        if (info.isDir()) {
            return ResourceQString("Zel.HOST.EXPORT.folder");
        }
        const QString suffix = info.suffix();
        return suffix.isEmpty()
                   ? ResourceQString("Zel.HOST.EXPORT.file")
                   : ResourceQString("Zel.HOST.EXPORT.suffix_file", {suffix.toStdString()});
    }
};

}  // namespace

void SpeakApplicationLanguage(QFileDialog& dialog) {
    // The dialog keeps a pointer to the provider and never owns it; it holds no state.
    static KindTexts kinds;
    dialog.setIconProvider(&kinds);
    dialog.setProxyModel(new LocaleDates(&dialog));
}

}  // namespace zel
