// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/AnswerPages.h"

#include "model/HtmlText.h"
#include "server/FormCatalog.h"

namespace quenlow {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// The answer pages are served from /scripts/, so the images of HTML/ are
// named from the root.
QString bodyTag(const PublishedForm& form)
{
    if (form.backgroundImage.isEmpty())
        return QStringLiteral("<BODY BGCOLOR='#000000'>");
    return QStringLiteral("<BODY BGCOLOR='#000000' BACKGROUND='/") + escapeAttribute(form.backgroundImage)
        + QStringLiteral("'>");
}

QString head(const QString& title)
{
    return QStringLiteral("<html><head><meta charset=\"utf-8\"><title>") + escapeHtml(title)
        + QStringLiteral("</title></head>");
}

} // namespace

QByteArray answersTablePath()
{
    return QByteArrayLiteral("/scripts/showTable.asp");
}

QByteArray thankYouPage(const PublishedForm& form)
{
    QString page = head(QStringLiteral("Thank you")) + kLineEnd + bodyTag(form) + kLineEnd;
    page += QStringLiteral("<CENTER><I><B><FONT SIZE='6'><P>Thank you</FONT></B></I>") + kLineEnd;
    page += QStringLiteral("<P><B>Your answers to the form '") + escapeHtml(form.title)
        + QStringLiteral("' have been received.</B>") + kLineEnd;
    if (form.showsAnswersTable) {
        page += QStringLiteral("<FORM method=get action='") + QString::fromLatin1(answersTablePath())
            + QStringLiteral("'><input type=hidden name=tableName value='")
            + escapeAttribute(QStringLiteral("tbl_") + form.name)
            + QStringLiteral("'><P><input type=submit value='View the answers table'></FORM>") + kLineEnd;
    }
    page += QStringLiteral("</CENTER></BODY></HTML>") + kLineEnd;
    return page.toUtf8();
}

QByteArray answersTablePage(const PublishedForm& form, const QString& tableName, const QList<TableColumn>& columns,
                            const QList<QVariantList>& rows)
{
    const QString table = escapeHtml(tableName);
    const qsizetype n = columns.size();
    QStringList lines{QStringLiteral("<html>"),
                      QStringLiteral("<head>"),
                      QStringLiteral("<meta charset=\"utf-8\">"),
                      QStringLiteral("<title>"),
                      QStringLiteral("<h1>"),
                      QStringLiteral("Database table - ") + table,
                      QStringLiteral("</h1>"),
                      QStringLiteral("</title>"),
                      bodyTag(form)};
    lines.append(QStringLiteral("<table border ALIGN=center width=") + QString::number(n * 200)
                 + QStringLiteral("><tr><td bgcolor=eeeee height=50 colspan=") + QString::number(n)
                 + QStringLiteral("><B><FONT SIZE=6><pre>      Database table : '") + table
                 + QStringLiteral("'</FONT></B></td></tr>"));
    lines.append(QStringLiteral("<tr>"));
    for (const TableColumn& c : columns) {
        lines.append(c.memo ? QStringLiteral(" <td width=250 ALIGN=center bgcolor=CCCCCC>")
                            : QStringLiteral(" <td width=110 ALIGN=center bgcolor=CCCCCC>"));
        lines.append(QStringLiteral(" <b>"));
        lines.append(escapeHtml(c.name));
        lines.append(QStringLiteral("</b>"));
        lines.append(QStringLiteral(" </td>"));
    }
    lines.append(QStringLiteral("</tr>"));
    for (const QVariantList& row : rows) {
        lines.append(QStringLiteral("<tr>"));
        for (qsizetype i = 0; i < n; ++i) {
            lines.append(QStringLiteral("  <td VALIGN=top"));
            if (columns.at(i).name == QLatin1StringView("Form Question"))
                lines.append(QStringLiteral(" bgcolor=CCCCCC "));
            const QVariant value = i < row.size() ? row.at(i) : QVariant();
            lines.append(QStringLiteral(">  ") + (value.isNull() ? QString() : escapeHtml(value.toString())));
            lines.append(QStringLiteral("  </td>"));
        }
        lines.append(QStringLiteral("</tr>"));
    }
    lines.append(QStringLiteral("</table>"));
    lines.append(QStringLiteral("</body>"));
    lines.append(QStringLiteral("</html>"));
    return (lines.join(kLineEnd) + kLineEnd).toUtf8();
}

HttpResponse errorResponse(int status, const QString& title, const QString& explanation)
{
    HttpResponse response;
    response.status = status;
    response.contentType = QByteArrayLiteral("text/html; charset=utf-8");
    response.body = (head(title) + QStringLiteral("<body><h1>") + escapeHtml(title) + QStringLiteral("</h1><p>")
                     + escapeHtml(explanation) + QStringLiteral("</p></body></html>") + kLineEnd)
                        .toUtf8();
    return response;
}

} // namespace quenlow
