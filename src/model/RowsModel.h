// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace quenlow {

/// The rows of an element list (FormCollectionList): plain texts, one per
/// element. The list box of the main window shows this model.
class RowsModel final : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_rows.size()); }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    int count() const { return int(m_rows.size()); }
    QString text(int row) const { return m_rows.value(row); }
    const QStringList& texts() const { return m_rows; }

    void append(const QString& text) { insert(count(), text); }
    void insert(int row, const QString& text);
    void remove(int row);
    void clear();
    void setTexts(const QStringList& texts);

private:
    QStringList m_rows;
};

} // namespace quenlow
