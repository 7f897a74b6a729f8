// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "database/AnswersStore.h"
#include "database/Participants.h"

#include <QHash>
#include <QSet>

#include <memory>

namespace quenlow {

namespace postgres {
class Connection;
struct Param;
}

/// The answers store on a PostgreSQL server, shared by several collection
/// servers and the designer. Answers tables live in the schema "answers",
/// the store's own tables in the schema "quenlow". Physical table and column
/// names are the names folded to ASCII lower case (so the server itself
/// refuses names that differ in ASCII case only), shortened with a hash
/// where longer than the server's 63 bytes; the real names are kept in the
/// objects' comments. A store object is used from one thread at a time.
class PostgresAnswersStore final : public AnswersStore
{
public:
    /// The database must hold a store (NotFound otherwise); an unreachable
    /// server is an Io failure.
    static Result<std::shared_ptr<AnswersStore>> open(const QString& url);
    /// Makes the store's tables, and the database when it is missing.
    static Result<std::shared_ptr<AnswersStore>> create(const QString& url);
    /// `url` without a password, for messages and logs.
    static QString withoutPassword(const QString& url);
    ~PostgresAnswersStore() override;
    Q_DISABLE_COPY_MOVE(PostgresAnswersStore)

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

    bool keepsPublications() const override { return true; }
    Result<void> publish(const Publication& form) override;
    Result<void> unpublish(const QString& form) override;
    Result<QStringList> publishedForms() override;
    Result<std::optional<QString>> renamedForm(const QString& formerName) override;
    Result<std::optional<Publication>> publication(const QString& form) override;
    Result<std::optional<PublishedFile>> publishedFile(const QString& name) override;
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
    bool replaced() const override { return false; }
    QString location() const override { return m_location; }
    void interrupt() override;
    int columnLimit() const override { return 1600; } // the server's own limit

private:
    explicit PostgresAnswersStore(std::unique_ptr<postgres::Connection> connection, const QString& location);
    static Result<std::shared_ptr<AnswersStore>> reached(const QString& url, bool create);

    // Columns and schema (PostgresSchema.cpp), and the changes the rules of restoring columns take.
    friend class PostgresColumnChanges;
    /// Runs `work` in one transaction that also tells the collection servers
    /// the columns changed.
    Result<void> changeColumns(const std::function<Result<void>()>& work);
    Result<void> addColumnNow(
        const QString& table, const QString& column, bool memo, const QString& olderRowsText, bool fill);
    /// Renames the column (unless only its ASCII case changes, which the
    /// server's name does not show) and puts its real name in its comment.
    Result<void> renameColumnNow(const QString& table, const QString& from, const QString& to);
    Result<qint64> count(const QString& table);

    // Rows read (PostgresAnswersStore.cpp).
    Result<QList<Row>> rowsOf(
        const QString& sql, const QList<postgres::Param>& params, int valueCount, bool withArrival);

    // The batch pipeline (PostgresBatch.cpp).
    struct TableColumns {
        QStringList physical;
        QHash<QString, int> byFoldedName;
        QString sequence;
    };
    Result<const TableColumns*> columnsOf(const QString& table);
    Result<QList<Inserted>> insertBatch(const QList<NewRow>& rows, bool* sentCommit, bool lockFirst);
    /// The statement storing `row`, its values put in `params`.
    static QByteArray insertStatement(
        const NewRow& row, const TableColumns& table, QList<postgres::Param>* params);
    void forgetSchema();
    /// Whether the participants of `table` can keep their answers' row (a
    /// table of before gets the column); false when the form has none.
    Result<bool> participantsReady(const QString& table);

    std::unique_ptr<postgres::Connection> m_db;
    QString m_location;
    // The ids of the last order of rows made.
    QList<qint64> m_orderIds;
    // The writer's caches, valid for one version of the columns.
    qint64 m_columnsVersion = -1;
    QHash<QString, TableColumns> m_columns;
    QSet<QString> m_participantsReady; // physical names of tables known to keep their answers' rows
};

} // namespace quenlow
