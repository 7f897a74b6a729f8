// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/AnswersTableModel.h"

#include "database/AnswersStore.h"
#include "database/Participants.h"
#include "database/Receipts.h"

#include <algorithm>
#include <limits>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

namespace {

constexpr int kPageRows = 256;
constexpr int kKeptPages = 24;

} // namespace

AnswersTableModel::AnswersTableModel(
    const QString& databasePath, const QString& table, const QStringList& columns, QObject* parent)
    : QAbstractTableModel(parent)
    , m_databasePath(databasePath)
    , m_table(table)
    , m_columns(columns)
{
}

AnswersTableModel::~AnswersTableModel() = default;

int AnswersTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_count;
}

int AnswersTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size() + kExtraColumns + m_participantHeadings.size());
}

QVariant AnswersTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const Row* row = rowAt(index.row());
    if (!row)
        return {};
    if (const qsizetype who = index.column() - m_columns.size() - kExtraColumns; who >= 0)
        return m_participants.value(row->id).value(who);
    if (index.column() >= m_columns.size()) {
        switch (Extra(index.column() - m_columns.size())) {
        case Extra::Submitted:
            return shownTime(row->arrivedAt);
        case Extra::Changed:
            return shownTime(row->changedAt);
        case Extra::Receipt:
            return row->receipt;
        }
        return {};
    }
    if (index.column() >= row->values.size())
        return {};
    QString text = row->values.at(index.column());
    // One line in the cell; the whole answer in the tool tip.
    return role == Qt::DisplayRole ? text.replace(u'\n', u' ').replace(u'\r', u' ') : QVariant(text);
}

QVariant AnswersTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section >= 0 && section < m_columns.size())
        return m_columns.at(section);
    if (const qsizetype who = section - m_columns.size() - kExtraColumns; who >= 0)
        return who == 0 ? tr("Participant") : m_participantHeadings.value(who);
    switch (Extra(section - m_columns.size())) {
    case Extra::Submitted:
        return tr("Submitted");
    case Extra::Changed:
        return tr("Changed");
    case Extra::Receipt:
        return tr("Receipt");
    }
    return {};
}

void AnswersTableModel::sort(int column, Qt::SortOrder order)
{
    if (column == m_sortColumn && order == m_sortOrder)
        return;
    // Who answered is shown, not sorted by.
    m_sortColumn = column < m_columns.size() + kExtraColumns ? column : -1;
    m_sortOrder = order;
    // The view's heading asked: nobody else hears the failure.
    if (const Result<void> read = refresh(); !read)
        emit readFailed(read.error());
}

Result<void> AnswersTableModel::setFilterText(const QString& text)
{
    if (text == m_filter)
        return {};
    m_filter = text;
    return refresh();
}

Result<void> AnswersTableModel::refresh()
{
    beginResetModel();
    Result<void> read = rebuild();
    endResetModel();
    return read;
}

Result<void> AnswersTableModel::rebuild()
{
    m_pages.clear();
    m_pageUse.clear();
    m_count = 0;
    m_ordered = false;
    m_denseIds = false;
    m_pageFailureTold = false;
    if (!m_store) {
        auto opened = openAnswersStore(m_databasePath);
        if (!opened)
            return opened.error();
        m_store = std::move(opened).value();
        // The key the service made the receipts with; a store that keeps
        // none gave none.
        m_receiptKey = keptReceiptKey(*m_store).valueOr(std::nullopt).value_or(QByteArray());
    }
    if (const Result<void> who = readParticipants(); !who)
        return who;

    if (m_sortColumn < 0 && m_filter.isEmpty()) {
        // Stored order: while no answer was deleted row N is id first + N,
        // so any page is a seek.
        const auto span = m_store->rowSpan(m_table);
        if (!span)
            return span.error();
        m_firstId = span->first;
        m_denseIds = span->count > 0 && span->last - span->first + 1 == span->count;
        if (m_denseIds || span->count == 0) {
            m_count = int(qMin<qint64>(span->count, std::numeric_limits<int>::max()));
            return {};
        }
    }

    // Sorted, filtered, or with gaps in the ids: the order is made once.
    AnswersStore::RowOrder order;
    const bool byExtra = m_sortColumn >= m_columns.size();
    if (m_sortColumn >= 0 && !byExtra)
        order.sortColumn = m_columns.at(m_sortColumn);
    order.descending = m_sortOrder == Qt::DescendingOrder;
    order.filter = m_filter;
    order.filterColumns = m_columns;
    const auto counted = m_store->orderRows(m_table, order);
    if (!counted)
        return counted.error();
    m_count = int(qMin<qint64>(*counted, std::numeric_limits<int>::max()));
    m_ordered = true;
    if (byExtra) {
        if (const Result<void> ordered = orderByExtra(Extra(m_sortColumn - m_columns.size())); !ordered) {
            m_count = 0;
            m_ordered = false;
            return ordered;
        }
    }
    return {};
}

Result<void> AnswersTableModel::readParticipants()
{
    m_participantHeadings.clear();
    m_participants.clear();
    const auto byRow = participantsByAnswer(*m_store, m_table);
    if (!byRow)
        return byRow.error();
    if (byRow->isEmpty())
        return {};
    m_participantHeadings = { u"Participant"_s };
    QList<qint64> ids = byRow->keys();
    std::sort(ids.begin(), ids.end());
    for (const qint64 id : std::as_const(ids)) {
        for (const auto& [name, value] : byRow->value(id).attributes) {
            if (!m_participantHeadings.contains(name))
                m_participantHeadings.append(name);
        }
    }
    for (auto it = byRow->cbegin(); it != byRow->cend(); ++it) {
        QStringList cells { it->code };
        for (qsizetype i = 1; i < m_participantHeadings.size(); ++i) {
            QString value;
            for (const auto& [name, given] : it->attributes) {
                if (name == m_participantHeadings.at(i))
                    value = given;
            }
            cells.append(value);
        }
        m_participants.insert(it.key(), cells);
    }
    return {};
}

Result<void> AnswersTableModel::orderByExtra(Extra extra)
{
    // The rows of the order just made (filtered), each with what it is
    // sorted by; read in pages without their answers.
    struct Keyed {
        qint64 id;
        qint64 when; // for the times: milliseconds, the earliest where there is none
        QString receipt;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(m_count));
    constexpr qint64 kRead = 50000;
    for (qint64 position = 0; position < m_count; position += kRead) {
        const auto rows = m_store->orderedRows(m_table, {}, position, kRead, true);
        if (!rows)
            return rows.error();
        for (const AnswersStore::Row& row : *rows) {
            const std::optional<QDateTime>& time = extra == Extra::Changed ? row.changedAt : row.arrivedAt;
            keyed.push_back({ row.id, time ? time->toMSecsSinceEpoch() : std::numeric_limits<qint64>::min(),
                extra == Extra::Receipt ? receiptOf(row.id, row.arrivedAt) : QString() });
        }
        if (rows->size() < kRead)
            break;
    }
    // Submitted: the order they came in, which is that of their ids (answers
    // kept before arrival times were have the lowest); ties by id.
    std::stable_sort(keyed.begin(), keyed.end(), [extra](const Keyed& a, const Keyed& b) {
        switch (extra) {
        case Extra::Submitted:
            return a.id < b.id;
        case Extra::Changed:
            return a.when != b.when ? a.when < b.when : a.id < b.id;
        case Extra::Receipt:
            return a.receipt != b.receipt ? a.receipt < b.receipt : a.id < b.id;
        }
        return a.id < b.id;
    });
    QList<qint64> ids;
    ids.reserve(qsizetype(keyed.size()));
    for (const Keyed& k : keyed)
        ids.append(k.id);
    if (m_sortOrder == Qt::DescendingOrder)
        std::reverse(ids.begin(), ids.end());
    m_count = int(qMin<qint64>(m_store->keepOrder(std::move(ids)), std::numeric_limits<int>::max()));
    return {};
}

QString AnswersTableModel::receiptOf(qint64 id, const std::optional<QDateTime>& arrivedAt) const
{
    return m_receiptKey.isEmpty() ? QString() : receiptFor(m_receiptKey, id, arrivedAt.value_or(QDateTime()));
}

QString AnswersTableModel::shownTime(const std::optional<QDateTime>& time)
{
    return time ? time->toLocalTime().toString(u"yyyy-MM-dd HH:mm:ss"_s) : QString();
}

std::optional<AnswersTableModel::Answer> AnswersTableModel::answerAt(int row) const
{
    const Row* found = rowAt(row);
    if (!found)
        return std::nullopt;
    Answer answer;
    answer.id = found->id;
    answer.questions = m_columns;
    answer.values = found->values;
    answer.submitted = found->arrivedAt;
    answer.changed = found->changedAt;
    answer.receipt = found->receipt;
    return answer;
}

const AnswersTableModel::Row* AnswersTableModel::rowAt(int row) const
{
    if (row < 0 || row >= m_count)
        return nullptr;
    const int page = row / kPageRows;
    if (!m_pages.contains(page) && !loadPage(page))
        return nullptr;
    m_pageUse.removeOne(page);
    m_pageUse.append(page);
    const QList<Row>& rows = m_pages[page];
    const int offset = row % kPageRows;
    return offset < rows.size() ? &rows.at(offset) : nullptr;
}

bool AnswersTableModel::loadPage(int page) const
{
    if (!m_store)
        return false;
    const qint64 first = qint64(page) * kPageRows;
    const auto read = m_ordered
        ? m_store->orderedRows(m_table, m_columns, first, kPageRows, true)
        : m_store->readRows(m_table, m_columns, m_firstId + first - 1, kPageRows, true);
    if (!read) {
        // Asked while the view paints: told once, and the cells stay empty.
        if (!m_pageFailureTold) {
            m_pageFailureTold = true;
            emit readFailed(read.error());
        }
        return false;
    }
    QList<Row> rows;
    rows.reserve(kPageRows);
    for (const AnswersStore::Row& stored : *read) {
        Row row;
        row.id = stored.id;
        for (const QVariant& value : stored.values)
            row.values.append(value.toString());
        row.arrivedAt = stored.arrivedAt;
        row.changedAt = stored.changedAt;
        row.receipt = receiptOf(stored.id, stored.arrivedAt);
        rows.append(std::move(row));
    }
    if (m_pageUse.size() >= kKeptPages)
        m_pages.remove(m_pageUse.takeFirst());
    m_pages.insert(page, std::move(rows));
    return true;
}

qint64 AnswersTableModel::rowIdAt(int row) const
{
    const Row* found = rowAt(row);
    return found ? found->id : -1;
}

Result<void> AnswersTableModel::deleteAnswers(const QList<qint64>& rowIds)
{
    if (!m_store)
        return Error { Error::Other, u"the answers database is not open"_s };
    if (const Result<void> deleted = m_store->deleteRows(m_table, rowIds); !deleted)
        return deleted;
    return refresh();
}

} // namespace quenlow
