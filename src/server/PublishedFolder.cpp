// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/PublishedFolder.h"

#include "core/TextFile.h"
#include "server/FormFields.h"

#include <QFile>
#include <QFileInfo>

namespace quenlow {

namespace {

struct Kind {
    const char* suffix;
    const char* contentType;
    bool isPage;
};

// Pages and the raster images they show. No scripts, no SVG (it can carry
// script), and nothing the designer keeps beside them.
constexpr Kind kPublished[] = {
    { "html", "text/html; charset=utf-8", true },
    { "htm", "text/html; charset=utf-8", true },
    { "gif", "image/gif", false },
    { "jpg", "image/jpeg", false },
    { "jpeg", "image/jpeg", false },
    { "png", "image/png", false },
    { "bmp", "image/bmp", false },
    { "ico", "image/x-icon", false },
};

const Kind* publishedKind(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    for (const Kind& k : kPublished) {
        if (suffix == QLatin1StringView(k.suffix))
            return &k;
    }
    return nullptr;
}

// The designer's scratch page holds the answers of whatever form was open,
// whether or not that form lets its users see them.
bool isPrivatePage(const QString& fileName)
{
    return fileName.compare(QLatin1StringView("dbTableOfAnswers.html"), Qt::CaseInsensitive) == 0;
}

bool isPlainFileName(const QString& name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        return false;
    for (QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    return true;
}

} // namespace

std::optional<PublishedFolder::FileKind> PublishedFolder::kindOf(const QString& fileName)
{
    const Kind* kind
        = isPlainFileName(fileName) && !isPrivatePage(fileName) ? publishedKind(fileName) : nullptr;
    if (!kind)
        return std::nullopt;
    return FileKind { QByteArray(kind->contentType), kind->isPage };
}

PublishedFolder::PublishedFolder(const QString& htmlFolder)
    : m_folder(htmlFolder)
{
}

std::optional<PublishedFolder::File> PublishedFolder::resolve(QByteArrayView requestPath) const
{
    if (!requestPath.startsWith('/'))
        return std::nullopt;
    const std::optional<QString> name = strictUtf8(requestPath.sliced(1));
    if (!name || !isPlainFileName(*name) || isPrivatePage(*name) || !publishedKind(*name))
        return std::nullopt;

    const QString root = QFileInfo(m_folder).canonicalFilePath();
    if (root.isEmpty())
        return std::nullopt;
    // The real path decides: a link may point anywhere, so what it resolves to
    // must itself be a published file inside the folder.
    const QFileInfo info(root + QLatin1Char('/') + *name);
    const QString real = info.canonicalFilePath();
    if (real.isEmpty() || !real.startsWith(root + QLatin1Char('/')))
        return std::nullopt;
    const QFileInfo realInfo(real);
    if (!realInfo.isFile() || isPrivatePage(realInfo.fileName()))
        return std::nullopt;
    const Kind* kind = publishedKind(realInfo.fileName());
    if (!kind)
        return std::nullopt;
    return File { real, QByteArray(kind->contentType), kind->isPage };
}

std::optional<QByteArray> PublishedFolder::content(const File& file)
{
    QByteArray bytes;
    if (!readWholeFile(file.path, &bytes))
        return std::nullopt;
    if (!file.isPage)
        return bytes;
    // Browsers then post UTF-8, which is what the service reads.
    return decodeText(bytes).toUtf8();
}

} // namespace quenlow
