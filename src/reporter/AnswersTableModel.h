// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace quenlow {

class AnswersStore;

/// A form's answers for a table view, read from the database a page of rows
/// at a time and only for the rows shown: a few pages are kept, never the
/// whole table. Sorting and filtering put the matching row ids in order once,
/// in the store, so that any page is then one lookup. Rows are numbered in the vertical heading; each row
/// knows its id. It starts empty: refresh() reads the table.
class AnswersTableModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AnswersTableModel)

public:
    /// `columns` are the question columns to show, in order.
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
    };
    Result<void> rebuild();
    const Row* rowAt(int row) const;
    bool loadPage(int page) const;

    QString m_databasePath;
    QString m_table;
    QStringList m_columns;
    std::shared_ptr<AnswersStore> m_store;

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
