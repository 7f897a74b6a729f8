// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "server/HttpServer.h"

#include <QString>

#include <chrono>
#include <functional>
#include <memory>

namespace quenlow {

/// The answer collection service: publishes the form pages of a program
/// folder over HTTP and stores what people submit in its answers database.
/// Runs on its own threads; `quenlow-server` and the desktop program's
/// "Collect Answers" command both drive it through this class.
///
/// Threads: the controlling thread calls every function here. A run owns
/// the threads below, each with one owner, and stops them in this order,
/// each within its deadline, joining every one:
///   thread(s)              owner            stop
///   HTTP I/O, workers      HttpServer       requests in the handler answered, then joined
///   writer                 AnswerWriter     the store's call cut off after its deadline, then joined
///   clock                  ServiceClock     the posts' deadlines, form refreshes and turns; joined
///   store executor (3)     StoreExecutor    form lookups, results' readings, health probes;
///                                           calls cut off after its deadline, then joined
///   log                    LineLog          the last lines written, then joined
///   stopper                this             stopInBackground's; joined by the next start
///                                           and the destructor
class CollectionService final
{
public:
    static constexpr qint64 defaultMaxBodySize = 1024 * 1024;

    CollectionService();
    ~CollectionService(); // stops
    CollectionService(const CollectionService&) = delete;
    CollectionService& operator=(const CollectionService&) = delete;

    /// Listens on `address`:`port` (port 0 picks a free one). Fails when the
    /// answers database cannot be opened or the address cannot be taken — a
    /// port already in use is an error, never shared.
    Result<void> start(const QString& appFolder, const QString& address, quint16 port);
    /// Stops taking requests, finishes those in flight (their submissions are
    /// committed and answered), then returns. Idle connections are closed.
    void stop();
    /// The same on a thread of its own, for a window that must not wait for
    /// the slowest client: returns at once (isRunning() is then false) and
    /// calls `done`, on that thread, when the last request has been answered.
    /// The next start, and the destructor, wait for it.
    void stopInBackground(std::function<void()> done = {});

    /// "http://HOST:PORT" ("https://" over TLS) while running, else empty.
    QString address() const;
    /// The address of a page of HTML/, such as "survey.html".
    QString pageAddress(const QString& pageFile) const;
    quint16 port() const;
    bool isRunning() const;

    /// Bodies above this many bytes are refused with 413. Takes effect at start.
    void setMaxBodySize(qint64 bytes);
    /// Deadlines, the cap on connections and the workers. Takes effect at start.
    void setLimits(const HttpLimits& limits);
    /// Where answers are stored (a file or a database server's address); by
    /// default the program folder's embedded store. A store that keeps the
    /// published forms also gives the forms, and the folder may then be empty.
    void setAnswersStore(const QString& location);
    /// Serve over TLS with these PEM files (an empty certificate: plain HTTP).
    /// Takes effect at start; a file that cannot be used makes start fail.
    void setTls(const QString& certificateFile, const QString& keyFile);
    /// Where the one line per request goes; standard error unless set. Called
    /// from the service's threads. Takes effect at start.
    void setLogSink(std::function<void(const QByteArray& line)> sink);

    /// Submissions stored since start (or in the last run, once stopped), and
    /// the commits that stored them.
    quint64 storedCount() const;
    /// Submissions stored in the last `span` (up to an hour) while running.
    quint64 storedWithin(std::chrono::seconds span) const;
    /// Connections open just now.
    int connectionCount() const;
    quint64 commitCount() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace quenlow
