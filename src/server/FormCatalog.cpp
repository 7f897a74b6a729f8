// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/FormCatalog.h"

#include "model/CollectionFile.h"
#include "model/PageFormat.h"
#include "model/Publication.h"
#include "server/AnswerChecks.h"
#include "server/AnswerPlacement.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <sys/stat.h>

namespace quenlow {

namespace {

// Enough for any real form; keeps a flood of made-up names from growing the cache.
constexpr qsizetype kCacheLimit = 1024;

std::optional<PublishedForm> readForm(const QString& path, const QString& name)
{
    const ParsedCollection parsed = readCollectionFile(path);
    if (!parsed.ok())
        return std::nullopt;
    const std::optional<HeaderFacts> facts = headerFacts(parsed.methods);
    if (!facts)
        return std::nullopt;
    PublishedForm form = withAnswerChecks(
        PublishedForm { name, facts->title, facts->backgroundImage, facts->showsAnswersTable,
            postedQuestions(parsed.methods), facts->settings, chartedQuestions(parsed.methods) });
    form.formerNames = facts->formerNames;
    return form;
}

} // namespace

PublishedForm withAnswerChecks(PublishedForm form)
{
    form.checks = std::make_shared<const AnswerChecks>(form.questions, form.charted);
    form.places = std::make_shared<const QuestionPlaces>(form.questions);
    QCryptographicHash digest(QCryptographicHash::Sha256);
    const auto add = [&digest](const QString& text) {
        digest.addData(text.toUtf8());
        digest.addData(QByteArrayView("\n", 1));
    };
    for (const PostedQuestion& q : std::as_const(form.questions)) {
        add(q.field);
        add(QString::number(int(q.kind)));
        add(q.formerFields.join(QLatin1Char('\t')));
        // A box to type an answer in is placed too: said only where there is
        // one, so that other forms keep their version.
        if (q.settings.otherAnswer)
            add(pageFormat::otherSuffix());
    }
    for (const ChartedQuestion& c : std::as_const(form.charted)) {
        add(c.field);
        add(c.options.join(QLatin1Char('\t')));
    }
    form.version = QString::fromLatin1(digest.result().first(8).toHex());
    return form;
}

FormCatalog::FormCatalog(const QString& appFolder)
    : m_collections(appFolder + QStringLiteral("/Collections/"))
{
}

bool FormCatalog::isFormName(const QString& name)
{
    if (name.isEmpty() || name.size() > 255)
        return false;
    for (QChar c : name) {
        if (c == QLatin1Char('.') || c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20
            || c.unicode() == 0x7f)
            return false;
    }
    return true;
}

std::optional<PublishedForm> FormCatalog::find(const QString& formName)
{
    if (!isFormName(formName))
        return std::nullopt;
    const QString path = m_collections + formName + QStringLiteral("Collection.txt");
    struct stat st {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode)) {
        std::lock_guard lock(m_mutex);
        m_cache.remove(formName);
        return std::nullopt;
    }
    Entry fresh;
    fresh.device = st.st_dev;
    fresh.inode = st.st_ino;
    fresh.size = st.st_size;
    fresh.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_cache.constFind(formName);
        // The designer replaces files by renaming a new one over them, so the
        // inode tells a new file even when size and time happen to agree.
        if (it != m_cache.cend() && it->device == fresh.device && it->inode == fresh.inode
            && it->size == fresh.size && it->mtimeNs == fresh.mtimeNs)
            return it->form;
    }
    fresh.form = readForm(path, formName);
    std::lock_guard lock(m_mutex);
    if (m_cache.size() >= kCacheLimit)
        m_cache.clear();
    m_cache.insert(formName, fresh);
    return fresh.form;
}

std::optional<QString> FormCatalog::renamedForm(const QString& formerName)
{
    if (!isFormName(formerName) || find(formerName))
        return std::nullopt;
    // Asked only for a name no form bears, so reading every form's header
    // (each kept until its file changes) costs only the addresses of before.
    const QString suffix = QStringLiteral("Collection.txt");
    for (const QString& file :
        QDir(m_collections).entryList({ QLatin1Char('*') + suffix }, QDir::Files, QDir::Name)) {
        const QString name = file.chopped(suffix.size());
        if (const std::optional<PublishedForm> form = find(name);
            form && form->formerNames.contains(formerName))
            return name;
    }
    return std::nullopt;
}

} // namespace quenlow
