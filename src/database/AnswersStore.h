// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>
#include <span>

namespace quenlow {

/// The answers of the forms: one table per form, one text column per
/// question, one row per submission. Every caller reaches the stored answers
/// through this interface, whichever store holds them: the embedded SQLite
/// file or a PostgreSQL database. Names are compared as the designer does
/// (without regard to ASCII case); each change of tables or columns is one
/// transaction.
class AnswersStore
{
public:
    enum class ColumnKind { Text, Memo };
    struct Column {
        QString name;
        ColumnKind kind = ColumnKind::Text;
        bool isMemo() const { return kind == ColumnKind::Memo; }
        friend bool operator==(const Column&, const Column&) = default;
    };

    /// One stored row: its id (ascending in arrival order) and the values of
    /// the columns asked for; a null QVariant where nothing was answered.
    struct Row {
        qint64 id = -1;
        QVariantList values;
        std::optional<QDateTime> arrivedAt; // read when asked for, and when kept
        std::optional<QDateTime> changedAt; // the same, when its answers were replaced
    };

    /// One submission to store. Fields without a column are left out.
    struct NewRow {
        QString table;
        QList<std::pair<QString, std::optional<QString>>> values;
        /// Stored beside the row; a row whose non-empty token was stored
        /// before is not stored again: its answers replace those of the row
        /// stored first (at `arrivedAt`, kept as its change time) when they
        /// differ.
        QString token;
        QDateTime arrivedAt;
        /// Asked at the last moment: true leaves the row out.
        std::function<bool()> skip;
        /// The most rows the table may hold: a new row beyond it is not
        /// stored (Full). Counted in the transaction that stores the row, so
        /// it holds exactly however many write at once; a page sent again
        /// still replaces its row's answers.
        std::optional<qint64> limit {};
        /// At most `limit` rows whose `column` holds `answer`.
        struct Quota {
            QString column;
            QString answer;
            qint64 limit = 0;
        };
        /// The quotas this row's answers fall into: a new row, or a page sent
        /// again whose answer comes into one it was not in, is not stored once
        /// its table holds the quota's number (QuotaFull); counted in the
        /// transaction that stores the row, as the limit is.
        QList<Quota> quotas {};
        /// For a form only invited people answer: the participant's code,
        /// claimed in the transaction that stores the row (unknown: nothing
        /// stored). A code that answered before has its row's answers
        /// replaced, unless `anonymous`: then it is refused, and nothing
        /// kept tells which row is whose (no token, no time on the claim).
        QString participantCode {};
        bool anonymous = false;
    };
    struct Inserted {
        /// Repeated: the same answers came before; Replaced: other answers of
        /// the same page replaced those of the row stored first; Full: the
        /// table holds its limit of rows; OtherTable: the token was stored
        /// with another table's row (a page of a form that has since been
        /// renamed or replaced), which nothing of this row may touch;
        /// QuotaFull: one of the row's quotas is full, nothing was stored or replaced.
        /// UnknownCode: the participant's code is not one of the table's;
        /// CodeUsed: it answered already, and answers are anonymous.
        enum Outcome {
            Stored,
            NoSuchTable,
            Repeated,
            Skipped,
            Replaced,
            Full,
            OtherTable,
            QuotaFull,
            UnknownCode,
            CodeUsed
        };
        Outcome outcome = Stored;
        qint64 rowId = -1; // the new row, or for Repeated and Replaced the row stored first
        /// For Repeated and Replaced: when the row stored first arrived.
        QDateTime firstArrival {};
    };

    virtual ~AnswersStore() = default;

    /// The form's table: the one place its name is made.
    static QString tableFor(const QString& formName);
    /// The form a table name belongs to; nothing for a name no form's table has.
    static std::optional<QString> formOfTable(const QString& table);

    virtual Result<bool> tableExists(const QString& table) = 0;
    /// The answers tables (never the store's own bookkeeping).
    virtual Result<QStringList> tables() = 0;
    /// A table with one text column; Duplicate when the name is taken.
    virtual Result<void> createTable(const QString& table, const QString& firstColumn) = 0;
    virtual Result<void> dropTable(const QString& table) = 0;
    /// Gives table `from`, its rows and their arrival times the name `to`, in
    /// one transaction. Duplicate when `to` is taken, NotFound when `from` is missing.
    virtual Result<void> renameTable(const QString& from, const QString& to) = 0;
    /// A new table `to` with the columns of `from` and, with `withRows`, its
    /// rows under the same ids with their arrival and change times (but not
    /// their tokens: a page sent again belongs to the original). One
    /// transaction; Duplicate when `to` is taken, NotFound when `from` is missing.
    virtual Result<void> copyTable(const QString& from, const QString& to, bool withRows) = 0;

    /// Columns in table order; NotFound when the table is missing.
    virtual Result<QList<Column>> columns(const QString& table) = 0;
    /// Adds a column; rows already there hold `olderRowsText` in it.
    /// Duplicate when the name is taken, NotFound when the table is missing.
    virtual Result<void> addColumn(
        const QString& table, const QString& column, ColumnKind kind, const QString& olderRowsText)
        = 0;
    /// Duplicate when `to` is taken, NotFound when the table or `from` is missing.
    virtual Result<void> renameColumn(const QString& table, const QString& from, const QString& to) = 0;
    virtual Result<void> dropColumn(const QString& table, const QString& column) = 0;
    /// How restoreColumns treats a column that took another's place.
    enum class Restore {
        Undo, // a lone column renamed is renamed back, and the order comes back
        Repair, // columns are only added and dropped
    };
    /// Brings the table's columns to `target` in one transaction: one not in
    /// `target` is dropped unless it holds answers other than `olderRowsText`
    /// (then it is kept and named in the result); one missing is added,
    /// holding `olderRowsText` in rows already there. For Undo, a lone column
    /// renamed is renamed back, and while the table is empty the order of
    /// `target` is restored.
    virtual Result<QStringList> restoreColumns(const QString& table, const QList<Column>& target,
        const QString& olderRowsText, Restore how = Restore::Undo)
        = 0;
    /// The most columns a table of this store can have.
    virtual int columnLimit() const = 0;
    /// True when some row holds a value in `column`.
    virtual Result<bool> columnHoldsAnswers(const QString& table, const QString& column) = 0;

    virtual Result<qint64> rowCount(const QString& table) = 0;
    /// The first and last row id and the number of rows; when last - first + 1
    /// equals the count, row N is simply id first + N - 1.
    struct RowSpan {
        qint64 first = 0;
        qint64 last = -1;
        qint64 count = 0;
    };
    virtual Result<RowSpan> rowSpan(const QString& table) = 0;
    /// Up to `limit` rows with an id above `afterId`, by id; with `arrivals`,
    /// each with its arrival time.
    virtual Result<QList<Row>> readRows(
        const QString& table, const QStringList& columns, qint64 afterId, qint64 limit, bool arrivals = false)
        = 0;
    /// A row's values as the store holds them: UTF-8 text, nothing where
    /// nothing was answered. Valid only during the call that hands them over.
    using RawValues = std::span<const std::optional<QByteArrayView>>;
    /// Like readRows without arrivals, handing each row to `visit` without
    /// making strings of its values (for writing many rows out). Returns the
    /// number of rows visited.
    virtual Result<qint64> visitRows(const QString& table, const QStringList& columns, qint64 afterId,
        qint64 limit, const std::function<void(qint64 id, RawValues values)>& visit);
    /// An order of the rows for browsing: by `sortColumn` (letters compared
    /// without regard to ASCII case, ties by id; by id when empty), only the
    /// rows with `filter` in one of `filterColumns` (the same way) when set.
    struct RowOrder {
        QString sortColumn;
        bool descending = false;
        QString filter;
        QStringList filterColumns;
    };
    /// Puts the rows in `order` once, kept by this store object until the
    /// next call, so that any page of it is then one lookup. Returns the
    /// number of rows in it.
    virtual Result<qint64> orderRows(const QString& table, const RowOrder& order) = 0;
    /// Up to `limit` rows from `position` (0-based) of the last order made;
    /// with `arrivals`, each with its arrival and change times.
    virtual Result<QList<Row>> orderedRows(const QString& table, const QStringList& columns, qint64 position,
        qint64 limit, bool arrivals = false)
        = 0;
    /// Makes `ids` the order orderedRows reads, in place of the last one made
    /// (an order the caller made of the rows of an earlier one, by what only
    /// it knows, such as the receipts). Returns their number.
    virtual qint64 keepOrder(QList<qint64> ids) = 0;
    /// How many rows hold exactly each of `values` in `column` (compared as
    /// stored, case-sensitively), in the order of `values`. NotFound when the
    /// table is missing; a missing column is another failure.
    virtual Result<QList<qint64>> countMatches(
        const QString& table, const QString& column, const QStringList& values)
        = 0;
    /// Deletes the rows; their ids are never given to a new row of the table.
    virtual Result<void> deleteRows(const QString& table, const QList<qint64>& ids) = 0;

    /// Stores the rows in one transaction with one durable commit: all or
    /// none. Each gets its outcome.
    virtual Result<QList<Inserted>> insertRows(const QList<NewRow>& rows) = 0;
    /// When the row arrived (UTC); nothing for rows stored without a time.
    virtual Result<std::optional<QDateTime>> arrivalOf(const QString& table, qint64 rowId) = 0;
    /// When the row's answers were last replaced (UTC); nothing when never.
    virtual Result<std::optional<QDateTime>> changeOf(const QString& table, qint64 rowId) = 0;

    /// A form as collection servers without a program folder serve it.
    struct Publication {
        QString form; // the form name, "survey" of tbl_survey
        QString title; // the header's text
        bool showsAnswersTable = false; // the designer's tick
        QByteArray page; // the page's UTF-8 text, as written
        /// A question as posted: its field name, its element kind as the page
        /// names it, and the field names it had before the designer renamed it.
        struct Question {
            QString field;
            QString kind;
            QStringList formerFields;
            QStringList options; // what a choice question's answers are counted over, for charts
            QString text; // the question as the form asks it
            QString settings; // what it asks of its answer and when, as key lines; empty: nothing
            int maxLength = 0; // a text field's most characters; 0: any
            friend bool operator==(const Question&, const Question&) = default;
        };
        QList<Question> questions;
        QString backgroundImage; // a file name beside the page, or empty
        QByteArray backgroundBytes;
        /// The form's collecting settings as key lines; empty for the defaults.
        QString settings;
        /// The names the form had before the designer renamed it: their
        /// addresses lead to it while no other form bears them.
        QStringList formerNames;
    };
    /// True when this store keeps published forms for collection servers
    /// elsewhere. The embedded store does not: its service reads the forms
    /// from the program folder.
    virtual bool keepsPublications() const { return false; }
    /// Stores the form (replacing what was published under its name) and
    /// its background image, in one transaction.
    virtual Result<void> publish(const Publication& form);
    /// The form published under `form`; nothing when there is none.
    virtual Result<std::optional<Publication>> publication(const QString& form);
    /// The name of the form published that was called `formerName` before
    /// a rename; nothing when none was (or a form of that name is published).
    virtual Result<std::optional<QString>> renamedForm(const QString& formerName);
    /// The names of the forms published, in no particular order.
    virtual Result<QStringList> publishedForms();
    /// Forgets what was published under `form` (a form renamed or deleted);
    /// nothing to do when there is none.
    virtual Result<void> unpublish(const QString& form);
    /// A published image by its file name, with its content type; nothing
    /// when there is none.
    struct PublishedFile {
        QByteArray contentType;
        QByteArray bytes;
    };
    virtual Result<std::optional<PublishedFile>> publishedFile(const QString& name);
    /// A random key made once for the store and kept in it, so that every
    /// server collecting into it can check the tokens the others issued.
    virtual Result<QByteArray> sharedKey();

    /// Ok when a write would succeed now (for the service's health check).
    virtual Result<void> checkWritable() = 0;
    /// True once the store at the location is another than the one open (a
    /// file deleted and made anew): rows written now would never be seen.
    virtual bool replaced() const = 0;
    /// Where the store is, for messages.
    virtual QString location() const = 0;
    /// Called from another thread than the one using the store: the call
    /// under way (on a database server that stopped answering) fails at
    /// once, and so does every later one; the store is of no further use.
    /// The embedded store's calls end by its busy timeout and need none.
    virtual void interrupt() { }

protected:
    /// The checks before a change of columns, made in the change's
    /// transaction: Duplicate when the column to add is there, NotFound when
    /// the one to rename or drop is not, Duplicate when a rename's new name is
    /// another column's (a change of case only is the same column).
    Result<void> mayAddColumn(const QString& table, const QString& column);
    Result<void> mayRenameColumn(const QString& table, const QString& from, const QString& to);
    Result<void> mayDropColumn(const QString& table, const QString& column);
};

/// True when `location` names a database server ("postgresql://…" or
/// "postgres://…") rather than a file of the embedded store.
bool isServerLocation(const QString& location);

/// `location` as messages and logs may show it: never with a password, also
/// when it is malformed, and in connection keywords ("password=", "sslpassword=").
QString shownLocation(const QString& location);
/// A message about `location` (a database client's, which may quote the
/// address or a part of it) without the passwords `location` holds.
QString withoutPasswords(const QString& message, const QString& location);

/// Opens the store at `location`; it must exist (NotFound otherwise).
Result<std::shared_ptr<AnswersStore>> openAnswersStore(const QString& location);
/// Creates an empty store at `location` (Duplicate when one is there).
Result<std::shared_ptr<AnswersStore>> createAnswersStore(const QString& location);
/// The embedded store's file in the program folder.
QString answersStoreIn(const QString& appFolder);

} // namespace quenlow
