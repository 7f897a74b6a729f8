// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/AnswersTableModel.h"

#include "database/AnswersDatabase.h"
#include "reporter/ReporterDatabase.h"

#include <sqlite3.h>

#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

namespace {

constexpr int kPageRows = 256;
constexpr int kKeptPages = 24;
const auto kOrderTable = "temp.answer_order"_L1;

struct Statement {
    sqlite3_stmt* stmt = nullptr;
    Statement(sqlite3* db, const QString& sql)
    {
        const QByteArray utf8 = sql.toUtf8();
        if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt, nullptr) != SQLITE_OK)
            stmt = nullptr;
    }
    ~Statement() { sqlite3_finalize(stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
};

QString likePattern(const QString& text)
{
    QString escaped = text;
    escaped.replace(u"\\"_s, u"\\\\"_s).replace(u"%"_s, u"\\%"_s).replace(u"_"_s, u"\\_"_s);
    return u"%"_s + escaped + u"%"_s;
}

} // namespace

AnswersTableModel::AnswersTableModel(const QString& databasePath, const QString& table, const QStringList& columns,
                                     QObject* parent)
    : QAbstractTableModel(parent)
    , m_databasePath(databasePath)
    , m_table(table)
    , m_columns(columns)
{
    rebuild();
}

AnswersTableModel::~AnswersTableModel() = default;

int AnswersTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_count;
}

int AnswersTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant AnswersTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const Row* row = rowAt(index.row());
    if (!row || index.column() >= row->values.size())
        return {};
    QString text = row->values.at(index.column());
    // One line in the cell; the whole answer in the tool tip.
    return role == Qt::DisplayRole ? text.replace(u'\n', u' ').replace(u'\r', u' ') : QVariant(text);
}

QVariant AnswersTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < m_columns.size() ? QVariant(m_columns.at(section)) : QVariant();
    return section + 1;
}

void AnswersTableModel::sort(int column, Qt::SortOrder order)
{
    if (column == m_sortColumn && order == m_sortOrder)
        return;
    m_sortColumn = column < m_columns.size() ? column : -1;
    m_sortOrder = order;
    refresh();
}

void AnswersTableModel::setFilterText(const QString& text)
{
    if (text == m_filter)
        return;
    m_filter = text;
    refresh();
}

void AnswersTableModel::refresh()
{
    beginResetModel();
    rebuild();
    endResetModel();
}

void AnswersTableModel::rebuild()
{
    m_pages.clear();
    m_pageUse.clear();
    m_count = 0;
    m_ordered = false;
    m_denseIds = false;
    m_error.clear();
    if (!m_db) {
        m_db = openAnswersDatabase(m_databasePath, &m_error);
        if (!m_db)
            return;
    }
    sqlite3* db = m_db->handle();
    const QString table = AnswersDatabase::quoteIdentifier(m_table);
    m_db->exec(u"DROP TABLE IF EXISTS "_s + kOrderTable);

    if (m_sortColumn < 0 && m_filter.isEmpty()) {
        // Stored order: while no answer was deleted row N is id first + N,
        // so any page is a seek; otherwise a page is counted out with OFFSET.
        Statement s(db, u"SELECT (SELECT min(rowid) FROM %1), (SELECT max(rowid) FROM %1), (SELECT count(*) FROM %1)"_s
                            .arg(table));
        if (!s.stmt || sqlite3_step(s.stmt) != SQLITE_ROW) {
            m_error = QString::fromUtf8(sqlite3_errmsg(db));
            return;
        }
        const qint64 count = sqlite3_column_int64(s.stmt, 2);
        m_firstId = sqlite3_column_int64(s.stmt, 0);
        m_denseIds = count > 0 && sqlite3_column_int64(s.stmt, 1) - m_firstId + 1 == count;
        m_count = int(qMin<qint64>(count, std::numeric_limits<int>::max()));
        return;
    }

    // The matching ids, in the order shown, numbered from 0.
    QString sql = u"CREATE TEMP TABLE answer_order (position INTEGER PRIMARY KEY, id INTEGER); "
                  u"INSERT INTO answer_order (position, id) SELECT row_number() OVER (ORDER BY %1) - 1, rowid FROM %2"_s;
    QString order = u"rowid"_s;
    if (m_sortColumn >= 0)
        order = AnswersDatabase::quoteIdentifier(m_columns.at(m_sortColumn))
            + (m_sortOrder == Qt::AscendingOrder ? u" COLLATE NOCASE ASC, rowid"_s : u" COLLATE NOCASE DESC, rowid"_s);
    sql = sql.arg(order, table);
    if (!m_filter.isEmpty()) {
        QStringList matches;
        for (const QString& column : m_columns)
            matches.append(AnswersDatabase::quoteIdentifier(column) + u" LIKE ?1 ESCAPE '\\'"_s);
        sql += u" WHERE "_s + (matches.isEmpty() ? u"0"_s : matches.join(u" OR "_s));
    }
    const QStringList binds = m_filter.isEmpty() ? QStringList() : QStringList{likePattern(m_filter)};
    // Two statements: exec runs one, so create first.
    const qsizetype split = sql.indexOf(u"; "_s);
    if (!m_db->exec(sql.first(split)) || !m_db->exec(sql.sliced(split + 2), binds)) {
        m_error = m_db->lastError();
        return;
    }
    Statement count(db, u"SELECT count(*) FROM "_s + kOrderTable);
    if (!count.stmt || sqlite3_step(count.stmt) != SQLITE_ROW) {
        m_error = QString::fromUtf8(sqlite3_errmsg(db));
        return;
    }
    m_count = int(qMin<qint64>(sqlite3_column_int64(count.stmt, 0), std::numeric_limits<int>::max()));
    m_ordered = true;
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
    if (!m_db)
        return false;
    QStringList columns;
    for (const QString& column : m_columns)
        columns.append(u"t."_s + AnswersDatabase::quoteIdentifier(column));
    const QString selected = columns.isEmpty() ? QString() : u", "_s + columns.join(u", "_s);
    const QString table = AnswersDatabase::quoteIdentifier(m_table);
    QString sql;
    qint64 first = qint64(page) * kPageRows;
    if (m_ordered)
        sql = u"SELECT t.rowid%1 FROM %2 o JOIN %3 t ON t.rowid = o.id WHERE o.position >= ?1 ORDER BY o.position LIMIT ?2"_s
                  .arg(selected, kOrderTable, table);
    else if (m_denseIds)
        sql = u"SELECT t.rowid%1 FROM %2 t WHERE t.rowid >= ?1 ORDER BY t.rowid LIMIT ?2"_s.arg(selected, table);
    else
        sql = u"SELECT t.rowid%1 FROM %2 t ORDER BY t.rowid LIMIT ?2 OFFSET ?1"_s.arg(selected, table);
    if (m_denseIds && !m_ordered)
        first += m_firstId;
    Statement s(m_db->handle(), sql);
    if (!s.stmt) {
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db->handle()));
        return false;
    }
    sqlite3_bind_int64(s.stmt, 1, first);
    sqlite3_bind_int64(s.stmt, 2, kPageRows);
    QList<Row> rows;
    rows.reserve(kPageRows);
    while (sqlite3_step(s.stmt) == SQLITE_ROW) {
        Row row;
        row.id = sqlite3_column_int64(s.stmt, 0);
        for (int c = 1; c <= m_columns.size(); ++c)
            row.values.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.stmt, c)),
                                                sqlite3_column_bytes(s.stmt, c)));
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

bool AnswersTableModel::deleteAnswers(const QList<qint64>& rowIds)
{
    if (!m_db) {
        m_error = u"the answers database is not open"_s;
        return false;
    }
    bool ok = m_db->begin();
    for (qsizetype i = 0; ok && i < rowIds.size(); ++i)
        ok = m_db->exec(u"DELETE FROM %1 WHERE rowid = CAST(?1 AS INTEGER)"_s.arg(AnswersDatabase::quoteIdentifier(m_table)),
                        {QString::number(rowIds.at(i))});
    if (!ok) {
        m_error = m_db->lastError();
        m_db->rollback();
        return false;
    }
    if (!m_db->commit()) {
        m_error = m_db->lastError();
        m_db->rollback();
        return false;
    }
    refresh();
    return true;
}

} // namespace quenlow
