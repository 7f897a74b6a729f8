// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/ChartCounts.h"

#include "database/AnswersDatabase.h"

#include <QHash>

#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

QStringList chartOptions(const FormMethod& method)
{
    if (method.methodType == Kind::checkBox())
        return {u"Checked"_s, u"Not Checked"_s};
    if (method.methodType == Kind::radioButtons() || method.methodType == Kind::pullDownMenu())
        return method.attribute6List;
    return {};
}

std::optional<QList<qint64>> countAnswers(AnswersDatabase& db, const QString& table, const QString& column,
                                          const QStringList& options, QString* error)
{
    // One pass over the one column, counted here: cheaper than letting the
    // engine sort the values for a GROUP BY, and every option is counted in
    // the same pass. Values are compared as the bytes stored, so the match is
    // exact and case-sensitive.
    QHash<QByteArray, qint64> counts;
    for (const QString& option : options)
        counts.insert(option.toUtf8(), 0);

    const QByteArray sql = u"SELECT %1 FROM %2"_s
                               .arg(AnswersDatabase::quoteIdentifier(column), AnswersDatabase::quoteIdentifier(table))
                               .toUtf8();
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db.handle(), sql.constData(), int(sql.size()), &stmt, nullptr);
    if (rc == SQLITE_OK) {
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            if (sqlite3_column_type(stmt, 0) == SQLITE_NULL)
                continue;
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
            const auto found = counts.find(QByteArray::fromRawData(text, sqlite3_column_bytes(stmt, 0)));
            if (found != counts.end())
                ++*found;
        }
    }
    if (rc != SQLITE_DONE) {
        if (error)
            *error = QString::fromUtf8(sqlite3_errmsg(db.handle()));
        sqlite3_finalize(stmt);
        return std::nullopt;
    }
    sqlite3_finalize(stmt);

    QList<qint64> result;
    result.reserve(options.size());
    for (const QString& option : options)
        result.append(counts.value(option.toUtf8()));
    return result;
}

} // namespace quenlow
