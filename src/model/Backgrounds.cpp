// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/Backgrounds.h"

#include <QtGlobal>

namespace quenlow {

namespace {

struct Background {
    const char* choice;
    const char* image;
};

// The choices are stored as they are and shown translated by the windows.
constexpr Background kBackgrounds[] = {
    { QT_TRANSLATE_NOOP("Backgrounds", "None"), "none.gif" },
    { QT_TRANSLATE_NOOP("Backgrounds", "Marble"), "Background.gif" },
    { QT_TRANSLATE_NOOP("Backgrounds", "Grey Texture 1"), "Background2.jpg" },
    { QT_TRANSLATE_NOOP("Backgrounds", "Grey Texture 2"), "Grey.jpg" },
    { QT_TRANSLATE_NOOP("Backgrounds", "Yellow Texture"), "yellowTexture.gif" },
    { QT_TRANSLATE_NOOP("Backgrounds", "Steel Texture"), "steelTexture.jpg" },
    { QT_TRANSLATE_NOOP("Backgrounds", "Sky 1"), "Background3.jpg" },
    { QT_TRANSLATE_NOOP("Backgrounds", "Sky 2"), "Sky.jpg" },
    { QT_TRANSLATE_NOOP("Backgrounds", "Gold Pattern"), "goldPattern.jpg" },
    { QT_TRANSLATE_NOOP("Backgrounds", "Mellow Yellow"), "mellow.jpg" },
    { QT_TRANSLATE_NOOP("Backgrounds", "Brown Paper"), "brownPaper.jpg" },
};

} // namespace

const QStringList& backgroundChoices()
{
    static const QStringList choices = [] {
        QStringList list;
        for (const Background& b : kBackgrounds)
            list.append(QString::fromLatin1(b.choice));
        return list;
    }();
    return choices;
}

QString backgroundImageFor(const QString& choice)
{
    for (const Background& b : kBackgrounds) {
        if (choice == QLatin1StringView(b.choice))
            return QString::fromLatin1(b.image);
    }
    return {};
}

} // namespace quenlow
