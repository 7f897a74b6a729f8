// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/ResultsPage.h"

#include "model/HtmlText.h"
#include "model/RespondentTexts.h"
#include "server/AnswerPages.h"
#include "server/FormCatalog.h"
#include "server/RespondentPage.h"
#include "server/RoomScript.h"

#include <QHash>
#include <QSet>
#include <QUrl>

namespace quenlow {

namespace {

const QString kStyle = QStringLiteral(
    "<style>body{font-family:sans-serif;margin:0 "
    "auto;max-width:46em;padding:0.75em;background:#fff;color:#111}"
    "h1{font-size:1.6em;margin:0.3em 0}h2{font-size:1.25em;margin:1.2em 0 0.3em}"
    ".count{font-size:1.3em}svg{width:100%;max-width:26em;height:auto;display:block}"
    "li{margin:0.6em 0;font-size:1.2em}"
    "body.present{max-width:none;padding:0.5em 3vw;font-size:2em}body.present svg{max-width:none}"
    "body.present h1{font-size:1.5em}body.present .charts{display:grid;"
    "grid-template-columns:repeat(auto-fit,minmax(min(24em,100%),1fr));gap:0 2em}</style>");

QString head(const QString& title, FormLanguage language, const QString& extra = {})
{
    return QStringLiteral("<!DOCTYPE html><html lang=\"") + languageTag(language)
        + QStringLiteral("\"><head><meta charset=\"utf-8\">") + QString::fromLatin1(respondentHead()) + kStyle
        + extra + QStringLiteral("<title>") + escapeHtml(title) + QStringLiteral("</title></head>");
}

QString shortened(const QString& text, qsizetype most)
{
    return text.size() <= most ? text : text.left(most - 1) + QChar(0x2026);
}

// One bar per option: its text above, the bar and "count (percent)" below.
// Percentages are of `whole`, or else of the counts' sum.
QString barChart(const ChartedQuestion& question, const QList<qint64>& counts, qint64 whole = -1)
{
    constexpr int kWidth = 340, kRow = 46, kBarWidth = 210;
    qint64 sum = 0, most = 0;
    for (const qint64 n : counts) {
        sum += n;
        most = std::max(most, n);
    }
    if (whole >= 0)
        sum = whole;
    const int height = int(question.options.size()) * kRow + 4;
    QString svg = QStringLiteral("<svg viewBox='0 0 %1 %2' role='img' aria-label='%3' "
                                 "xmlns='http://www.w3.org/2000/svg' font-family='sans-serif'>")
                      .arg(kWidth)
                      .arg(height)
                      .arg(escapeAttribute(question.text));
    for (qsizetype i = 0; i < question.options.size(); ++i) {
        const qint64 n = counts.value(i);
        const int y = int(i) * kRow;
        const int bar = most > 0 ? int(double(kBarWidth) * double(n) / double(most)) : 0;
        const int percent = sum > 0 ? int(double(n) * 100.0 / double(sum) + 0.5) : 0;
        svg += QStringLiteral("<text x='0' y='%1' font-size='15' fill='#111'>%2</text>")
                   .arg(y + 16)
                   .arg(escapeHtml(shortened(question.options.at(i), 40)));
        svg += QStringLiteral("<rect x='0' y='%1' width='%2' height='18' fill='#c8d3e0'/>")
                   .arg(y + 22)
                   .arg(kBarWidth);
        svg += QStringLiteral("<rect x='0' y='%1' width='%2' height='18' fill='#1f5fa8'/>")
                   .arg(y + 22)
                   .arg(bar);
        svg += QStringLiteral("<text x='%1' y='%2' font-size='15' fill='#111'>%3 (%4%)</text>")
                   .arg(kBarWidth + 8)
                   .arg(y + 37)
                   .arg(n)
                   .arg(percent);
    }
    return svg + QStringLiteral("</svg>");
}

// Check boxes asked as one question, by the place of their first box in the
// charted questions: the question text and the places of every box.
QHash<qsizetype, std::pair<QString, QList<qsizetype>>> boxGroups(const PublishedForm& form)
{
    QHash<QString, qsizetype> chartedAt;
    for (qsizetype i = 0; i < form.charted.size(); ++i)
        chartedAt.insert(form.charted.at(i).field, i);
    QHash<qsizetype, std::pair<QString, QList<qsizetype>>> groups;
    qsizetype first = -1;
    QString text;
    for (const PostedQuestion& q : form.questions) {
        const qsizetype at = chartedAt.value(q.field, -1);
        const bool grouped = q.kind == ElementKind::CheckBox && !q.settings.questionText.isEmpty() && at >= 0;
        if (!grouped || q.settings.questionText != text)
            first = -1;
        if (!grouped)
            continue;
        if (first < 0) {
            first = at;
            text = q.settings.questionText;
            groups.insert(first, { text, {} });
        }
        groups[first].second.append(at);
    }
    return groups;
}

QString formLink(const PublishedForm& form)
{
    return QStringLiteral("/") + QString::fromLatin1(QUrl::toPercentEncoding(form.name))
        + QStringLiteral(".html");
}

} // namespace

QByteArray resultsPathPrefix()
{
    return QByteArrayLiteral("/results/");
}

QByteArray resultsPage(const PublishedForm& form, const ResultsTally::Counts& counts, bool present)
{
    const FormLanguage language = form.settings.language;
    QString page = head(respondentText(RespondentText::ResultsTitle, language).arg(form.title), language,
        QStringLiteral("<script src=\"") + QString::fromLatin1(resultsScriptPath())
            + QStringLiteral("\" defer></script>"));
    page += present ? QStringLiteral("<body class=present>") : QStringLiteral("<body>");
    page += QStringLiteral("<main><h1>") + escapeHtml(form.title) + QStringLiteral("</h1><p class=count><b>")
        + QString::number(counts.total) + QStringLiteral("</b> ")
        + respondentContent(respondentText(
            counts.total == 1 ? RespondentText::OneAnswer : RespondentText::ManyAnswers, language))
        + QStringLiteral("</p><div class=charts>");
    // A group of boxes is one chart: one bar per box, how many ticked it.
    const auto groups = boxGroups(form);
    QSet<qsizetype> grouped;
    for (const auto& group : groups)
        grouped.unite(QSet<qsizetype>(group.second.begin(), group.second.end()));
    for (qsizetype q = 0; q < form.charted.size(); ++q) {
        if (const auto group = groups.constFind(q); group != groups.cend()) {
            ChartedQuestion chart { form.charted.at(q).field, group->first, {} };
            QList<qint64> ticked;
            for (const qsizetype box : group->second) {
                chart.options.append(form.charted.at(box).text);
                ticked.append(counts.perQuestion.value(box).value(0)); // its "Checked"
            }
            page += QStringLiteral("<section><h2>") + escapeHtml(chart.text) + QStringLiteral("</h2>")
                + barChart(chart, ticked, counts.total) + QStringLiteral("</section>");
        }
        if (grouped.contains(q))
            continue;
        page += QStringLiteral("<section><h2>") + escapeHtml(form.charted.at(q).text)
            + QStringLiteral("</h2>") + barChart(form.charted.at(q), counts.perQuestion.value(q))
            + QStringLiteral("</section>");
    }
    page += QStringLiteral("</div></main></body></html>\r\n");
    return page.toUtf8();
}

QString thankYouExtras(const PublishedForm& form, const QString& receipt)
{
    const FormLanguage language = form.settings.language;
    const auto text = [language](RespondentText t) { return respondentContent(respondentText(t, language)); };
    QString extras;
    if (!receipt.isEmpty()) {
        extras += QStringLiteral("<P><B>") + text(RespondentText::YourReceipt)
            + QStringLiteral(" <SPAN CLASS=receipt "
                             "STYLE='font-family:monospace;font-size:1.4em;letter-spacing:0.1em'>")
            + escapeHtml(receipt) + QStringLiteral("</SPAN></B>\r\n");
    }
    if (form.settings.offerAnotherAnswer) {
        extras += QStringLiteral("<P><A HREF='") + escapeAttribute(formLink(form)) + QStringLiteral("'><B>")
            + text(RespondentText::SendAnother) + QStringLiteral("</B></A>\r\n");
    }
    if (form.settings.showResults) {
        extras += QStringLiteral("<P><A HREF='/results/")
            + escapeAttribute(QString::fromLatin1(QUrl::toPercentEncoding(form.name)))
            + QStringLiteral(".html'><B>") + text(RespondentText::SeeResults)
            + QStringLiteral("</B></A>\r\n");
    }
    return extras;
}

QByteArray closedFormPage(const PublishedForm& form)
{
    const FormLanguage language = form.settings.language;
    return (head(form.title, language) + QStringLiteral("<body><main><h1>") + escapeHtml(form.title)
        + QStringLiteral("</h1><p>") + respondentContent(respondentText(RespondentText::FormClosed, language))
        + QStringLiteral("</p></main></body></html>\r\n"))
        .toUtf8();
}

QByteArray openFormsPage(const QList<PublishedForm>& forms, FormLanguage language)
{
    // Forms of several languages may be listed: the list speaks the browser's.
    QString page = head(respondentText(RespondentText::FormsTitle, language), language)
        + QStringLiteral("<body><main><h1>") + respondentText(RespondentText::FormsTitle, language)
        + QStringLiteral("</h1>");
    if (forms.isEmpty()) {
        page += QStringLiteral("<p>") + respondentText(RespondentText::NoFormOpen, language)
            + QStringLiteral("</p>");
    } else {
        page += QStringLiteral("<ul>");
        for (const PublishedForm& form : forms) {
            page += QStringLiteral("<li><a href='") + escapeAttribute(formLink(form)) + QStringLiteral("'>")
                + escapeHtml(form.title.isEmpty() ? form.name : form.title) + QStringLiteral("</a>");
            if (form.settings.showResults) {
                page += QStringLiteral(" &middot; <a href='/results/")
                    + escapeAttribute(QString::fromLatin1(QUrl::toPercentEncoding(form.name)))
                    + QStringLiteral(".html'>") + respondentText(RespondentText::ResultsLink, language)
                    + QStringLiteral("</a>");
            }
            page += QStringLiteral("</li>");
        }
        page += QStringLiteral("</ul>");
    }
    return (page + QStringLiteral("</main></body></html>\r\n")).toUtf8();
}

} // namespace quenlow
