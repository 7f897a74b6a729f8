// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/AnswersTablePage.h"

#include "core/Messages.h"
#include "core/TextFile.h"
#include "database/AnswersDatabase.h"
#include "model/FormSession.h"
#include "model/AnswersTableHtml.h"
#include "model/HtmlText.h"
#include "reporter/ReporterDatabase.h"
#include "reporter/ReporterTexts.h"

#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

namespace {

/// The page is built as lines ended by CR LF, like every page the program writes.
class PageText
{
public:
    template<typename... Pieces> void line(const Pieces&... pieces)
    {
        ((m_text += pieces), ...);
        m_text += u"\r\n"_s;
    }
    QString& text() { return m_text; }

private:
    QString m_text;
};

QString escaped(const QString& text)
{
    return AnswersTableHtml::escaped(text);
}

struct Statement {
    sqlite3_stmt* stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

/// Walks the rows in storage order, as the table gives them, handing each
/// value's text (null values as a null string) to `cell`, and `rowEnd` after
/// each row. False when the table cannot be read.
template<typename Cell, typename RowEnd>
bool forEachValue(AnswersDatabase& db, const QString& table, Cell&& cell, RowEnd&& rowEnd)
{
    const QByteArray sql = u"SELECT * FROM %1 ORDER BY rowid"_s.arg(AnswersDatabase::quoteIdentifier(table)).toUtf8();
    Statement s;
    if (sqlite3_prepare_v2(db.handle(), sql.constData(), int(sql.size()), &s.stmt, nullptr) != SQLITE_OK)
        return false;
    const int n = sqlite3_column_count(s.stmt);
    int rc;
    while ((rc = sqlite3_step(s.stmt)) == SQLITE_ROW) {
        for (int i = 0; i < n; ++i) {
            if (sqlite3_column_type(s.stmt, i) == SQLITE_NULL) {
                cell(i, QString());
                continue;
            }
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s.stmt, i));
            cell(i, QString::fromUtf8(text, sqlite3_column_bytes(s.stmt, i)));
        }
        rowEnd();
    }
    return rc == SQLITE_DONE;
}

/// Writes the answers table; false when the table cannot be read, in
/// which case the caller writes the missing-table line after whatever stands.
bool writeTable(PageText& page, AnswersDatabase& db, const QString& table)
{
    if (!db.tableExists(table))
        return false;
    const QList<AnswersDatabase::Column> columns = db.columns(table);
    if (columns.isEmpty())
        return false;
    QList<AnswersTableHtml::Column> heading;
    heading.reserve(columns.size());
    for (const AnswersDatabase::Column& column : columns)
        heading.append({column.name, column.isMemo()});
    AnswersTableHtml html(page.text(), table, heading);
    const bool read = forEachValue(
        db, table, [&html](int i, const QString& value) { html.cell(i, value); }, [&html] { html.endRow(); });
    if (!read)
        return false;
    html.finish();
    return true;
}

} // namespace

QString answersTablePageName()
{
    return u"dbTableOfAnswers.html"_s;
}

bool WriteAnswersTablePage(FormSession& session)
{
    const QString caption = session.htmlName();
    session.openFormName = caption.section(u'.', 0, 0);
    const QString table = u"tbl_"_s + session.openFormName;

    PageText page;
    page.line(u"<html>"_s);
    page.line(u"<head>"_s);
    page.line(u"<title>"_s);
    page.line(u"<h1>"_s);
    page.line(u"Database table - "_s, escaped(table));
    page.line(u"</h1>"_s);
    page.line(u"</title>"_s);
    if (session.backgroundFileName.isEmpty())
        session.backgroundFileName = u"background.gif"_s;
    page.line(u"<BODY BGCOLOR='#000000' BACKGROUND='"_s, escapeAttribute(session.backgroundFileName), u"'>"_s);

    QString error;
    if (auto db = openAnswersDatabase(session.databasePath(), &error)) {
        if (!writeTable(page, *db, table)) {
            showExclamation(reporter::tableMissing(caption));
            page.line(u"<font size=5><B> The table containing the data for the form "_s, escaped(caption),
                      u" is missing. </B></FONT>"_s);
        }
    } else {
        showExclamation(reporter::databaseUnavailable(session.databasePath(), error));
        page.line(u"<font size=5><B> The answers database for the form "_s, escaped(caption),
                  u" cannot be opened. </B></FONT>"_s);
    }
    page.line(u"</body>"_s);
    page.line(u"</html>"_s);

    const QString path = session.htmlFolder() + answersTablePageName();
    if (const FileResult written = writeFileAtomically(path, encodeText(page.text())); !written) {
        showExclamation(u"The page '"_s + path + u"' cannot be written ("_s + written.error + u")."_s);
        return false;
    }
    return true;
}

} // namespace quenlow
