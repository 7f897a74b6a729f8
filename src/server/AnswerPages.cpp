// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/AnswerPages.h"

#include "database/AnswersStore.h"

#include "model/AnswersTableHtml.h"
#include "model/HtmlText.h"
#include "model/PageFormat.h"
#include "model/RespondentTexts.h"
#include "server/FormCatalog.h"
#include "server/RespondentPage.h"
#include "server/ResultsPage.h"

#include <QUrl>

#include <array>

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

QString head(const QString& title, FormLanguage language)
{
    // Most people answer on phones: the thank-you and error pages fit one, as the form did.
    return QStringLiteral("<!DOCTYPE html><html lang=\"") + languageTag(language)
        + QStringLiteral("\"><head><meta charset=\"utf-8\">") + QString::fromLatin1(respondentHead())
        + QStringLiteral("<title>") + escapeHtml(title) + QStringLiteral("</title></head>");
}

} // namespace

QString respondentContent(const QString& text)
{
    // Quotes stay as they are in content: the English pages read as they always did.
    return QString(text)
        .replace(QLatin1Char('&'), QStringLiteral("&amp;"))
        .replace(QLatin1Char('<'), QStringLiteral("&lt;"))
        .replace(QLatin1Char('>'), QStringLiteral("&gt;"));
}

QByteArray answersTablePath()
{
    return QByteArrayLiteral("/scripts/showTable.asp");
}

namespace {

// The parts of a thank-you page that every answer to a form shares: what
// comes before the way back and the receipt, and what comes after.
struct ThankYouParts {
    QByteArray before, after;
};

ThankYouParts makeThankYouParts(const PublishedForm& form, bool updated)
{
    const FormLanguage language = form.settings.language;
    const auto text = [language](RespondentText t) { return respondentText(t, language); };
    QString page = head(text(RespondentText::ThankYou), language) + kLineEnd + bodyTag(form) + kLineEnd;
    // In a main landmark under a heading, so that a screen reader finds what it says.
    page += QStringLiteral("<MAIN><CENTER><I><B><FONT SIZE='6'><P role=heading aria-level=1>")
        + respondentContent(text(RespondentText::ThankYou)) + QStringLiteral("</FONT></B></I>") + kLineEnd;
    if (updated) {
        page += QStringLiteral("<P><B>") + respondentContent(text(RespondentText::AnswersUpdated))
            + QStringLiteral("</B>") + kLineEnd;
    } else if (!form.settings.thankYouText.isEmpty()) {
        page += QStringLiteral("<P><B>") + escapeHtml(form.settings.thankYouText) + QStringLiteral("</B>")
            + kLineEnd;
    } else {
        page += QStringLiteral("<P><B>")
            + respondentContent(text(RespondentText::AnswersReceived)).arg(escapeHtml(form.title))
            + QStringLiteral("</B>") + kLineEnd;
    }
    if (form.showsAnswersTable) {
        page += QStringLiteral("<FORM method=get action='") + QString::fromLatin1(answersTablePath())
            + QStringLiteral("'><input type=hidden name=") + pageFormat::tableNameField()
            + QStringLiteral(" value='") + escapeAttribute(AnswersStore::tableFor(form.name))
            + QStringLiteral("'><P><input type=submit value='")
            + escapeAttribute(text(RespondentText::ViewAnswersTable)) + QStringLiteral("'></FORM>")
            + kLineEnd;
    }
    const QString after
        = thankYouExtras(form, QString()) + QStringLiteral("</CENTER></MAIN></BODY></HTML>") + kLineEnd;
    return { page.toUtf8(), after.toUtf8() };
}

// The shared parts, kept by each thread for the forms it thanked for last:
// made anew for every answer they cost more than the rest of the reply.
// Kept by what they are made of, so an edited form is never thanked for
// with the words it had before.
const ThankYouParts& thankYouParts(const PublishedForm& form, bool updated)
{
    struct Kept {
        QString name, title, background;
        bool showsTable = false, updated = false;
        FormSettings settings;
        ThankYouParts parts;
        bool made = false;
    };
    thread_local std::array<Kept, 4> kept;
    thread_local size_t next = 0;
    for (const Kept& k : kept) {
        if (k.made && k.updated == updated && k.showsTable == form.showsAnswersTable && k.name == form.name
            && k.title == form.title && k.background == form.backgroundImage && k.settings == form.settings)
            return k.parts;
    }
    Kept& k = kept[next];
    next = (next + 1) % kept.size();
    k = Kept { form.name, form.title, form.backgroundImage, form.showsAnswersTable, updated, form.settings,
        makeThankYouParts(form, updated), true };
    return k.parts;
}

} // namespace

QByteArray thankYouPage(const PublishedForm& form, bool updated, const QString& receipt, const QString& token,
    const QString& code)
{
    const ThankYouParts& parts = thankYouParts(form, updated);
    QString between;
    if (!token.isEmpty()) {
        // Without the page's script, the way back to the form; with it, the
        // script goes Back to the form as it was sent, answers and all.
        between += QStringLiteral("<P><A CLASS=change-answers HREF='/")
            + escapeAttribute(QString::fromLatin1(QUrl::toPercentEncoding(form.name)))
            + QStringLiteral(".html?")
            + (code.isEmpty() ? QString()
                              : QStringLiteral("code=") + escapeAttribute(code) + QStringLiteral("&amp;"))
            + QStringLiteral("change=") + escapeAttribute(token) + QStringLiteral("'><B>")
            + respondentContent(respondentText(RespondentText::ChangeAnswers, form.settings.language))
            + QStringLiteral("</B></A>") + kLineEnd;
    }
    between += receiptLine(form, receipt);
    // Appended, not concatenated: a byte builder copies byte by byte.
    const QByteArray middle = between.toUtf8();
    QByteArray page;
    page.reserve(parts.before.size() + middle.size() + parts.after.size());
    page.append(parts.before).append(middle).append(parts.after);
    return page;
}

QByteArray codePage(const PublishedForm& form, RespondentText said)
{
    const FormLanguage language = form.settings.language;
    const auto text = [language](RespondentText t) { return respondentContent(respondentText(t, language)); };
    const bool refused = said != RespondentText::TypeYourCode;
    // A form of its own, sent back to the page's address: works without script.
    return (head(form.title, language) + QStringLiteral("<body><main><h1>") + escapeHtml(form.title)
        + QStringLiteral("</h1><p")
        + (refused ? QStringLiteral(" class=answer-notice role=alert") : QString()) + QLatin1Char('>')
        + text(said)
        // Anonymous answers cannot be found again: the person learns they are in, whatever the reason for
        // asking.
        + (said == RespondentText::CodeAlreadyUsed && form.settings.anonymousAnswers
                ? QLatin1Char(' ') + text(RespondentText::AnonymousAnswersReceived)
                : QString())
        + QStringLiteral("</p><form method=get action='/")
        + escapeAttribute(QString::fromLatin1(QUrl::toPercentEncoding(form.name)))
        + QStringLiteral(".html'><p><label for=code>") + text(RespondentText::YourCode)
        + QStringLiteral("</label> <input id=code name=code type=text required autocomplete=off "
                         "autocapitalize=characters spellcheck=false size=12 maxlength=40></p><p><button "
                         "type=submit>")
        + text(RespondentText::ContinueWithCode) + QStringLiteral("</button></p></form></main></body></html>")
        + kLineEnd)
        .toUtf8();
}

bool writeAnswersTablePage(const PublishedForm& form, const QString& tableName,
    const QList<TableColumn>& columns, const RowSource& rows, const ChunkSink& sink)
{
    constexpr qsizetype kPiece = 32 * 1024;
    const QString table = escapeHtml(tableName);
    QStringList lines { QStringLiteral("<html>"), QStringLiteral("<head>"),
        QStringLiteral("<meta charset=\"utf-8\">"), QStringLiteral("<title>"), QStringLiteral("<h1>"),
        QStringLiteral("Database table - ") + table, QStringLiteral("</h1>"), QStringLiteral("</title>"),
        bodyTag(form) };
    QString page = lines.join(kLineEnd) + kLineEnd;
    AnswersTableHtml html(page, tableName, columns);
    bool taken = true;
    const bool whole = rows([&](const QVariantList& row) {
        for (qsizetype i = 0; i < columns.size(); ++i) {
            const QVariant value = i < row.size() ? row.at(i) : QVariant();
            html.cell(int(i), value.isNull() ? QString() : value.toString());
        }
        html.endRow();
        if (page.size() >= kPiece) {
            taken = sink(page.toUtf8());
            page.clear();
        }
        return taken;
    });
    if (!taken)
        return false;
    html.finish();
    if (!whole) {
        // The status went out before the rows were read: the page itself says
        // why it ends here (and is still cut short, so it never looks whole).
        page += QStringLiteral("<P><CENTER><font size=5 color=white><B> The answers could not all be read. "
                               "Please try again in a moment. </B></FONT></CENTER>")
            + kLineEnd + QStringLiteral("</body>") + kLineEnd + QStringLiteral("</html>") + kLineEnd;
        sink(page.toUtf8());
        return false;
    }
    page += QStringLiteral("</body>") + kLineEnd + QStringLiteral("</html>") + kLineEnd;
    return sink(page.toUtf8());
}

HttpResponse errorResponse(
    int status, const QString& title, const QString& explanation, FormLanguage language)
{
    HttpResponse response;
    response.status = status;
    response.contentType = QByteArrayLiteral("text/html; charset=utf-8");
    // In a main landmark, so that a screen reader finds what the page says.
    response.body = (head(title, language) + QStringLiteral("<body><main><h1>") + escapeHtml(title)
        + QStringLiteral("</h1><p>") + escapeHtml(explanation) + QStringLiteral("</p></main></body></html>")
        + kLineEnd)
                        .toUtf8();
    return response;
}

} // namespace quenlow
