// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/AnswersTablePage.h"

#include "core/Messages.h"
#include "core/TextFile.h"
#include "database/AnswersStore.h"
#include "model/AnswersTableHtml.h"
#include "model/FormSession.h"
#include "model/HtmlText.h"
#include "reporter/ReporterTexts.h"

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

namespace {

/// The page is built as lines ended by CR LF, like every page the program writes.
class PageText
{
public:
    template <typename... Pieces> void line(const Pieces&... pieces)
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

/// Writes the answers table; false when the table cannot be read, in
/// which case the caller writes the missing-table line after whatever stands.
bool writeTable(PageText& page, AnswersStore& store, const QString& table)
{
    const auto columns = store.columns(table);
    if (!columns || columns->isEmpty())
        return false;
    QList<AnswersTableHtml::Column> heading;
    QStringList names;
    heading.reserve(columns->size());
    for (const AnswersStore::Column& column : *columns) {
        heading.append({ column.name, column.isMemo() });
        names.append(column.name);
    }
    AnswersTableHtml html(page.text(), table, heading);
    // Read in pages, in storage order, so a large table never sits in memory whole.
    constexpr qint64 kPage = 1000;
    for (qint64 after = -1;;) {
        const auto rows = store.readRows(table, names, after, kPage);
        if (!rows)
            return false;
        for (const AnswersStore::Row& row : *rows) {
            for (int i = 0; i < row.values.size(); ++i)
                html.cell(i, row.values.at(i).toString());
            html.endRow();
        }
        if (rows->size() < kPage)
            break;
        after = rows->constLast().id;
    }
    html.finish();
    return true;
}

} // namespace

QString answersTablePageName()
{
    return u"dbTableOfAnswers.html"_s;
}

bool writeAnswersTablePage(FormSession& session)
{
    const QString caption = session.htmlName();
    session.setOpenFormName(caption.section(u'.', 0, 0));
    const QString table = AnswersStore::tableFor(session.openFormName());

    PageText page;
    page.line(u"<html>"_s);
    page.line(u"<head>"_s);
    page.line(u"<title>"_s);
    page.line(u"<h1>"_s);
    page.line(u"Database table - "_s, escaped(table));
    page.line(u"</h1>"_s);
    page.line(u"</title>"_s);
    if (session.backgroundFileName().isEmpty())
        session.setBackgroundFileName(u"background.gif"_s);
    page.line(
        u"<BODY BGCOLOR='#000000' BACKGROUND='"_s, escapeAttribute(session.backgroundFileName()), u"'>"_s);

    const auto store = openAnswersStore(session.databasePath());
    if (store) {
        if (!writeTable(page, **store, table)) {
            showExclamation(reporter::tableMissing(caption));
            page.line(u"<font size=5><B> The table containing the data for the form "_s, escaped(caption),
                u" is missing. </B></FONT>"_s);
        }
    } else {
        showExclamation(reporter::databaseUnavailable(session.databasePath(), store.error().detail));
        page.line(u"<font size=5><B> The answers database for the form "_s, escaped(caption),
            u" cannot be opened. </B></FONT>"_s);
    }
    page.line(u"</body>"_s);
    page.line(u"</html>"_s);

    const QString path = session.htmlFolder() + answersTablePageName();
    if (const FileResult written = writeFileAtomically(path, encodeText(page.text())); !written) {
        showExclamation(reporter::ReporterTexts::tr("The page '%1' cannot be written (%2).")
                            .arg(path, written.error().detail));
        return false;
    }
    return true;
}

} // namespace quenlow
