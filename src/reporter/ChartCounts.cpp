// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/ChartCounts.h"

#include "database/AnswersStore.h"

#include <QHash>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

QStringList chartOptions(const FormMethod& method)
{
    if (method.methodType == Kind::checkBox())
        return { u"Checked"_s, u"Not Checked"_s };
    if (method.methodType == Kind::radioButtons() || method.methodType == Kind::pullDownMenu())
        return method.attribute6List;
    return {};
}

Result<QList<qint64>> countAnswers(
    AnswersStore& store, const QString& table, const QString& column, const QStringList& options)
{
    return store.countMatches(table, column, options);
}

} // namespace quenlow
