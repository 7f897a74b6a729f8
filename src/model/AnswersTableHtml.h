// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QList>
#include <QString>

namespace quenlow {

/// Writes the HTML table of a form's answers, line by line (CR LF after each),
/// as both the designer's answers-table page and the collection service's
/// answer page show it. Every name and value is escaped: the answers are
/// written by strangers.
class AnswersTableHtml final
{
public:
    struct Column {
        QString name;
        bool memo = false;
    };

    /// Appends to `out` the title line and the heading row of `tableName`.
    AnswersTableHtml(QString& out, const QString& tableName, const QList<Column>& columns);

    /// One value of the current row, column `index` in table order; a null
    /// string is a missing value. The first value of a row opens it.
    void cell(int index, const QString& value);
    /// Closes the current row (opening it first when it had no value).
    void endRow();
    /// Closes the table.
    void finish();

    /// Text escaped for the page, without copying the usual plain answer.
    static QString escaped(const QString& text);

private:
    void line(const QString& text);

    QString& m_out;
    QList<bool> m_shaded; // the "Form Question" column is shaded
    bool m_rowOpen = false;
};

} // namespace quenlow
