// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "database/AnswersStore.h"
#include "database/Participants.h"

#include "database/StoreRules.h"
#include <QSet>

#include <QHash>

#include <optional>

struct sqlite3_stmt;

namespace quenlow {

class SqliteConnection;

/// The embedded answers store: one SQLite file in WAL mode, so the
/// collection service writes rows while the designer changes columns.
/// Arrival times and page tokens live in a side table, and the store's own
/// settings in another, so the answers tables keep exactly the columns of
/// their questions.
class SqliteAnswersStore final : public AnswersStore
{
public:
    static Result<std::shared_ptr<AnswersStore>> open(const QString& path);
    static Result<std::shared_ptr<AnswersStore>> create(const QString& path);
    ~SqliteAnswersStore() override;
    Q_DISABLE_COPY_MOVE(SqliteAnswersStore)

    Result<bool> tableExists(const QString& table) override;
    Result<QStringList> tables() override;
    Result<void> createTable(const QString& table, const QString& firstColumn) override;
    Result<void> dropTable(const QString& table) override;
    Result<void> renameTable(const QString& from, const QString& to) override;
    Result<void> copyTable(const QString& from, const QString& to, bool withRows) override;
    Result<QList<Column>> columns(const QString& table) override;
    Result<void> addColumn(
        const QString& table, const QString& column, ColumnKind kind, const QString& olderRowsText) override;
    Result<void> renameColumn(const QString& table, const QString& from, const QString& to) override;
    Result<void> dropColumn(const QString& table, const QString& column) override;
    Result<QStringList> restoreColumns(const QString& table, const QList<Column>& target,
        const QString& olderRowsText, Restore how) override;
    Result<bool> columnHoldsAnswers(const QString& table, const QString& column) override;
    Result<qint64> rowCount(const QString& table) override;
    Result<RowSpan> rowSpan(const QString& table) override;
    Result<QList<Row>> readRows(const QString& table, const QStringList& columns, qint64 afterId,
        qint64 limit, bool arrivals = false) override;
    Result<qint64> visitRows(const QString& table, const QStringList& columns, qint64 afterId, qint64 limit,
        const std::function<void(qint64 id, RawValues values)>& visit) override;
    Result<qint64> orderRows(const QString& table, const RowOrder& order) override;
    Result<QList<Row>> orderedRows(const QString& table, const QStringList& columns, qint64 position,
        qint64 limit, bool arrivals = false) override;
    qint64 keepOrder(QList<qint64> ids) override
    {
        m_orderIds = std::move(ids);
        return qint64(m_orderIds.size());
    }
    Result<QList<qint64>> countMatches(
        const QString& table, const QString& column, const QStringList& values) override;
    Result<void> deleteRows(const QString& table, const QList<qint64>& ids) override;
    Result<QList<Inserted>> insertRows(const QList<NewRow>& rows) override;
    Result<std::optional<QDateTime>> arrivalOf(const QString& table, qint64 rowId) override;
    Result<std::optional<QDateTime>> changeOf(const QString& table, qint64 rowId) override;
    // A form's participants (see database/Participants.h).
    Result<void> addParticipants(const QString& table, const QList<Participant>& people);
    Result<QList<Participant>> participants(const QString& table);
    Result<void> removeParticipants(const QString& table, const QStringList& codes);
    Result<Participation> participation(const QString& table);
    Result<CodeState> participantCodeState(const QString& table, const QString& code);
    Result<QHash<qint64, Participant>> participantsByAnswer(const QString& table);
    Result<QByteArray> sharedKey() override;
    /// The shared key when one was made, without making one.
    Result<std::optional<QByteArray>> keptSharedKey();
    Result<void> checkWritable() override;
    QString location() const override { return shownLocation(m_path); }
    int columnLimit() const override;

    bool replaced() const override;

private:
    SqliteAnswersStore(const QString& path, std::unique_ptr<SqliteConnection> db);
    static Error failure(const QString& what, const Error& cause);
    /// What the engine said of the statement of the store's own that just failed.
    Error engineFailure(const QString& what) const;
    Result<void> inTransaction(const std::function<Result<void>()>& work);
    Result<bool> hasArrivals();
    /// Whether the side table keeps change times; with `make`, the column is
    /// added to a side table of before.
    Result<bool> hasChangeTimes(bool make);
    /// The rows `stmt` steps through (it is finalized); with `changes`, the
    /// change time follows the arrival.
    Result<QList<Row>> rowsOf(sqlite3_stmt* stmt, int valueCount, bool changes = false);
    Result<std::optional<QDateTime>> timeOf(const QString& column, const QString& table, qint64 rowId);
    /// A statement of rows of `table`, to be finalized by the caller; NotFound when the table is missing.
    Result<sqlite3_stmt*> prepareOn(const QString& table, const QByteArray& sql);
    /// Steps a kept statement that returns no rows, then resets it.
    Result<void> stepOnce(sqlite3_stmt* stmt);
    /// The writer's own fixed statements (begin, commit, the version
    /// pragmas), prepared once and kept, as every batch runs them.
    Result<void> stepKept(const QString& sql);
    Result<qint64> keptNumber(const QString& sql);
    // The steps of storing one row (SqliteWrites.cpp), taken by the rules of tokens and limits.
    friend class SqliteRowWrites;
    Result<std::optional<rules::TokenHolder>> tokenHolder(const QString& token, const QString& table);
    /// For a page sent again: its answers in place of those of `rowId`; true when one differed.
    Result<bool> replaceAnswers(
        const NewRow& row, qint64 rowId, const QStringList& columns, const rules::PickedValues& values);
    /// A new row, and its arrival and token beside it; its id.
    Result<qint64> insertNew(
        const NewRow& row, const QStringList& columns, const rules::PickedValues& values);
    Result<QList<Row>> readRowsOf(
        const QString& table, const QStringList& columns, qint64 afterId, qint64 limit, bool arrivals);
    /// How many values one select of rows can read.
    qsizetype selectableColumns() const;
    /// Appends to each of `rows` its values of `columns` from `from` on.
    Result<void> readOtherColumns(
        const QString& table, const QStringList& columns, qsizetype from, QList<Row>& rows);
    Result<Inserted> insertOne(const NewRow& row);
    // A participant's code answering (SqliteParticipants.cpp), in the writer's transaction.
    Result<rules::CodeHolder> codeHolder(const NewRow& row);
    Result<void> claimCode(const NewRow& row, std::optional<qint64> rowId);
    /// The statements on the table's participants, once they can keep the
    /// row of their answers (a table of before gets the column); none when
    /// the form has no participants.
    struct CodeStatements {
        QString lookup, claim;
    };
    Result<const CodeStatements*> codeStatements(const QString& table);
    // The participant the last code looked up is (its table's rowid), for
    // claiming it without looking again; in the writer's transaction only.
    struct CodeSeen {
        QString table, code;
        qint64 participant = -1;
    };
    CodeSeen m_codeSeen;
    /// The participants of `table` who have not answered, by their packed
    /// codes; read once, then kept as this connection claims codes. Null
    /// when there are too many to keep.
    Result<const QHash<quint64, qint64>*> unclaimedCodes(const QString& table);
    /// The rows of `table` now, counted in the writer's transaction.
    Result<qint64> rowsCounted(const QString& table);
    /// Whether one of the row's quotas is full (see RowEngine::quotaFull).
    Result<bool> quotaFull(const NewRow& row, std::optional<qint64> holder);
    /// The rows of `table` whose column `column` (its place) holds `answer`,
    /// counted in the writer's transaction.
    Result<qint64> quotaCounted(const QString& table, int column, const QString& answer);
    /// A new row stored: the quota counts it falls into go up.
    void countQuotas(const QString& table, const rules::PickedValues& values);
    /// `id`, the id the engine gave a new row of `table`, or the row moved
    /// past the ids of rows deleted before.
    Result<qint64> unusedId(const QString& table, qint64 id);
    struct TableColumns {
        QStringList names;
        QHash<QString, int> byFoldedName;
    };
    const TableColumns* columnsOf(const QString& table);
    sqlite3_stmt* statementFor(const QString& sql);
    void forgetSchema();

    QString m_path;
    std::unique_ptr<SqliteConnection> m_db;
    quint64 m_device = 0, m_inode = 0;
    // The writer's caches, valid for one schema version.
    qint64 m_schemaVersion = -1;
    bool m_arrivalsKnown = false;
    bool m_changesKnown = false;
    std::optional<bool> m_marksKnown;
    QHash<QString, TableColumns> m_columns;
    // By answers table: participants known to keep their answers' rows, and
    // the statements on them, made once rather than for every row.
    QHash<QString, CodeStatements> m_codeStatements;
    // By answers table: its participants not answered yet (their rows), so
    // that a code answering first needs no look-up. Valid while no other
    // connection has written, nor anything but the writer's transactions on
    // this one (its count of changes after the last of them tells).
    QHash<QString, QHash<quint64, qint64>> m_unclaimed;
    qint64 m_changesAfterWriting = -1;
    // Rows per table, valid while no other connection has written.
    QHash<QString, qint64> m_rowCounts;
    // Rows per answer of a column under a quota, kept as the row counts are.
    struct QuotaCount {
        int column;
        QString answer;
        qint64 rows;
    };
    QHash<QString, QList<QuotaCount>> m_quotaCounts;
    qint64 m_countsDataVersion = -1;
    QHash<QString, sqlite3_stmt*> m_statements;
    // The reader's: the last order made, and the last span counted with what
    // it was counted at (counting a large table is its one slow step).
    QList<qint64> m_orderIds;
    struct SpanSeen {
        QString table;
        qint64 dataVersion = -1, schemaVersion = -1, changes = -1;
        RowSpan span;
    };
    std::optional<SpanSeen> m_spanSeen;
};

} // namespace quenlow
