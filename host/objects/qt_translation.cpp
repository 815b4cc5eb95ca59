#include "host/objects/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace zel {
namespace {

constexpr const char* kQtTexts = "qtbase";

}  // namespace

QLocale QtTextsLocale(const QLocale& desktop, const QString& folder) {
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    // Qt's texts are English already: an English (or unset) desktop asks for nothing, and
    // Chinese buttons match the windows they sit in.
    if (desktop.language() == QLocale::C || desktop.language() == QLocale::English) {
        return chinese;
    }
    QTranslator probe;
    return probe.load(desktop, kQtTexts, "_", folder) ? desktop : chinese;
}

std::unique_ptr<QTranslator> QtTranslation(const QLocale& desktop) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QtTextsLocale(desktop, folder), kQtTexts, "_", folder)) {
        return nullptr;
    }
    return translator;
}

void InstallQtTranslation(QCoreApplication& application) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QLocale texts = QtTextsLocale(QLocale::system(), folder);
    // Dates, month names and the file dialog's own words follow the default locale, not the
    // translation: without it a Chinese window would show "9 Dec" beside Chinese buttons.
    QLocale::setDefault(texts);
    if (auto translator = QtTranslation(QLocale::system())) {
        translator->setParent(&application);
        QCoreApplication::installTranslator(translator.release());
    }
}

}  // namespace zel
