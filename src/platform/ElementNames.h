// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/FormMethod.h"

#include <QIdentityProxyModel>

namespace quenlow {

class MethodCollection;

/// An element's kind as the windows show it, in the person's language. The
/// stored name (collection files, pages, row labels) stays as it is.
QString shownKindName(const FormMethod& method);

/// A row of the element list as shown: "kind - instruction", or the row's own
/// label (the new header's) in the person's language.
QString shownRowText(const FormMethod& method);
QString shownRowText(const MethodCollection& elements, int position);

/// The session's rows (model/RowsModel) as the designer's list shows them:
/// the same rows, each text in the person's language.
class ShownRows final : public QIdentityProxyModel
{
    Q_OBJECT
public:
    ShownRows(const MethodCollection& elements, QAbstractItemModel* rows, QObject* parent);
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const MethodCollection& m_elements;
};

} // namespace quenlow
