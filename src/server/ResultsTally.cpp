// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/ResultsTally.h"

#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "model/TypedAnswers.h"
#include "server/ServiceClock.h"
#include "server/StoreExecutor.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>

namespace quenlow {

namespace {

constexpr qint64 kPage = 20000;
// A table whose reading failed is tried again after this long.
constexpr auto kRetryAfter = std::chrono::seconds(5);
// Counts are read again from the store at most this often while they are
// asked for, and no more often than ten readings' time: other servers'
// answers, answers the designer deleted and answers replaced are then seen.
constexpr auto kReadAgainAfter = std::chrono::seconds(2);
constexpr int kReadingsApart = 10;

using Clock = std::chrono::steady_clock;

struct Table {
    enum State { Wanted, Reading, Ready, Failed } state = Wanted;
    QSet<QString> fields; // folded names of the fields counted
    qint64 total = 0;
    qint64 readUpTo = -1; // the last row id the reading saw
    QHash<QString, QHash<QString, qint64>> values; // folded field → value → count
    QList<std::pair<qint64, QList<Answer>>> arrivedWhileReading;
    bool counted = false; // read once: served, a little behind, while read again
    bool replacedWhileReading = false; // the reading may have missed a replacement
    Clock::time_point failedAt;
    Clock::time_point readAt; // when the last reading began
    Clock::duration readTook {};
    Clock::time_point notBefore; // a reading asked for waits until then
};

void add(Table& table, const QList<Answer>& answers)
{
    ++table.total;
    for (const Answer& a : answers) {
        if (!a.value)
            continue;
        const QString field = foldAscii(a.field);
        if (table.fields.contains(field))
            ++table.values[field][*a.value];
    }
}

} // namespace

struct ResultsTally::Shared : std::enable_shared_from_this<Shared> {
    Shared(StoreExecutor& runOn, ServiceClock& turns)
        : executor(runOn)
        , clock(turns)
    {
    }

    StoreExecutor& executor;
    ServiceClock& clock;
    std::mutex mutex;
    std::condition_variable changed;
    QHash<QString, Table> tables;
    bool stopping = false;
    bool reading = false; // a turn of readings is under way on the executor
    ServiceClock::Key turn = 0; // the next turn, waiting on the clock

    // The names of the table's columns that are counted, as it names them.
    static Result<QStringList> storedColumns(
        AnswersStore& store, const QString& table, const QSet<QString>& fields)
    {
        const auto columns = store.columns(table);
        if (!columns)
            return columns.error();
        QStringList names;
        for (const AnswersStore::Column& c : *columns) {
            if (fields.contains(foldAscii(c.name)))
                names.append(c.name);
        }
        return names;
    }

    bool read(const QString& name, QSet<QString> fields)
    {
        const Clock::time_point began = Clock::now();
        auto store = executor.borrow();
        if (!store)
            return false;
        const auto columns = storedColumns(**store, name, fields);
        if (!columns)
            return false;
        Table fresh;
        fresh.fields = fields;
        QList<QString> folded;
        for (const QString& c : *columns)
            folded.append(foldAscii(c));
        qint64 after = -1;
        for (;;) {
            const auto visited = (*store)->visitRows(
                name, *columns, after, kPage, [&](qint64 id, AnswersStore::RawValues values) {
                    ++fresh.total;
                    for (qsizetype i = 0; i < folded.size(); ++i) {
                        if (values[size_t(i)])
                            ++fresh.values[folded.at(i)][QString::fromUtf8(*values[size_t(i)])];
                    }
                    after = id;
                });
            if (!visited)
                return false;
            if (*visited < kPage)
                break;
        }
        fresh.readUpTo = after;
        std::lock_guard lock(mutex);
        Table& table = tables[name];
        if (table.state != Table::Reading || table.fields != fields) // other questions meanwhile: read again
            return true;
        // Rows committed while the table was read count once: those it did not see.
        for (const auto& [id, answers] : std::as_const(table.arrivedWhileReading)) {
            if (id > fresh.readUpTo)
                add(fresh, answers);
        }
        fresh.counted = true;
        fresh.readAt = began;
        fresh.readTook = Clock::now() - began;
        // Answers replaced while it was read are taken in by the next reading;
        // these counts serve, and are added to, until then.
        fresh.state = table.replacedWhileReading ? Table::Wanted : Table::Ready;
        fresh.notBefore = nextReading(fresh);
        table = std::move(fresh);
        return true;
    }

    static Clock::time_point nextReading(const Table& table)
    {
        return table.readAt + std::max<Clock::duration>(kReadAgainAfter, kReadingsApart * table.readTook);
    }

    // With the mutex held: a turn of readings when a table is wanted and none is under way.
    void next()
    {
        if (reading || stopping)
            return;
        reading = true;
        if (!executor.post([self = shared_from_this()] { self->readWanted(); }))
            reading = false;
    }

    // The tables wanted, one after the other; a table due later gets a turn on the clock.
    void readWanted()
    {
        std::unique_lock lock(mutex);
        while (!stopping) {
            QString name;
            QSet<QString> fields;
            const Clock::time_point now = Clock::now();
            std::optional<Clock::time_point> soonest;
            for (auto it = tables.begin(); it != tables.end(); ++it) {
                if (it->state != Table::Wanted)
                    continue;
                if (it->notBefore > now) {
                    soonest = soonest ? std::min(*soonest, it->notBefore) : it->notBefore;
                    continue;
                }
                name = it.key();
                fields = it->fields;
                it->state = Table::Reading;
                it->replacedWhileReading = false;
                it->arrivedWhileReading.clear();
                break;
            }
            if (name.isEmpty()) {
                reading = false;
                clock.cancel(turn);
                turn = 0;
                if (soonest) {
                    turn = clock.after(std::chrono::ceil<std::chrono::milliseconds>(*soonest - now),
                        [self = shared_from_this()] {
                            std::lock_guard relock(self->mutex);
                            self->next();
                        });
                }
                return;
            }
            lock.unlock();
            const bool ok = read(name, fields);
            lock.lock();
            Table& table = tables[name];
            if (!ok) {
                table.state = Table::Failed;
                table.failedAt = Clock::now();
            } else if (table.state == Table::Reading) {
                table.state = Table::Wanted; // the questions changed meanwhile
                table.notBefore = {};
            }
            changed.notify_all();
        }
        reading = false;
    }

    // Asks for the table to be read when it is not, or no longer, known.
    // With the mutex held.
    Table& want(const QString& name, const QSet<QString>& fields, bool readAgainWhenOld = true)
    {
        Table& table = tables[name];
        QSet<QString> missing = fields;
        const bool otherFields = !missing.subtract(table.fields).isEmpty();
        const Clock::time_point now = Clock::now();
        const bool retry = table.state == Table::Failed && now - table.failedAt >= kRetryAfter;
        if (otherFields || retry) {
            table.fields.unite(fields);
            table.state = Table::Wanted;
            table.notBefore = {};
        } else if (readAgainWhenOld && table.state == Table::Ready && now >= nextReading(table)) {
            // Served as they are, and read again in the background.
            table.state = Table::Wanted;
            table.notBefore = {};
        }
        if (table.state == Table::Wanted) {
            changed.notify_all();
            next();
        }
        return table;
    }
};

ResultsTally::ResultsTally(StoreExecutor& executor, ServiceClock& clock)
    : m_shared(std::make_shared<Shared>(executor, clock))
{
}

ResultsTally::~ResultsTally()
{
    std::lock_guard lock(m_shared->mutex);
    m_shared->stopping = true;
    m_shared->clock.cancel(m_shared->turn);
}

std::optional<ResultsTally::Counts> ResultsTally::counts(const QString& table, const QStringList& fields,
    const QList<QStringList>& options, std::chrono::milliseconds wait, const QList<bool>& typedToo,
    const QString& otherLabel)
{
    QSet<QString> folded;
    for (const QString& f : fields)
        folded.insert(foldAscii(f));
    std::unique_lock lock(m_shared->mutex);
    m_shared->want(table, folded);
    const auto ready = [&] {
        const Table& t = m_shared->tables[table];
        return t.counted || t.state == Table::Failed;
    };
    if (!m_shared->changed.wait_for(lock, wait, ready))
        return std::nullopt;
    const Table& t = m_shared->tables[table];
    if (!t.counted)
        return std::nullopt;
    Counts counts;
    counts.total = t.total;
    for (qsizetype q = 0; q < fields.size(); ++q) {
        const QHash<QString, qint64> values = t.values.value(foldAscii(fields.at(q)));
        QList<qint64> perOption;
        for (const QString& option : options.value(q))
            perOption.append(values.value(option));
        counts.perQuestion.append(perOption);
        QList<std::pair<QString, qint64>> typed;
        if (typedToo.value(q)) {
            const QStringList& offered = options.at(q);
            for (auto it = values.cbegin(); it != values.cend(); ++it) {
                if (!it.key().isEmpty() && it.value() > 0 && !offered.contains(it.key())
                    && it.key() != columnAddedMarker())
                    typed.append({ it.key(), it.value() });
            }
            // The tally keeps no order of arrival: ties go by their text, the same on every reading.
            std::sort(typed.begin(), typed.end());
        }
        counts.typed.append(typedAnswersShown(typed, otherLabel));
    }
    return counts;
}

std::optional<qint64> ResultsTally::totalIfKnown(const QString& table, bool readAgainWhenOld)
{
    std::lock_guard lock(m_shared->mutex);
    const Table& t = m_shared->want(table, {}, readAgainWhenOld);
    return t.counted ? std::optional<qint64>(t.total) : std::nullopt;
}

void ResultsTally::committed(const Submission& submission, const WriteResult& result)
{
    if (!result
        || (result->outcome != StoredSubmission::Stored && result->outcome != StoredSubmission::Replaced))
        return;
    std::lock_guard lock(m_shared->mutex);
    const auto it = m_shared->tables.find(submission.table);
    if (it == m_shared->tables.end())
        return;
    Table& table = *it;
    if (result->outcome == StoredSubmission::Replaced) {
        // The answers replaced are not known here: the table is read again,
        // when the last reading is old enough, and counts on meanwhile.
        if (table.state == Table::Reading) {
            table.replacedWhileReading = true;
        } else if (table.state == Table::Ready) {
            table.state = Table::Wanted;
            table.notBefore = Shared::nextReading(table);
            m_shared->changed.notify_all();
            m_shared->next();
        }
        return;
    }
    if (table.state == Table::Reading)
        table.arrivedWhileReading.append({ result->rowId, submission.answers });
    else if (table.counted)
        add(table, submission.answers);
}

} // namespace quenlow
