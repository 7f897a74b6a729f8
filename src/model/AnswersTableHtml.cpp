// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/AnswersTableHtml.h"

#include "model/HtmlText.h"

namespace quenlow {

AnswersTableHtml::AnswersTableHtml(QString& out, const QString& tableName, const QList<Column>& columns)
    : m_out(out)
{
    // 64-bit: the old 16-bit product overflowed beyond 163 columns.
    const qint64 n = columns.size();
    line(QStringLiteral("<table border ALIGN=center width=") + QString::number(n * 200)
        + QStringLiteral("><tr><td bgcolor=eeeee height=50 colspan=") + QString::number(n)
        + QStringLiteral("><B><FONT SIZE=6><pre>      Database table : '") + escaped(tableName)
        + QStringLiteral("'</FONT></B></td></tr>"));
    line(QStringLiteral("<tr>"));
    m_shaded.reserve(columns.size());
    for (const Column& column : columns) {
        line(column.memo ? QStringLiteral(" <td width=250 ALIGN=center bgcolor=CCCCCC>")
                         : QStringLiteral(" <td width=110 ALIGN=center bgcolor=CCCCCC>"));
        line(QStringLiteral(" <b>"));
        line(escaped(column.name));
        line(QStringLiteral("</b>"));
        line(QStringLiteral(" </td>"));
        m_shaded.append(column.name == QLatin1StringView("Form Question"));
    }
    line(QStringLiteral("</tr>"));
}

void AnswersTableHtml::cell(int index, const QString& value)
{
    if (!m_rowOpen) {
        line(QStringLiteral("<tr>"));
        m_rowOpen = true;
    }
    if (index < 0 || index >= m_shaded.size())
        return;
    line(QStringLiteral("  <td VALIGN=top"));
    if (m_shaded.at(index))
        line(QStringLiteral(" bgcolor=CCCCCC "));
    line(QStringLiteral(">  ") + escaped(value));
    line(QStringLiteral("  </td>"));
}

void AnswersTableHtml::endRow()
{
    if (!m_rowOpen)
        line(QStringLiteral("<tr>"));
    line(QStringLiteral("</tr>"));
    m_rowOpen = false;
}

void AnswersTableHtml::finish()
{
    line(QStringLiteral("</table>"));
}

QString AnswersTableHtml::escaped(const QString& text)
{
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
        case u'<':
        case u'>':
        case u'"':
        case u'\'':
            return escapeHtml(text);
        default:
            break;
        }
    }
    return text;
}

void AnswersTableHtml::line(const QString& text)
{
    m_out += text;
    m_out += QLatin1StringView("\r\n");
}

} // namespace quenlow
