// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/MethodCollection.h"

#include <QAbstractListModel>
#include <QStringList>

#include <functional>

namespace quenlow {

/// The rows of the element list (FormCollectionList): one per element of the
/// list it is made over, its text computed from the element. Read only: it
/// follows the list's changes, so nothing keeps a second list in step. The
/// list box of the main window shows this model.
class RowsModel final : public QAbstractListModel, private MethodCollection::Observer
{
    Q_OBJECT
public:
    /// `elements` must outlive the model.
    explicit RowsModel(MethodCollection& elements, QObject* parent = nullptr);
    ~RowsModel() override;

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : count(); }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    int count() const { return m_elements.count(); }
    QStringList texts() const;

    /// How a row is shown, when the windows show it otherwise than its stored
    /// text (in the person's language); texts() stays the stored texts.
    using Shown = std::function<QString(const MethodCollection& elements, int position)>;
    void setShown(Shown shown) { m_shown = std::move(shown); }

private:
    void changing(const MethodCollection::Change& change) override;
    void changed(const MethodCollection::Change& change) override;

    MethodCollection& m_elements;
    Shown m_shown;
};

} // namespace quenlow
