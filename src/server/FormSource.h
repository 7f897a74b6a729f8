// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"
#include "server/FormCatalog.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace quenlow {

class ServiceClock;
class StoreExecutor;

/// Where the collection service finds the forms it publishes: the program
/// folder of the designer, or an answers store that keeps published forms
/// (so that servers elsewhere need no folder). A store's forms are served
/// from memory, which tasks on the service's store executor keep fresh: a
/// lookup never waits on the store for longer than it says, and a form whose
/// publication is known is served while the store cannot be reached.
///
/// Threads: workers call every lookup, the I/O thread only those that do not
/// wait (`wait` 0, whenLookedUp, whenReadAgain); a store's rounds of asking
/// run on a thread of the executor, which also calls back `then`; the clock
/// says when to list the store's forms again. The memory they share is
/// guarded by its own mutex. The destructor waits for callbacks under way,
/// never for the store.
class FormSource
{
public:
    struct File {
        QByteArray contentType;
        QByteArray bytes; // pages as UTF-8 text
        /// For a form's page, the form's name: each copy sent gets a token.
        std::optional<QString> pageOfForm;
        bool isPage = false;
    };

    virtual ~FormSource() = default;
    /// The file a request path (percent-decoded, starting with "/") stands
    /// for; nothing when it is not published. Fails when the store could not
    /// tell within `wait` (Busy when it was not asked yet, `wait` being 0).
    virtual Result<std::optional<File>> file(QByteArrayView requestPath, std::chrono::milliseconds wait) = 0;
    /// The same for a form.
    virtual Result<std::optional<PublishedForm>> form(const QString& formName, std::chrono::milliseconds wait)
        = 0;
    /// The form that was called `formerName` before the designer renamed it,
    /// when no form bears that name now; nothing otherwise. Fails as file() does.
    virtual Result<std::optional<QString>> renamedForm(
        const QString& formerName, std::chrono::milliseconds wait)
    {
        Q_UNUSED(formerName);
        Q_UNUSED(wait);
        return std::optional<QString>();
    }
    /// Calls `then` once a lookup of `formName` without waiting no longer
    /// fails with Busy: at once, or on the source's thread after asking the
    /// store (never, should the store not answer). False, with nothing done,
    /// when too many wait already.
    virtual bool whenLookedUp(const QString& formName, std::function<void()> then)
    {
        Q_UNUSED(formName);
        then();
        return true;
    }
    /// Asks the store for the form again (another server may have published
    /// a newer one) and calls `then` once it was asked, on the source's
    /// thread. False, with nothing done, for a source that always reads the
    /// form as it is, or when too many wait already.
    virtual bool whenReadAgain(const QString& formName, std::function<void()> then)
    {
        (void)formName;
        (void)then;
        return false;
    }
    /// Whether whenReadAgain() and formReadAgain() can find a form newer
    /// than form() has: false for a source that always reads it as it is.
    virtual bool readsAgain() const { return false; }
    /// The same, waiting up to `wait`: the form as the store has it now.
    virtual Result<std::optional<PublishedForm>> formReadAgain(
        const QString& formName, std::chrono::milliseconds wait)
    {
        return form(formName, wait);
    }
    /// The key of the submission tokens: shared by every server of one store,
    /// else empty (each service makes its own).
    virtual QByteArray tokenKey() { return {}; }
    /// The names of the forms it publishes, as far as it knows them.
    virtual QStringList formNames() { return {}; }
};

/// The forms of a program folder; the key of the tokens is kept in the
/// answers store at `storeLocation` (by default the folder's), so that pages
/// sent before a restart still check.
std::unique_ptr<FormSource> formsInFolder(const QString& appFolder, const QString& storeLocation = {});
/// The forms published into the store `executor` asks; fails when the store
/// cannot be opened or keeps no forms. The forms are kept fresh by tasks on
/// `executor` that take turns on `clock`; both must outlive the source.
Result<std::unique_ptr<FormSource>> formsInStore(StoreExecutor& executor, ServiceClock& clock);

} // namespace quenlow
