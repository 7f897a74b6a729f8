// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/AnswerWriter.h"
#include "database/AnswerColumns.h"

#include "database/AnswersStore.h"
#include "server/StorePool.h"

#include <algorithm>

namespace quenlow {

namespace {

// Bounds the wait of the last submission in a batch; far above what arrives
// between two commits in practice.
constexpr size_t kMaxBatch = 1000;

// The program keeps this column for itself; no post writes into it.
bool isReservedColumn(const QString& foldedName)
{
    return foldedName == QLatin1StringView("form question");
}

// The store failed: never NotFound or Cancelled, which tell of the submission.
Error failure(const QString& why, Error::Kind kind = Error::Io)
{
    return { kind == Error::Busy ? Error::Busy : Error::Io, why };
}

bool storeFailed(const WriteResult& result)
{
    return result.failedWith(Error::Io) || result.failedWith(Error::Busy);
}

} // namespace

AnswerWriter::AnswerWriter(const QString& databasePath)
    : m_path(databasePath)
    , m_calls(databasePath)
{
}

AnswerWriter::~AnswerWriter()
{
    (void)stop();
    closeDatabase();
}

Result<void> AnswerWriter::start()
{
    std::lock_guard lock(m_mutex);
    if (m_running)
        return {};
    if (const Result<void> opened = ensureOpen(); !opened)
        return opened;
    m_stopping = false;
    m_running = true;
    m_unstoredAtStop = 0;
    std::promise<void> ended;
    m_ended = ended.get_future();
    m_thread = std::thread([this, ended = std::move(ended)]() mutable {
        run();
        ended.set_value();
    });
    return {};
}

Result<void> AnswerWriter::stop()
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_running || m_stopping)
            return {};
        m_stopping = true;
    }
    m_wake.notify_all();
    // A store that stopped answering would hold the writer for good: its
    // call is cut off, and what it held fails, so the thread ends and is joined.
    const bool cutOff = m_ended.wait_for(m_stopDeadline) != std::future_status::ready;
    if (cutOff)
        m_calls.interrupt();
    if (m_thread.joinable())
        m_thread.join();
    {
        std::lock_guard lock(m_mutex);
        m_running = false;
    }
    m_calls.reset();
    if (m_unstoredAtStop > 0)
        return Error { Error::Io,
            QStringLiteral("%1 submissions were not confirmed as stored: the answers database %2 did not "
                           "answer within %3 ms of stopping")
                .arg(m_unstoredAtStop)
                .arg(shownLocation(m_path))
                .arg(m_stopDeadline.count()) };
    return {};
}

WriteResult AnswerWriter::write(Submission submission)
{
    auto pending = std::make_unique<Pending>();
    pending->submission = std::move(submission);
    std::future<WriteResult> result = pending->done.get_future();
    if (!enqueue(std::move(pending)))
        return failure(QStringLiteral("the service is stopping"));
    return result.get();
}

void AnswerWriter::writeAsync(Submission submission, std::function<void(const WriteResult&)> done)
{
    auto pending = std::make_unique<Pending>();
    pending->submission = std::move(submission);
    pending->callback = std::move(done);
    const auto callback = pending->callback;
    if (!enqueue(std::move(pending)))
        callback(failure(QStringLiteral("the service is stopping")));
}

void AnswerWriter::setCommitted(std::function<void(const Submission&, const WriteResult&)> committed)
{
    std::lock_guard lock(m_committedMutex);
    m_committed = std::move(committed);
}

bool AnswerWriter::enqueue(std::unique_ptr<Pending> pending)
{
    // Every stored answer has its arrival time; a caller that set none is
    // given the moment it handed the submission in.
    if (!pending->submission.arrivedAt.isValid())
        pending->submission.arrivedAt = QDateTime::currentDateTimeUtc();
    bool wake = false;
    {
        std::lock_guard lock(m_mutex);
        if (!m_running || m_stopping)
            return false;
        m_queue.push_back(std::move(pending));
        // A writer in the middle of a commit looks at the queue again anyway.
        wake = m_idle;
    }
    if (wake)
        m_wake.notify_one();
    return true;
}

void AnswerWriter::run()
{
    for (;;) {
        std::deque<std::unique_ptr<Pending>> batch;
        {
            std::unique_lock lock(m_mutex);
            m_idle = true;
            m_wake.wait(lock, [this] { return !m_queue.empty() || m_stopping; });
            m_idle = false;
            // When stopping, everything handed in before is still stored.
            if (m_queue.empty())
                break;
            while (!m_queue.empty() && batch.size() < kMaxBatch) {
                batch.push_back(std::move(m_queue.front()));
                m_queue.pop_front();
            }
        }
        storeBatch(batch);
    }
    closeDatabase();
}

namespace {

AnswersStore::NewRow rowOf(const Submission& submission)
{
    AnswersStore::NewRow row;
    row.table = submission.table;
    row.values.reserve(submission.answers.size());
    for (const Answer& answer : submission.answers) {
        if (!isReservedColumn(foldAscii(answer.field)))
            row.values.append({ answer.field, answer.value });
    }
    row.token = submission.token;
    row.arrivedAt = submission.arrivedAt;
    row.skip = submission.abandoned;
    row.limit = submission.limit;
    for (const SubmissionQuota& quota : submission.quotas)
        row.quotas.append({ quota.field, quota.answer, quota.limit });
    if (!submission.participantCode.isEmpty()) {
        row.participantCode = submission.participantCode;
        row.anonymous = submission.anonymous;
        row.token.clear();
    }
    return row;
}

WriteResult resultOf(const AnswersStore::Inserted& inserted, const Submission& submission)
{
    const QString& table = submission.table;
    switch (inserted.outcome) {
    case AnswersStore::Inserted::Stored:
        return StoredSubmission { StoredSubmission::Stored, inserted.rowId, submission.arrivedAt };
    case AnswersStore::Inserted::Repeated:
        return StoredSubmission { StoredSubmission::Repeated, inserted.rowId, inserted.firstArrival };
    case AnswersStore::Inserted::Replaced:
        return StoredSubmission { StoredSubmission::Replaced, inserted.rowId, inserted.firstArrival };
    case AnswersStore::Inserted::Full:
        return StoredSubmission { StoredSubmission::Full, -1, {} };
    case AnswersStore::Inserted::OtherTable:
        return StoredSubmission { StoredSubmission::OtherForm, -1, {} };
    case AnswersStore::Inserted::QuotaFull:
        return StoredSubmission { StoredSubmission::QuotaFull, -1, {} };
    case AnswersStore::Inserted::UnknownCode:
        return StoredSubmission { StoredSubmission::UnknownCode, -1, {} };
    case AnswersStore::Inserted::CodeUsed:
        return StoredSubmission { StoredSubmission::CodeUsed, -1, {} };
    case AnswersStore::Inserted::NoSuchTable:
        return Error { Error::NotFound, QStringLiteral("no table ") + table };
    case AnswersStore::Inserted::Skipped:
        break;
    }
    return Error { Error::Cancelled, QStringLiteral("the client has gone") };
}

} // namespace

void AnswerWriter::storeBatch(std::deque<std::unique_ptr<Pending>>& batch)
{
    // A database replaced under us (a file deleted and created anew) would
    // take rows nobody ever sees again: follow the location, not the old store.
    if (m_store && m_store->replaced())
        closeDatabase();
    if (const Result<void> opened = ensureOpen(); !opened) {
        for (auto& p : batch) {
            if (m_calls.interrupted())
                ++m_unstoredAtStop;
            p->finish(opened.error());
        }
        return;
    }

    std::function<void(const Submission&, const WriteResult&)> committed;
    {
        std::lock_guard lock(m_committedMutex);
        committed = m_committed;
    }
    const auto finish = [this, &committed](Pending& p, const WriteResult& r) {
        if (committed && r.ok())
            committed(p.submission, r);
        else if (storeFailed(r) && m_calls.interrupted())
            ++m_unstoredAtStop;
        p.finish(r);
    };

    // First try: the whole batch in one transaction, one durable commit.
    QList<AnswersStore::NewRow> rows;
    rows.reserve(qsizetype(batch.size()));
    for (auto& p : batch)
        rows.append(rowOf(p->submission));
    const auto whole = m_store->insertRows(rows);
    if (whole) {
        m_commits.fetch_add(1);
        for (size_t i = 0; i < batch.size(); ++i) {
            const WriteResult r = resultOf(whole->at(qsizetype(i)), batch[i]->submission);
            if (r && r->outcome == StoredSubmission::Stored)
                countStored();
            finish(*batch[i], r);
        }
        return;
    }

    // Something failed: nothing of the batch is stored. Take the submissions
    // one by one, so that one that cannot be stored costs no other.
    bool anyFailed = false;
    for (size_t i = 0; i < batch.size(); ++i) {
        WriteResult r = Error {};
        if (const Result<void> opened = ensureOpen(); !opened) {
            r = opened.error();
        } else {
            const auto one = m_store->insertRows({ rows.at(qsizetype(i)) });
            r = one ? resultOf(one->first(), batch[i]->submission)
                    : failure(one.error().detail, one.error().kind);
            if (one) {
                m_commits.fetch_add(1);
                if (r && r->outcome == StoredSubmission::Stored)
                    countStored();
            }
        }
        if (storeFailed(r))
            anyFailed = true;
        finish(*batch[i], r);
    }
    // A store that failed may be in a bad state (a replaced or damaged
    // file): open it afresh for the next batch.
    if (anyFailed)
        closeDatabase();
}

namespace {

constexpr qint64 kRecentSeconds = 3600;

qint64 steadySecond()
{
    return std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

void AnswerWriter::countStored()
{
    m_stored.fetch_add(1);
    const qint64 now = steadySecond();
    const std::lock_guard lock(m_recentMutex);
    if (!m_recent.empty() && m_recent.back().first == now)
        ++m_recent.back().second;
    else
        m_recent.emplace_back(now, 1);
    while (m_recent.front().first <= now - kRecentSeconds)
        m_recent.pop_front();
}

quint64 AnswerWriter::storedWithin(std::chrono::seconds span) const
{
    const qint64 since = steadySecond() - std::min<qint64>(span.count(), kRecentSeconds);
    const std::lock_guard lock(m_recentMutex);
    quint64 stored = 0;
    for (auto it = m_recent.rbegin(); it != m_recent.rend() && it->first > since; ++it)
        stored += it->second;
    return stored;
}

Result<void> AnswerWriter::ensureOpen()
{
    if (m_store)
        return {};
    // Every commit of the store waits for the disk: an acknowledged answer survives a crash.
    auto opened = m_calls.borrow();
    if (!opened)
        return failure(QStringLiteral("the answers database %1 cannot be opened: %2")
                           .arg(shownLocation(m_path), opened.error().detail));
    m_store = std::move(opened).value();
    return {};
}

void AnswerWriter::closeDatabase()
{
    StorePool::discard(m_store);
    m_store.reset();
}

} // namespace quenlow
