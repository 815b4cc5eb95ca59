#pragma once

#include <QLocale>
#include <QString>
#include <memory>

class QCoreApplication;
class QTranslator;

namespace zel {

// The language of Qt's own texts (message box buttons, an edit box's context menu). The host's
// windows speak Chinese whatever the desktop, so Chinese, unless the desktop asks for another
// language than English that Qt has texts in (in folder).
QLocale QtTextsLocale(const QLocale& desktop, const QString& folder);

// Qt's own texts for a desktop from Qt's translation folder; nullptr when they are not installed.
std::unique_ptr<QTranslator> QtTranslation(const QLocale& desktop);

// Makes Qt's own texts and the default locale (dates, month and day names) follow QtTextsLocale
// for this desktop, for the life of the application.
void InstallQtTranslation(QCoreApplication& application);

}  // namespace zel
