#include "host/objects/qt_translation.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDate>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTranslator>

namespace zel {
namespace {

const QLocale kChinese(QLocale::Chinese, QLocale::China);

QString QtFolder() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

TEST(QtTextsLocale, ChineseOnAnEnglishOrUnsetDesktop) {
    for (const QLocale& desktop : {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
                                   QLocale(QLocale::English, QLocale::UnitedKingdom)}) {
        EXPECT_EQ(QtTextsLocale(desktop, QtFolder()), kChinese) << desktop.name().toStdString();
    }
}

TEST(QtTextsLocale, TheDesktopsLanguageWhenQtHasTextsInIt) {
    for (const QLocale& desktop : {QLocale(QLocale::German, QLocale::Germany),
                                   QLocale(QLocale::Chinese, QLocale::Taiwan), kChinese}) {
        EXPECT_EQ(QtTextsLocale(desktop, QtFolder()), desktop) << desktop.name().toStdString();
    }
}

TEST(QtTextsLocale, ChineseWhenQtHasNoTextsInTheDesktopsLanguage) {
    const QLocale german(QLocale::German, QLocale::Germany);
    QTemporaryDir empty;
    EXPECT_EQ(QtTextsLocale(german, empty.path()), kChinese);
    EXPECT_EQ(QtTextsLocale(QLocale(QLocale::Greek, QLocale::Greece), QtFolder()), kChinese);
}

// The words of a message box's buttons, as QMessageBox asks for them.
QString YesButton(const QTranslator& translator) {
    return translator.translate("QPlatformTheme", "&Yes");
}

TEST(QtTranslation, MessageBoxButtonsSpeakChineseOnAnEnglishDesktop) {
    const auto translator = QtTranslation(QLocale(QLocale::English, QLocale::UnitedStates));
    ASSERT_NE(translator, nullptr) << "Qt's translations are not installed";
    EXPECT_EQ(translator->language(), "zh_CN");
    EXPECT_TRUE(YesButton(*translator).contains(QString::fromUtf8("是")))
        << YesButton(*translator).toStdString();
}

TEST(QtTranslation, MessageBoxButtonsFollowAnotherDesktopLanguage) {
    const auto translator = QtTranslation(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_NE(translator, nullptr) << "Qt's translations are not installed";
    EXPECT_EQ(YesButton(*translator), "&Ja");
}

// A dialog formats its dates with the default locale: it must be the language of the texts.
TEST(InstallQtTranslation, SetsTheDefaultLocaleToTheLanguageOfTheTexts) {
    const QLocale before;
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    InstallQtTranslation(application);
    const QLocale expected = QtTextsLocale(QLocale::system(), QtFolder());
    EXPECT_EQ(QLocale().name().toStdString(), expected.name().toStdString());
    EXPECT_EQ(QLocale().toString(QDate(2026, 12, 9), QLocale::ShortFormat).toStdString(),
              expected.toString(QDate(2026, 12, 9), QLocale::ShortFormat).toStdString());
    QLocale::setDefault(before);
}

}  // namespace
}  // namespace zel
