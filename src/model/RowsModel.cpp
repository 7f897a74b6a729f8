// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/RowsModel.h"

namespace quenlow {

RowsModel::RowsModel(MethodCollection& elements, QObject* parent)
    : QAbstractListModel(parent)
    , m_elements(elements)
{
    m_elements.setObserver(this);
}

RowsModel::~RowsModel()
{
    m_elements.setObserver(nullptr);
}

QVariant RowsModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::ToolTipRole)
        return m_shown ? m_shown(m_elements, index.row()) : m_elements.rowText(index.row());
    return {};
}

QStringList RowsModel::texts() const
{
    QStringList result;
    result.reserve(count());
    for (int row = 0; row < count(); ++row)
        result.append(m_elements.rowText(row));
    return result;
}

void RowsModel::changing(const MethodCollection::Change& change)
{
    using C = MethodCollection::Change;
    switch (change.kind) {
    case C::Insert:
        beginInsertRows({}, change.position, change.position);
        break;
    case C::Remove:
        beginRemoveRows({}, change.position, change.position);
        break;
    case C::Move:
        beginMoveRows({}, change.position, change.position, {}, change.to);
        break;
    case C::Reset:
        beginResetModel();
        break;
    case C::Replace:
        break;
    }
}

void RowsModel::changed(const MethodCollection::Change& change)
{
    using C = MethodCollection::Change;
    switch (change.kind) {
    case C::Insert:
        endInsertRows();
        break;
    case C::Remove:
        endRemoveRows();
        break;
    case C::Move:
        endMoveRows();
        break;
    case C::Reset:
        endResetModel();
        break;
    case C::Replace: {
        const QModelIndex row = index(change.position);
        emit dataChanged(row, row);
        break;
    }
    }
}

} // namespace quenlow
