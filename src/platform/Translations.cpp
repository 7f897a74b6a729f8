// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "platform/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace quenlow {

namespace {
QLocale::Language g_windowsLanguage = QLocale::English;
} // namespace

QLocale::Language windowsLanguage()
{
    return g_windowsLanguage;
}

QString windowsLanguageTag()
{
    return QLocale::languageToCode(g_windowsLanguage, QLocale::ISO639Part1);
}

void setWindowsLanguage(QLocale::Language language)
{
    g_windowsLanguage = language;
}

QStringList translationFolders()
{
    const QString here = QCoreApplication::applicationDirPath();
    return { here + QStringLiteral("/translations"),
        QDir::cleanPath(here + QStringLiteral("/../share/quenlow/translations")) };
}

QStringList installTranslations(const QLocale& locale)
{
    QStringList loaded;
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
        return loaded;
    // Owned by the application: they live as long as the texts they translate.
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    for (const QString& folder : translationFolders()) {
        auto* own = new QTranslator(QCoreApplication::instance());
        if (own->load(locale, QStringLiteral("quenlow"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(own);
            loaded.append(own->language());
            setWindowsLanguage(QLocale(own->language()).language());
            break;
        }
        delete own;
    }
    return loaded;
}

} // namespace quenlow
