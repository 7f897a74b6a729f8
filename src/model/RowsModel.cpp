// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/RowsModel.h"

namespace quenlow {

QVariant RowsModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::ToolTipRole)
        return m_rows.at(index.row());
    return {};
}

void RowsModel::insert(int row, const QString& text)
{
    row = qBound(0, row, count());
    beginInsertRows({}, row, row);
    m_rows.insert(row, text);
    endInsertRows();
}

void RowsModel::remove(int row)
{
    if (row < 0 || row >= count())
        return;
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    endRemoveRows();
}

void RowsModel::clear()
{
    if (m_rows.isEmpty())
        return;
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void RowsModel::setTexts(const QStringList& texts)
{
    beginResetModel();
    m_rows = texts;
    endResetModel();
}

} // namespace quenlow
