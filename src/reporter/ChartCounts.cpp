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
    const QString quoted = AnswersDatabase::quoteIdentifier(column);
    // Grouped in the engine: one pass over the table, a handful of result rows.
    // Stored values are compared as they are (binary collation), so the match
    // is exact and case-sensitive.
    const QByteArray sql = u"SELECT %1, count(*) FROM %2 WHERE %1 IS NOT NULL GROUP BY %1"_s
                               .arg(quoted, AnswersDatabase::quoteIdentifier(table))
                               .toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db.handle(), sql.constData(), int(sql.size()), &stmt, nullptr) != SQLITE_OK) {
        if (error)
            *error = QString::fromUtf8(sqlite3_errmsg(db.handle()));
        sqlite3_finalize(stmt);
        return std::nullopt;
    }
    QHash<QString, qint64> byValue;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        byValue[QString::fromUtf8(text, sqlite3_column_bytes(stmt, 0))] += sqlite3_column_int64(stmt, 1);
    }
    if (rc != SQLITE_DONE) {
        if (error)
            *error = QString::fromUtf8(sqlite3_errmsg(db.handle()));
        sqlite3_finalize(stmt);
        return std::nullopt;
    }
    sqlite3_finalize(stmt);

    QList<qint64> counts;
    counts.reserve(options.size());
    for (const QString& option : options)
        counts.append(byValue.value(option, 0));
    return counts;
}

} // namespace quenlow
