// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

namespace quenlow {

/// Where the program's compiled catalogues are looked for, first match wins:
/// beside the executable (a build) and the installed share folder.
QStringList translationFolders();

/// Loads Qt's own catalogue and the program's for `locale` into the running
/// application, before the first window. English needs none; a language
/// without a catalogue leaves the texts in English. Returns the languages
/// whose program catalogue was loaded (empty for English).
QStringList installTranslations(const QLocale& locale = QLocale::system());

/// The language the windows speak: that of the program's catalogue
/// installTranslations loaded, else English.
QLocale::Language windowsLanguage();
/// Its two-letter code ("en", "de").
QString windowsLanguageTag();
/// Sets it, as installTranslations does (and tests, which load no catalogue).
void setWindowsLanguage(QLocale::Language language);

} // namespace quenlow
