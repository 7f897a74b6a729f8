// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/FormSource.h"

#include "database/AnswersStore.h"
#include "server/FormFields.h"
#include "server/PublishedFolder.h"

#include <QDeadlineTimer>
#include <QHash>

#include <mutex>
#include <vector>

namespace quenlow {

namespace {

// A form's page is "NAME.html".
std::optional<QString> formOfPage(QByteArrayView requestPath)
{
    const QByteArrayView fileName = requestPath.sliced(requestPath.lastIndexOf('/') + 1);
    const qsizetype dot = fileName.indexOf('.');
    const QString name = QString::fromUtf8(fileName.first(dot < 0 ? fileName.size() : dot));
    if (!FormCatalog::isFormName(name))
        return std::nullopt;
    return name;
}

class FolderSource final : public FormSource
{
public:
    explicit FolderSource(const QString& appFolder)
        : m_html(appFolder + QStringLiteral("/HTML"))
        , m_forms(appFolder)
    {
    }

    std::optional<File> file(QByteArrayView requestPath) override
    {
        const std::optional<PublishedFolder::File> found = m_html.resolve(requestPath);
        if (!found)
            return std::nullopt;
        std::optional<QByteArray> content = PublishedFolder::content(*found);
        if (!content)
            return std::nullopt;
        File file{found->contentType, std::move(*content), std::nullopt, found->isPage};
        if (found->isPage)
            file.pageOfForm = formOfPage(requestPath);
        return file;
    }

    std::optional<PublishedForm> form(const QString& formName) override { return m_forms.find(formName); }

private:
    PublishedFolder m_html;
    FormCatalog m_forms;
};

// Each lookup asks the store again after this long, so that a form the
// designer publishes anew reaches every server without a restart.
constexpr int kFreshForMs = 1000;
constexpr qsizetype kCacheLimit = 1024;

class StoreSource final : public FormSource
{
public:
    StoreSource(QString location, std::shared_ptr<AnswersStore> first, QByteArray key)
        : m_location(std::move(location))
        , m_key(std::move(key))
    {
        m_idle.push_back(std::move(first));
    }

    std::optional<File> file(QByteArrayView requestPath) override
    {
        if (!requestPath.startsWith('/'))
            return std::nullopt;
        const std::optional<QString> name = strictUtf8(requestPath.sliced(1));
        const std::optional<PublishedFolder::FileKind> kind = name ? PublishedFolder::kindOf(*name) : std::nullopt;
        if (!kind)
            return std::nullopt;
        if (kind->isPage) {
            const std::optional<QString> formName = formOfPage(requestPath);
            const std::optional<Entry> entry = formName ? lookUp(*formName) : std::nullopt;
            if (!entry || !entry->form)
                return std::nullopt;
            return File{kind->contentType, entry->page, formName, true};
        }
        const auto image = withStore([&](AnswersStore& store) { return store.publishedFile(*name); });
        if (!image || !*image)
            return std::nullopt;
        return File{(*image)->contentType.isEmpty() ? kind->contentType : (*image)->contentType, (*image)->bytes,
                    std::nullopt, false};
    }

    std::optional<PublishedForm> form(const QString& formName) override
    {
        if (!FormCatalog::isFormName(formName))
            return std::nullopt;
        const std::optional<Entry> entry = lookUp(formName);
        return entry ? entry->form : std::nullopt;
    }

    QByteArray tokenKey() override { return m_key; }

private:
    struct Entry {
        std::optional<PublishedForm> form;
        QByteArray page;
        QDeadlineTimer fresh;
    };

    // Runs `work` on an idle connection (opening one when none is idle); a
    // connection that failed is not kept.
    template<typename Work>
    auto withStore(Work work) -> decltype(work(std::declval<AnswersStore&>()))
    {
        std::shared_ptr<AnswersStore> store;
        {
            std::lock_guard lock(m_mutex);
            if (!m_idle.empty()) {
                store = std::move(m_idle.back());
                m_idle.pop_back();
            }
        }
        if (!store) {
            auto opened = openAnswersStore(m_location);
            if (!opened)
                return opened.error();
            store = std::move(*opened);
        }
        auto result = work(*store);
        if (result) {
            std::lock_guard lock(m_mutex);
            m_idle.push_back(std::move(store));
        }
        return result;
    }

    std::optional<Entry> lookUp(const QString& formName)
    {
        {
            std::lock_guard lock(m_mutex);
            const auto it = m_cache.constFind(formName);
            if (it != m_cache.cend() && !it->fresh.hasExpired())
                return *it;
        }
        const auto published = withStore([&](AnswersStore& store) { return store.publication(formName); });
        if (!published)
            return std::nullopt; // the store cannot be read now: nothing is served, nothing is kept
        Entry entry;
        entry.fresh = QDeadlineTimer(kFreshForMs);
        if (const std::optional<AnswersStore::Publication>& p = *published) {
            entry.form = PublishedForm{formName, p->title, p->backgroundImage, p->showsAnswersTable,
                                       postedQuestions(*p)};
            entry.page = p->page;
        }
        std::lock_guard lock(m_mutex);
        if (m_cache.size() >= kCacheLimit)
            m_cache.clear();
        m_cache.insert(formName, entry);
        return entry;
    }

    const QString m_location;
    const QByteArray m_key;
    std::mutex m_mutex;
    std::vector<std::shared_ptr<AnswersStore>> m_idle;
    QHash<QString, Entry> m_cache;
};

} // namespace

std::unique_ptr<FormSource> formsInFolder(const QString& appFolder)
{
    return std::make_unique<FolderSource>(appFolder);
}

std::unique_ptr<FormSource> formsInStore(const QString& storeLocation, QString* error)
{
    auto store = openAnswersStore(storeLocation);
    if (!store) {
        *error = QStringLiteral("the answers database %1 cannot be opened: %2").arg(shownLocation(storeLocation), store.error().detail);
        return nullptr;
    }
    if (!(*store)->keepsPublications()) {
        *error = QStringLiteral("the answers database %1 keeps no published forms; give the program folder").arg(shownLocation(storeLocation));
        return nullptr;
    }
    const Result<QByteArray> key = (*store)->sharedKey();
    if (!key) {
        *error = QStringLiteral("the answers database %1 cannot be read: %2").arg(shownLocation(storeLocation), key.error().detail);
        return nullptr;
    }
    return std::make_unique<StoreSource>(storeLocation, std::move(*store), *key);
}

} // namespace quenlow
