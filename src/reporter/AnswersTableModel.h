// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"

#include <QAbstractTableModel>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace quenlow {

class AnswersStore;

/// A form's answers for a table view, read from the database a page of rows
/// at a time and only for the rows shown: a few pages are kept, never the
/// whole table. Sorting and filtering put the matching row ids in order once,
/// in the store, so that any page is then one lookup. Rows are numbered in the vertical heading; each row
/// knows its id. After the questions come who sent what: when each answer was
/// submitted, when it was last changed, and the receipt the person was given.
/// It starts empty: refresh() reads the table.
class AnswersTableModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AnswersTableModel)

public:
    /// `columns` are the question columns to show, in order; the columns of
    /// the times and the receipt follow them.
    AnswersTableModel(const QString& databasePath, const QString& table, const QStringList& columns,
        QObject* parent = nullptr);
    ~AnswersTableModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    /// Shows only answers with `text` in one of their columns (any case of
    /// ASCII letters); empty shows all.
    Result<void> setFilterText(const QString& text);
    QString filterText() const { return m_filter; }
    /// Reads the table again: answers stored or deleted since appear. On
    /// failure the model shows no rows.
    Result<void> refresh();
    /// The id of the answer in `row`, or -1.
    qint64 rowIdAt(int row) const;

    /// The columns after the questions; after them, where invited people
    /// answered by name, "Participant" and their attributes.
    enum class Extra { Submitted, Changed, Receipt };
    static constexpr int kExtraColumns = 3;
    /// The column of `extra`.
    int columnOf(Extra extra) const { return int(m_columns.size()) + int(extra); }
    /// One whole answer, as the answer view shows it.
    struct Answer {
        qint64 id = -1;
        QStringList questions;
        QStringList values; // empty where nothing was answered
        std::optional<QDateTime> submitted;
        std::optional<QDateTime> changed;
        QString receipt;
    };
    /// The answer in `row`, every value whole; nothing for no such row.
    std::optional<Answer> answerAt(int row) const;
    /// A time as the table shows it: local time, to the second.
    static QString shownTime(const std::optional<QDateTime>& time);

    /// Deletes the answers with these ids, and nothing else, in one
    /// transaction; then reads the table again.
    Result<void> deleteAnswers(const QList<qint64>& rowIds);

signals:
    /// The table could not be read where no caller hears it: sorting from the
    /// view's heading, or a page of rows the view asked for (told once until
    /// the table is read again).
    void readFailed(const quenlow::Error& error) const;

private:
    struct Row {
        qint64 id = -1;
        QStringList values;
        std::optional<QDateTime> arrivedAt;
        std::optional<QDateTime> changedAt;
        QString receipt;
    };
    Result<void> rebuild();
    /// Orders the rows of the order just made by a time or the receipt, in the store.
    Result<void> orderByExtra(Extra extra);
    /// Who answered each row, where invited people answered by name.
    Result<void> readParticipants();
    QString receiptOf(qint64 id, const std::optional<QDateTime>& arrivedAt) const;
    const Row* rowAt(int row) const;
    bool loadPage(int page) const;

    QString m_databasePath;
    QString m_table;
    QStringList m_columns;
    std::shared_ptr<AnswersStore> m_store;
    QByteArray m_receiptKey; // the store's; empty: it keeps none, and no receipts are shown
    // Who answered, where invited people answered by name: after the receipt,
    // "Participant" and their attributes, each row's by its id.
    QStringList m_participantHeadings;
    QHash<qint64, QStringList> m_participants;

    int m_sortColumn = -1; // -1: stored order
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    QString m_filter;
    bool m_ordered = false; // rows come from the order made in the store
    qint64 m_firstId = 0;
    bool m_denseIds = false; // stored order, ids without gaps: row N is id first + N
    int m_count = 0;
    mutable bool m_pageFailureTold = false;

    mutable QHash<int, QList<Row>> m_pages;
    mutable QList<int> m_pageUse; // least recently used first
};

} // namespace quenlow
