// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/FormSource.h"

#include "database/AnswersStore.h"
#include "model/FormChanges.h"
#include "server/FormFields.h"
#include "server/PublishedFolder.h"
#include "server/ServiceClock.h"
#include "server/StoreExecutor.h"
#include "server/StorePool.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <condition_variable>
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
    FolderSource(const QString& appFolder, const QString& storeLocation)
        : m_collections(appFolder + QStringLiteral("/Collections"))
        , m_pages(appFolder + QStringLiteral("/HTML/"))
        , m_storeLocation(storeLocation)
        , m_html(appFolder + QStringLiteral("/HTML"))
        , m_forms(appFolder)
    {
        // Kept in the store: a page sent before a restart still checks. A
        // store that cannot keep it leaves the service a key of its own.
        if (const auto store = StorePool::shared(storeLocation)->borrow()) {
            if (const Result<QByteArray> key = (*store)->sharedKey())
                m_key = *key;
        }
    }

    Result<std::optional<File>> file(QByteArrayView requestPath, std::chrono::milliseconds) override
    {
        const std::optional<PublishedFolder::File> found = m_html.resolve(requestPath);
        if (!found)
            return std::optional<File>();
        std::optional<QByteArray> content = PublishedFolder::content(*found);
        if (!content)
            return std::optional<File>();
        File file { found->contentType, std::move(*content), std::nullopt, found->isPage };
        if (found->isPage) {
            file.pageOfForm = formOfPage(requestPath);
            if (file.pageOfForm && standsAside(*file.pageOfForm, pendingFormChange(m_collections)))
                return std::optional<File>();
        }
        return std::optional<File>(std::move(file));
    }

    Result<std::optional<PublishedForm>> form(const QString& formName, std::chrono::milliseconds) override
    {
        const std::optional<FormChange> change = pendingFormChange(m_collections);
        if (!change || change->kind != FormChange::Rename || !pageExists(change->to))
            return standsAside(formName, change) ? std::nullopt : m_forms.find(formName);
        // A rename half done is followed as the designer will finish it: the
        // form is the new one, a page of the old name posts to it, and its
        // answers go to the table that holds them now.
        if (formName != change->from && formName != change->to)
            return m_forms.find(formName);
        std::optional<PublishedForm> renamed = m_forms.find(change->to);
        if (renamed && !tableThere(change->to) && tableThere(change->from))
            renamed->storedIn = AnswersStore::tableFor(change->from);
        return renamed;
    }

    Result<std::optional<QString>> renamedForm(const QString& formerName, std::chrono::milliseconds) override
    {
        // While a change is half done, the forms it touches are those the note says.
        const std::optional<FormChange> change = pendingFormChange(m_collections);
        if (change && (formerName == change->from || formerName == change->to))
            return std::optional<QString>();
        return m_forms.renamedForm(formerName);
    }

    QByteArray tokenKey() override { return m_key; }

    QStringList formNames() override
    {
        const QString suffix = QStringLiteral("Collection.txt");
        QStringList names;
        const std::optional<FormChange> change = pendingFormChange(m_collections);
        for (const QString& file :
            QDir(m_collections).entryList({ QLatin1Char('*') + suffix }, QDir::Files)) {
            if (!standsAside(file.chopped(suffix.size()), change))
                names.append(file.chopped(suffix.size()));
        }
        return names;
    }

private:
    bool pageExists(const QString& formName) const
    {
        return QFileInfo::exists(m_pages + formName + QStringLiteral(".html"));
    }

    bool tableThere(const QString& formName) const
    {
        const auto store = StorePool::shared(m_storeLocation)->borrow();
        return store && (*store)->tableExists(AnswersStore::tableFor(formName)).valueOr(false);
    }

    // The form of a change cut short that the designer's next opening takes
    // away: the old name of a rename whose new page is written, the new name
    // of one whose page is not, a copy not yet finished, a form being deleted.
    bool standsAside(const QString& formName, const std::optional<FormChange>& change) const
    {
        if (!change)
            return false;
        switch (change->kind) {
        case FormChange::Rename:
            return formName == (pageExists(change->to) ? change->from : change->to);
        case FormChange::Copy:
            return formName == change->to;
        case FormChange::Delete:
            return formName == change->from;
        }
        return false;
    }

    QString m_collections;
    QString m_pages;
    QString m_storeLocation;
    PublishedFolder m_html;
    FormCatalog m_forms;
    QByteArray m_key;
};

// Published forms are asked for again this often, so that a form the
// designer publishes anew reaches every server without a restart; one not
// published (or that could not be read) is asked for again on the first
// request after this long.
constexpr std::chrono::milliseconds kRefreshEvery { 1000 };
// A form nobody asked for in this long is forgotten rather than kept fresh.
constexpr std::chrono::minutes kForgetAfter { 10 };
constexpr qsizetype kMemoryLimit = 1024;
constexpr size_t kMaxWaiting = 10000;

// What the source knows of one form ('F' and its name) or image ('I' and its
// file name).
struct Remembered {
    enum State { Published, Absent, Unreadable };
    State state = Absent;
    FormSource::File file; // a form's page, or the image
    std::optional<PublishedForm> form;
    QString renamedTo; // for a name no form bears (Absent): the form that had it before a rename
    Error error; // why it could not be read
    QDeadlineTimer askAgain; // for Absent and Unreadable
    QDeadlineTimer forgetAfter; // for Published
    bool usable() const { return state == Published || !askAgain.hasExpired(); }
};

// The memory of a store's forms and the work that keeps it, shared with the
// tasks on the store executor so that it may outlive the source while one is
// stuck on a server that stopped answering.
struct StoreMemory : std::enable_shared_from_this<StoreMemory> {
    StoreMemory(StoreExecutor& runOn, ServiceClock& turns)
        : executor(runOn)
        , clock(turns)
    {
    }

    StoreExecutor& executor;
    ServiceClock& clock;
    std::mutex mutex;
    std::condition_variable changed;
    QHash<QString, Remembered> known;
    QSet<QString> wanted;
    // Rounds of asking the store: a key wanted while `started` was N is
    // answered once `finished` passes N.
    quint64 started = 0, finished = 0;
    std::vector<std::pair<quint64, std::function<void()>>> callbacks;
    bool stopping = false;
    // The store's forms are listed at once, then again each time the clock says.
    bool refreshDue = true;
    bool asking = false; // rounds are under way on the executor
    int callingBack = 0; // rounds calling back just now, which the source's end waits for
    ServiceClock::Key refreshing = 0;
    std::shared_ptr<AnswersStore> store; // the rounds' own connection

    // With the mutex held: rounds of asking the store, when there is
    // something to ask and none are under way.
    void ask()
    {
        if (asking || stopping || (wanted.isEmpty() && !refreshDue))
            return;
        asking = true;
        if (!executor.post([self = shared_from_this()] { self->askRounds(); }))
            asking = false;
    }

    void askRounds()
    {
        std::unique_lock lock(mutex);
        while (!stopping && (!wanted.isEmpty() || refreshDue)) {
            QStringList keys(wanted.cbegin(), wanted.cend());
            wanted.clear();
            const bool listAgain = refreshDue;
            if (refreshDue) {
                for (auto it = known.begin(); it != known.end();) {
                    if (it->state == Remembered::Published && it->forgetAfter.hasExpired()) {
                        it = known.erase(it);
                        continue;
                    }
                    if (it->state == Remembered::Published && !keys.contains(it.key()))
                        keys.append(it.key());
                    ++it;
                }
                refreshDue = false;
            }
            const quint64 round = ++started;
            lock.unlock();
            QHash<QString, Remembered> read;
            std::optional<Error> failed;
            // Every form published is known, not only those served since the
            // start: the room's index lists the store's open forms.
            if (listAgain) {
                for (const QString& name : publishedNames()) {
                    const QString key = QLatin1Char('F') + name;
                    if (!keys.contains(key) && keys.size() < kMemoryLimit)
                        keys.append(key);
                }
            }
            for (const QString& key : std::as_const(keys)) {
                auto found = readFromStore(key);
                if (!found) {
                    failed = found.error();
                    break; // the rest would fail the same way
                }
                read.insert(key, std::move(*found));
            }
            lock.lock();
            for (const QString& key : std::as_const(keys)) {
                Remembered& entry = known[key];
                if (const auto it = read.constFind(key); it != read.cend()) {
                    const QDeadlineTimer forget = entry.state == Remembered::Published
                        ? entry.forgetAfter
                        : QDeadlineTimer(kForgetAfter);
                    entry = *it;
                    entry.forgetAfter = forget;
                } else if (entry.state != Remembered::Published) {
                    // A form known to be published is served from memory while the store cannot be read.
                    entry.state = Remembered::Unreadable;
                    entry.error = Error { Error::Io, failed ? failed->detail : QString() };
                    entry.askAgain.setRemainingTime(kRefreshEvery);
                }
            }
            // Names nobody publishes cost memory for a moment only, whatever a crowd asks for.
            if (known.size() > kMemoryLimit)
                known.removeIf([](const auto& e) { return !e.value().usable(); });
            finished = round;
            std::vector<std::function<void()>> due;
            std::erase_if(callbacks, [&](auto& c) {
                if (c.first >= finished)
                    return false;
                due.push_back(std::move(c.second));
                return true;
            });
            changed.notify_all();
            if (!due.empty() && !stopping) {
                ++callingBack;
                lock.unlock();
                for (const auto& call : due)
                    call();
                lock.lock();
                --callingBack;
                changed.notify_all();
            }
        }
        asking = false;
    }

    // The names the store publishes; nothing when it cannot be asked now.
    QStringList publishedNames()
    {
        if (!store) {
            auto opened = executor.borrow();
            if (!opened)
                return {};
            store = std::move(*opened);
        }
        const Result<QStringList> names = store->publishedForms();
        if (!names) {
            StorePool::discard(store);
            store.reset();
            return {};
        }
        return *names;
    }

    Result<Remembered> readFromStore(const QString& key)
    {
        if (!store) {
            auto opened = executor.borrow();
            if (!opened)
                return opened.error();
            store = std::move(*opened);
        }
        Remembered found;
        found.askAgain.setRemainingTime(kRefreshEvery);
        const QString name = key.mid(1);
        if (key.startsWith(QLatin1Char('F'))) {
            const auto published = store->publication(name);
            if (!published) {
                StorePool::discard(store); // a connection that failed is not kept
                store.reset();
                return published.error();
            }
            if (const std::optional<AnswersStore::Publication>& p = *published) {
                found.state = Remembered::Published;
                found.form = withAnswerChecks(
                    PublishedForm { name, p->title, p->backgroundImage, p->showsAnswersTable,
                        postedQuestions(*p), formSettingsFromText(p->settings), chartedQuestions(*p) });
                found.file = FormSource::File { {}, p->page, name, true };
                return found;
            }
            // Not a form's name now: perhaps one a form had before a rename.
            const auto renamed = store->renamedForm(name);
            if (!renamed) {
                StorePool::discard(store);
                store.reset();
                return renamed.error();
            }
            found.renamedTo = renamed->value_or(QString());
            return found;
        }
        const auto image = store->publishedFile(name);
        if (!image) {
            StorePool::discard(store);
            store.reset();
            return image.error();
        }
        if (*image) {
            found.state = Remembered::Published;
            found.file = FormSource::File { (*image)->contentType, (*image)->bytes, std::nullopt, false };
        }
        return found;
    }
};

class StoreSource final : public FormSource
{
public:
    StoreSource(
        StoreExecutor& executor, ServiceClock& clock, std::shared_ptr<AnswersStore> first, QByteArray key)
        : m_memory(std::make_shared<StoreMemory>(executor, clock))
        , m_key(std::move(key))
    {
        std::lock_guard lock(m_memory->mutex);
        m_memory->store = std::move(first);
        m_memory->refreshing = clock.every(kRefreshEvery, [memory = std::weak_ptr(m_memory)] {
            if (const auto m = memory.lock()) {
                std::lock_guard locked(m->mutex);
                m->refreshDue = true;
                m->ask();
            }
        });
        m_memory->ask();
    }

    ~StoreSource() override
    {
        std::unique_lock lock(m_memory->mutex);
        m_memory->stopping = true;
        m_memory->callbacks.clear();
        m_memory->clock.cancel(m_memory->refreshing);
        // Those called back take posts again through their handler, which goes next.
        m_memory->changed.wait(lock, [this] { return m_memory->callingBack == 0; });
    }

    Result<std::optional<File>> file(QByteArrayView requestPath, std::chrono::milliseconds wait) override
    {
        if (!requestPath.startsWith('/'))
            return std::optional<File>();
        const std::optional<QString> name = strictUtf8(requestPath.sliced(1));
        const std::optional<PublishedFolder::FileKind> kind
            = name ? PublishedFolder::kindOf(*name) : std::nullopt;
        if (!kind)
            return std::optional<File>();
        std::optional<QString> formName;
        if (kind->isPage) {
            formName = formOfPage(requestPath);
            if (!formName)
                return std::optional<File>();
        }
        const auto found = lookUp(formName ? QLatin1Char('F') + *formName : QLatin1Char('I') + *name, wait);
        if (!found)
            return found.error();
        if (!*found || (*found)->state != Remembered::Published)
            return std::optional<File>();
        File file = (*found)->file;
        file.contentType = file.contentType.isEmpty() || kind->isPage ? kind->contentType : file.contentType;
        return std::optional<File>(std::move(file));
    }

    Result<std::optional<PublishedForm>> form(
        const QString& formName, std::chrono::milliseconds wait) override
    {
        if (!FormCatalog::isFormName(formName))
            return std::optional<PublishedForm>();
        const auto found = lookUp(QLatin1Char('F') + formName, wait);
        if (!found)
            return found.error();
        return *found ? (*found)->form : std::nullopt;
    }

    Result<std::optional<QString>> renamedForm(
        const QString& formerName, std::chrono::milliseconds wait) override
    {
        if (!FormCatalog::isFormName(formerName))
            return std::optional<QString>();
        const auto found = lookUp(QLatin1Char('F') + formerName, wait);
        if (!found)
            return found.error();
        return *found && !(*found)->renamedTo.isEmpty() ? std::optional<QString>((*found)->renamedTo)
                                                        : std::nullopt;
    }

    bool whenLookedUp(const QString& formName, std::function<void()> then) override
    {
        {
            std::lock_guard lock(m_memory->mutex);
            const QString key = QLatin1Char('F') + formName;
            const auto it = m_memory->known.constFind(key);
            if (it == m_memory->known.cend() || !it->usable()) {
                // A crowd posting while the store does not answer waits in bounded memory.
                if (m_memory->callbacks.size() >= kMaxWaiting)
                    return false;
                m_memory->wanted.insert(key);
                m_memory->callbacks.emplace_back(m_memory->started, std::move(then));
                m_memory->ask();
                return true;
            }
        }
        then();
        return true;
    }

    bool readsAgain() const override { return true; }
    bool whenReadAgain(const QString& formName, std::function<void()> then) override
    {
        std::lock_guard lock(m_memory->mutex);
        if (m_memory->callbacks.size() >= kMaxWaiting)
            return false;
        m_memory->wanted.insert(QLatin1Char('F') + formName);
        m_memory->callbacks.emplace_back(m_memory->started, std::move(then));
        m_memory->ask();
        return true;
    }

    Result<std::optional<PublishedForm>> formReadAgain(
        const QString& formName, std::chrono::milliseconds wait) override
    {
        if (!FormCatalog::isFormName(formName))
            return std::optional<PublishedForm>();
        {
            std::unique_lock lock(m_memory->mutex);
            m_memory->wanted.insert(QLatin1Char('F') + formName);
            const quint64 round = m_memory->started;
            m_memory->ask();
            m_memory->changed.wait_for(lock, wait, [&] { return m_memory->finished > round; });
        }
        return form(formName, std::chrono::milliseconds(0));
    }

    QByteArray tokenKey() override { return m_key; }

    // The forms the store published, as last listed, and any served since.
    QStringList formNames() override
    {
        std::lock_guard lock(m_memory->mutex);
        QStringList names;
        for (auto it = m_memory->known.cbegin(); it != m_memory->known.cend(); ++it) {
            if (it.key().startsWith(QLatin1Char('F')) && it->state == Remembered::Published)
                names.append(it.key().mid(1));
        }
        return names;
    }

private:
    // What is remembered of `key` when it is of use; otherwise asked for, and
    // waited for up to `wait`.
    Result<std::optional<Remembered>> lookUp(const QString& key, std::chrono::milliseconds wait)
    {
        std::unique_lock lock(m_memory->mutex);
        const auto remembered = [&]() -> std::optional<Result<std::optional<Remembered>>> {
            const auto it = m_memory->known.find(key);
            if (it == m_memory->known.end() || !it->usable())
                return std::nullopt;
            switch (it->state) {
            case Remembered::Published:
                it->forgetAfter.setRemainingTime(kForgetAfter);
                return Result<std::optional<Remembered>>(std::optional<Remembered>(*it));
            case Remembered::Absent:
                // Nothing to serve; a form's former name says which form bears it now.
                return Result<std::optional<Remembered>>(
                    it->renamedTo.isEmpty() ? std::optional<Remembered>() : std::optional<Remembered>(*it));
            case Remembered::Unreadable:
                break;
            }
            return Result<std::optional<Remembered>>(it->error);
        };
        if (auto found = remembered())
            return std::move(*found);
        m_memory->wanted.insert(key);
        const quint64 round = m_memory->started;
        m_memory->ask();
        if (wait.count() <= 0)
            return Error { Error::Busy, QStringLiteral("not looked up yet") };
        m_memory->changed.wait_for(lock, wait, [&] { return m_memory->finished > round; });
        if (auto found = remembered())
            return std::move(*found);
        return Error { Error::Io,
            QStringLiteral("%1 did not answer within %2 ms")
                .arg(shownLocation(m_memory->executor.location()))
                .arg(wait.count()) };
    }

    std::shared_ptr<StoreMemory> m_memory;
    const QByteArray m_key;
};

} // namespace

std::unique_ptr<FormSource> formsInFolder(const QString& appFolder, const QString& storeLocation)
{
    return std::make_unique<FolderSource>(
        appFolder, storeLocation.isEmpty() ? answersStoreIn(appFolder) : storeLocation);
}

Result<std::unique_ptr<FormSource>> formsInStore(StoreExecutor& executor, ServiceClock& clock)
{
    const QString storeLocation = executor.location();
    auto store = executor.borrow();
    if (!store)
        return Error { store.error().kind,
            QStringLiteral("the answers database %1 cannot be opened: %2")
                .arg(shownLocation(storeLocation), store.error().detail) };
    if (!(*store)->keepsPublications())
        return Error { Error::Other,
            QStringLiteral("the answers database %1 keeps no published forms; give the program folder")
                .arg(shownLocation(storeLocation)) };
    const Result<QByteArray> key = (*store)->sharedKey();
    if (!key)
        return Error { key.error().kind,
            QStringLiteral("the answers database %1 cannot be read: %2")
                .arg(shownLocation(storeLocation), key.error().detail) };
    return std::unique_ptr<FormSource>(
        std::make_unique<StoreSource>(executor, clock, std::move(store).value(), *key));
}

} // namespace quenlow
