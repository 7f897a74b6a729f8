// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/Backgrounds.h"

namespace quenlow {

namespace {

struct Background {
    const char* choice;
    const char* image;
};

constexpr Background kBackgrounds[] = {
    { "None", "none.gif" },
    { "Marble", "Background.gif" },
    { "Grey Texture 1", "Background2.jpg" },
    { "Grey Texture 2", "Grey.jpg" },
    { "Yellow Texture", "yellowTexture.gif" },
    { "Steel Texture", "steelTexture.jpg" },
    { "Sky 1", "Background3.jpg" },
    { "Sky 2", "Sky.jpg" },
    { "Gold Pattern", "goldPattern.jpg" },
    { "Mellow Yellow", "mellow.jpg" },
    { "Brown Paper", "brownPaper.jpg" },
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
