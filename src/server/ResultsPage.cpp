// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/ResultsPage.h"
#include "server/ServedScripts.h"

#include "model/HtmlText.h"
#include "model/QrCode.h"
#include "model/RespondentTexts.h"
#include "server/AnswerPages.h"
#include "server/FormCatalog.h"
#include "server/RespondentPage.h"
#include "server/RoomScript.h"

#include <QHash>
#include <QSet>
#include <QUrl>

#include <algorithm>

namespace quenlow {

namespace {

const QString kStyle = QStringLiteral(
    "<style>body{font-family:sans-serif;margin:0 "
    "auto;max-width:46em;padding:0.75em;background:#fff;color:#111}"
    "h1{font-size:1.6em;margin:0.3em 0}h2{font-size:1.25em;margin:1.2em 0 0.3em}"
    ".count{font-size:1.3em}svg{width:100%;max-width:26em;height:auto;display:block}"
    "li{margin:0.6em 0;font-size:1.2em}"
    ".offline:not(:empty){display:inline-block;background:#ffd54a;color:#111;font-weight:bold;"
    "padding:0.2em 0.6em;border-radius:0.3em}"
    // The projector: one screen, no scrolling; type and charts scale with its height.
    "body.present{max-width:none;height:100vh;overflow:hidden;box-sizing:border-box;padding:2vh 2.5vw;"
    "font-size:2.4vh}body.present main{display:flex;flex-direction:column;height:100%}"
    "body.present .top{display:flex;justify-content:space-between;align-items:flex-start;gap:2vw;flex:none}"
    "body.present h1{font-size:4.4vh;margin:0 0 0.5vh}body.present .count{font-size:3vh;margin:0 0 1vh}"
    "body.present .pages{margin-left:1em;color:#444}"
    "body.present .join{text-align:center;flex:none;max-width:30vw}body.present .join p{margin:0}"
    "body.present .join svg{width:19vh;height:19vh;max-width:none;margin:0.5vh auto;display:block}"
    "body.present .address{font-size:2vh;word-break:break-all}"
    "body.present .charts{flex:1;min-height:0;display:grid;gap:1.5vh 2vw}"
    "body.present section{display:flex;flex-direction:column;min-height:0;min-width:0}"
    "body.present h2{font-size:2.6vh;margin:0 0 0.5vh;overflow:hidden;display:-webkit-box;"
    "-webkit-line-clamp:2;-webkit-box-orient:vertical}"
    "body.present section svg{flex:1 1 0;min-height:0;width:100%;height:100%;max-width:none}"
    // The counts as a table, for screen readers: the charts are pictures.
    ".counts{position:absolute;width:1px;height:1px;overflow:hidden;clip:rect(0 0 0 0);"
    "white-space:nowrap}</style>");

QString head(const QString& title, FormLanguage language, const QString& extra = {})
{
    return QStringLiteral("<!DOCTYPE html><html lang=\"") + languageTag(language)
        + QStringLiteral("\"><head><meta charset=\"utf-8\">") + QString::fromLatin1(respondentHead()) + kStyle
        + extra + QStringLiteral("<title>") + escapeHtml(title) + QStringLiteral("</title></head>");
}

constexpr int kChartWidth = 340, kChartRow = 46; // a chart's width and each bar's height

QString shortened(const QString& text, qsizetype most)
{
    return text.size() <= most ? text : text.left(most - 1) + QChar(0x2026);
}

// One bar per option: its text above, the bar and "count (percent)" below,
// and the same as a table that only screen readers show (the picture is
// hidden from them). Percentages are of `whole`, or else of the counts' sum.
QString barChart(const ChartedQuestion& question, const QList<qint64>& counts, qint64 whole = -1)
{
    constexpr int kWidth = kChartWidth, kRow = kChartRow, kBarWidth = 210;
    qint64 sum = 0, most = 0;
    for (const qint64 n : counts) {
        sum += n;
        most = std::max(most, n);
    }
    if (whole >= 0)
        sum = whole;
    const int height = int(question.options.size()) * kRow + 4;
    QString svg
        = QStringLiteral("<svg viewBox='0 0 %1 %2' preserveAspectRatio='xMinYMin meet' aria-hidden='true' "
                         "focusable='false' xmlns='http://www.w3.org/2000/svg' font-family='sans-serif'>")
              .arg(kWidth)
              .arg(height);
    // In a box of its own: a table grows to its content whatever its size says.
    QString table = QStringLiteral("<div class=counts><table><caption>") + escapeHtml(question.text)
        + QStringLiteral("</caption>");
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
        table += QStringLiteral("<tr><th scope=row>") + escapeHtml(question.options.at(i))
            + QStringLiteral("</th><td>%1 (%2%)</td></tr>").arg(n).arg(percent);
    }
    return svg + QStringLiteral("</svg>") + table + QStringLiteral("</table></div>");
}

// A grid as one chart: a bar per statement split into its answers, in the
// answers' order, under a key of the answers' colours; and the same as a
// table that only screen readers show.
QString stackedChart(const QString& title, const QStringList& rows, const QStringList& answers,
    const QList<QList<qint64>>& counts)
{
    static const char* const kColours[]
        = { "#1f5fa8", "#6aa84f", "#e69138", "#8e7cc3", "#c0392b", "#45818e", "#bf9000", "#999999" };
    constexpr int kWidth = kChartWidth, kRow = 44, kBarWidth = 320, kKeyRow = 22;
    const auto colour = [](qsizetype i) { return QString::fromLatin1(kColours[i % std::size(kColours)]); };
    const int keyHeight = int(answers.size()) * kKeyRow + 6;
    const int height = keyHeight + int(rows.size()) * kRow + 4;
    QString svg
        = QStringLiteral("<svg viewBox='0 0 %1 %2' preserveAspectRatio='xMinYMin meet' aria-hidden='true' "
                         "focusable='false' xmlns='http://www.w3.org/2000/svg' font-family='sans-serif'>")
              .arg(kWidth)
              .arg(height);
    for (qsizetype a = 0; a < answers.size(); ++a) {
        const int y = int(a) * kKeyRow;
        svg += QStringLiteral("<rect x='0' y='%1' width='14' height='14' fill='%2'/>")
                   .arg(y + 3)
                   .arg(colour(a));
        svg += QStringLiteral("<text x='20' y='%1' font-size='14' fill='#111'>%2</text>")
                   .arg(y + 15)
                   .arg(escapeHtml(shortened(answers.at(a), 40)));
    }
    QString table = QStringLiteral("<div class=counts><table><caption>") + escapeHtml(title)
        + QStringLiteral("</caption><tr><td></td>");
    for (const QString& answer : answers)
        table += QStringLiteral("<th scope=col>") + escapeHtml(answer) + QStringLiteral("</th>");
    table += QStringLiteral("</tr>");
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const QList<qint64> row = counts.value(r);
        qint64 sum = 0;
        for (const qint64 n : row)
            sum += n;
        const int y = keyHeight + int(r) * kRow;
        svg += QStringLiteral("<text x='0' y='%1' font-size='15' fill='#111'>%2</text>")
                   .arg(y + 16)
                   .arg(escapeHtml(shortened(rows.at(r), 44)));
        svg += QStringLiteral("<rect x='0' y='%1' width='%2' height='18' fill='#e8edf3'/>")
                   .arg(y + 22)
                   .arg(kBarWidth);
        table += QStringLiteral("<tr><th scope=row>") + escapeHtml(rows.at(r)) + QStringLiteral("</th>");
        double x = 0;
        for (qsizetype a = 0; a < answers.size(); ++a) {
            const qint64 n = row.value(a);
            const double width = sum > 0 ? double(kBarWidth) * double(n) / double(sum) : 0;
            if (width > 0)
                svg += QStringLiteral("<rect x='%1' y='%2' width='%3' height='18' fill='%4'/>")
                           .arg(x, 0, 'f', 1)
                           .arg(y + 22)
                           .arg(width, 0, 'f', 1)
                           .arg(colour(a));
            x += width;
            const int percent = sum > 0 ? int(double(n) * 100.0 / double(sum) + 0.5) : 0;
            table += QStringLiteral("<td>%1 (%2%)</td>").arg(n).arg(percent);
        }
        table += QStringLiteral("</tr>");
    }
    return svg + QStringLiteral("</svg>") + table + QStringLiteral("</table></div>");
}

// Questions charted together (a grid's statements, check boxes asked as one
// question), by the place of the first in the charted questions: their
// question and the places of every one. `ofGroup`: a question of such a group.
template <typename OfGroup>
QHash<qsizetype, std::pair<QString, QList<qsizetype>>> chartedGroups(
    const PublishedForm& form, OfGroup ofGroup)
{
    QHash<QString, qsizetype> chartedAt;
    for (qsizetype i = 0; i < form.charted.size(); ++i)
        chartedAt.insert(form.charted.at(i).field, i);
    QHash<qsizetype, std::pair<QString, QList<qsizetype>>> groups;
    qsizetype first = -1;
    QString text;
    for (const PostedQuestion& q : form.questions) {
        const qsizetype at = chartedAt.value(q.field, -1);
        const bool grouped = ofGroup(q) && at >= 0;
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

QHash<qsizetype, std::pair<QString, QList<qsizetype>>> gridGroups(const PublishedForm& form)
{
    return chartedGroups(form, [](const PostedQuestion& q) { return q.kind == ElementKind::Grid; });
}

QHash<qsizetype, std::pair<QString, QList<qsizetype>>> rankingGroups(const PublishedForm& form)
{
    return chartedGroups(form, [](const PostedQuestion& q) { return q.kind == ElementKind::Ranking; });
}

// A ranking as one chart: a bar per option as long as its mean place, the
// preferred (smallest) first; an option nobody placed comes last, with no
// bar. And the same as a table that only screen readers show.
QString meanPlaceChart(const QString& title, QList<std::pair<QString, QList<qint64>>> options)
{
    constexpr int kWidth = kChartWidth, kRow = kChartRow, kBarWidth = 210;
    struct Mean {
        QString option;
        double mean = 0;
        qint64 placed = 0;
    };
    QList<Mean> means;
    qsizetype most = 1;
    for (const auto& [option, perPlace] : options) {
        Mean m { option, 0, 0 };
        double sum = 0;
        for (qsizetype p = 0; p < perPlace.size(); ++p) {
            m.placed += perPlace.at(p);
            sum += double(p + 1) * double(perPlace.at(p));
        }
        m.mean = m.placed > 0 ? sum / double(m.placed) : 0;
        most = std::max(most, perPlace.size());
        means.append(m);
    }
    std::stable_sort(means.begin(), means.end(), [](const Mean& a, const Mean& b) {
        return (a.placed > 0) != (b.placed > 0) ? a.placed > 0 : a.mean < b.mean;
    });
    QString svg
        = QStringLiteral("<svg viewBox='0 0 %1 %2' preserveAspectRatio='xMinYMin meet' aria-hidden='true' "
                         "focusable='false' xmlns='http://www.w3.org/2000/svg' font-family='sans-serif'>")
              .arg(kWidth)
              .arg(int(means.size()) * kRow + 4);
    QString table = QStringLiteral("<div class=counts><table><caption>") + escapeHtml(title)
        + QStringLiteral("</caption>");
    for (qsizetype i = 0; i < means.size(); ++i) {
        const Mean& m = means.at(i);
        const int y = int(i) * kRow;
        const QString shown = m.placed > 0 ? QString::number(m.mean, 'f', 1) : QStringLiteral("\u2013");
        svg += QStringLiteral("<text x='0' y='%1' font-size='15' fill='#111'>%2</text>")
                   .arg(y + 16)
                   .arg(escapeHtml(shortened(m.option, 40)));
        svg += QStringLiteral("<rect x='0' y='%1' width='%2' height='18' fill='#1f5fa8'/>")
                   .arg(y + 22)
                   .arg(int(double(kBarWidth) * m.mean / double(most)));
        svg += QStringLiteral("<text x='%1' y='%2' font-size='15' fill='#111'>%3</text>")
                   .arg(kBarWidth + 8)
                   .arg(y + 37)
                   .arg(shown);
        table += QStringLiteral("<tr><th scope=row>") + escapeHtml(m.option) + QStringLiteral("</th><td>")
            + shown + QStringLiteral("</td></tr>");
    }
    return svg + QStringLiteral("</svg>") + table + QStringLiteral("</table></div>");
}

QHash<qsizetype, std::pair<QString, QList<qsizetype>>> boxGroups(const PublishedForm& form)
{
    return chartedGroups(form, [](const PostedQuestion& q) {
        return q.kind == ElementKind::CheckBox && !q.settings.questionText.isEmpty();
    });
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

namespace {

struct Chart {
    QString section; // heading and drawing
    qsizetype bars = 0;
};

// Every chart of the form, in the form's order.
QList<Chart> charts(const PublishedForm& form, const ResultsTally::Counts& counts)
{
    QList<Chart> charts;
    const auto add = [&charts](const ChartedQuestion& question, const QList<qint64>& counted, qint64 whole) {
        charts.append({ QStringLiteral("<section><h2>") + escapeHtml(question.text) + QStringLiteral("</h2>")
                + barChart(question, counted, whole) + QStringLiteral("</section>"),
            question.options.size() });
    };
    // A group of boxes is one chart: one bar per box, how many ticked it.
    const auto groups = boxGroups(form);
    QSet<qsizetype> grouped;
    for (const auto& group : groups)
        grouped.unite(QSet<qsizetype>(group.second.begin(), group.second.end()));
    const auto grids = gridGroups(form);
    // A ranking is one chart of its options' mean places; its options' places are not charted one by one.
    const auto rankings = rankingGroups(form);
    for (const auto& ranking : rankings)
        grouped.unite(QSet<qsizetype>(ranking.second.begin(), ranking.second.end()));
    for (qsizetype q = 0; q < form.charted.size(); ++q) {
        if (const auto ranking = rankings.constFind(q); ranking != rankings.cend()) {
            const QString prefix = ranking->first + QStringLiteral(": ");
            QList<std::pair<QString, QList<qint64>>> options;
            for (const qsizetype option : ranking->second) {
                QString text = form.charted.at(option).text;
                if (text.startsWith(prefix))
                    text = text.mid(prefix.size());
                options.append({ text, counts.perQuestion.value(option) });
            }
            charts.append(
                { QStringLiteral("<section><h2>") + escapeHtml(ranking->first) + QStringLiteral("</h2>")
                        + meanPlaceChart(ranking->first, options) + QStringLiteral("</section>"),
                    options.size() });
        }
        if (const auto grid = grids.constFind(q); grid != grids.cend()) {
            // The grid as one chart, before each statement on its own.
            QStringList rows;
            QList<QList<qint64>> counted;
            for (const qsizetype row : grid->second) {
                rows.append(form.charted.at(row).text);
                counted.append(counts.perQuestion.value(row));
            }
            // A statement's chart names the grid's question before it; in the grid's own, the statement
            // alone.
            const QString prefix = grid->first + QStringLiteral(": ");
            for (QString& row : rows) {
                if (row.startsWith(prefix))
                    row = row.mid(prefix.size());
            }
            charts.append(
                { QStringLiteral("<section><h2>") + escapeHtml(grid->first) + QStringLiteral("</h2>")
                        + stackedChart(grid->first, rows, form.charted.at(q).options, counted)
                        + QStringLiteral("</section>"),
                    rows.size() + (form.charted.at(q).options.size() + 1) / 2 });
        }
        if (const auto group = groups.constFind(q); group != groups.cend()) {
            ChartedQuestion chart { form.charted.at(q).field, group->first, {} };
            QList<qint64> ticked;
            for (const qsizetype box : group->second) {
                chart.options.append(form.charted.at(box).text);
                ticked.append(counts.perQuestion.value(box).value(0)); // its "Checked"
            }
            add(chart, ticked, counts.total);
        }
        if (!grouped.contains(q)) {
            // Answers typed after "Other:" follow the options, as in the designer's charts.
            ChartedQuestion chart = form.charted.at(q);
            QList<qint64> counted = counts.perQuestion.value(q);
            for (const auto& [typed, n] : counts.typed.value(q)) {
                chart.options.append(typed);
                counted.append(n);
            }
            add(chart, counted, -1);
        }
    }
    return charts;
}

QString countLine(const ResultsTally::Counts& counts, FormLanguage language)
{
    return QStringLiteral("<b>") + QString::number(counts.total) + QStringLiteral("</b> ")
        + respondentContent(respondentText(
            counts.total == 1 ? RespondentText::OneAnswer : RespondentText::ManyAnswers, language));
}

// Filled by the page's script when fetching the page again fails.
QString offlineNotice(FormLanguage language)
{
    return QStringLiteral("<p class=offline role=status data-text='")
        + escapeAttribute(respondentText(RespondentText::NotUpdating, language)) + QStringLiteral("'></p>");
}

QString resultsHead(const PublishedForm& form, const QString& extra = {})
{
    return head(respondentText(RespondentText::ResultsTitle, form.settings.language).arg(form.title),
        form.settings.language, QString::fromLatin1(deferredScriptTag(resultsScriptPath())) + extra);
}

} // namespace

std::pair<int, int> projectorGrid(const QList<qsizetype>& bars)
{
    // A 1920×1080 screen less the page's margins, its top (title, count and
    // code) and each chart's heading: the figures the style sheet gives.
    constexpr double kWidth = 1824, kHeight = 805, kGap = 16, kColumnGap = 38, kHeading = 40;
    if (bars.isEmpty())
        return { 1, 1 };
    const qsizetype most = *std::max_element(bars.cbegin(), bars.cend());
    const double tallest = double(most * kChartRow + 4);
    const int n = int(bars.size());
    int columns = 1;
    double best = 0;
    for (int c = 1; c <= n; ++c) {
        const int r = (n + c - 1) / c;
        const double width = (kWidth - kColumnGap * (c - 1)) / c;
        const double height = (kHeight - kGap * (r - 1)) / r - kHeading;
        const double scale = std::min(width / kChartWidth, height / tallest);
        if (scale > best * 1.0001) {
            best = scale;
            columns = c;
        }
    }
    return { columns, (n + columns - 1) / columns };
}

QByteArray resultsPage(const PublishedForm& form, const ResultsTally::Counts& counts)
{
    const FormLanguage language = form.settings.language;
    QString page = resultsHead(form) + QStringLiteral("<body><main><h1>") + escapeHtml(form.title)
        + QStringLiteral("</h1><p class=count>") + countLine(counts, language) + QStringLiteral("</p>")
        + offlineNotice(language) + QStringLiteral("<div class=charts>");
    for (const Chart& chart : charts(form, counts))
        page += chart.section;
    page += QStringLiteral("</div></main></body></html>\r\n");
    return page.toUtf8();
}

QByteArray projectorPage(
    const PublishedForm& form, const ResultsTally::Counts& counts, const ProjectorView& view)
{
    const FormLanguage language = form.settings.language;
    const QList<Chart> all = charts(form, counts);
    const int pages = std::max(1, int((all.size() + kChartsOnProjector - 1) / kChartsOnProjector));
    const int page = std::clamp(view.page, 1, pages);
    const QList<Chart> shown = all.mid(qsizetype(page - 1) * kChartsOnProjector, kChartsOnProjector);
    // Without script the page turns (and counts anew) by reloading itself.
    const QString next = QStringLiteral("?present&page=") + QString::number(page % pages + 1);
    QString html = resultsHead(form,
                       QStringLiteral("<noscript><meta http-equiv=\"refresh\" content=\"10;url=")
                           + escapeAttribute(next) + QStringLiteral("\"></noscript>"))
        + QStringLiteral("<body class=present><main><div class=top><div><h1>") + escapeHtml(form.title)
        + QStringLiteral("</h1><p class=count>") + countLine(counts, language);
    if (pages > 1) {
        html += QStringLiteral("<span class=pages>")
            + escapeHtml(respondentText(RespondentText::PageOfPages, language).arg(page).arg(pages))
            + QStringLiteral("</span>");
    }
    html += QStringLiteral("</p>") + offlineNotice(language) + QStringLiteral("</div>");
    if (!view.formAddress.isEmpty()) {
        const QString code = qrCodeSvg(
            view.formAddress, respondentText(RespondentText::QrCodeFor, language).arg(view.formAddress));
        html += QStringLiteral("<div class=join><p>")
            + escapeHtml(respondentText(RespondentText::AnswerHere, language)) + QStringLiteral("</p>") + code
            + QStringLiteral("<p class=address>") + escapeHtml(view.formAddress)
            + QStringLiteral("</p></div>");
    }
    QList<qsizetype> bars;
    for (const Chart& chart : shown)
        bars.append(chart.bars);
    const auto [columns, rows] = projectorGrid(bars);
    html += QStringLiteral("</div><div class=charts data-page=%1 data-pages=%2 "
                           "style='grid-template-columns:repeat(%3,minmax(0,1fr));"
                           "grid-template-rows:repeat(%4,minmax(0,1fr))'>")
                .arg(page)
                .arg(pages)
                .arg(columns)
                .arg(rows);
    for (const Chart& chart : shown)
        html += chart.section;
    html += QStringLiteral("</div></main></body></html>\r\n");
    return html.toUtf8();
}

QString receiptLine(const PublishedForm& form, const QString& receipt)
{
    if (receipt.isEmpty())
        return QString();
    return QStringLiteral("<P><B>")
        + respondentContent(respondentText(RespondentText::YourReceipt, form.settings.language))
        + QStringLiteral(" <SPAN CLASS=receipt "
                         "STYLE='font-family:monospace;font-size:1.4em;letter-spacing:0.1em'>")
        + escapeHtml(receipt) + QStringLiteral("</SPAN></B>\r\n");
}

QString thankYouExtras(const PublishedForm& form, const QString& receipt)
{
    const FormLanguage language = form.settings.language;
    const auto text = [language](RespondentText t) { return respondentContent(respondentText(t, language)); };
    QString extras = receiptLine(form, receipt);
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

QByteArray quotaFullPage(const PublishedForm& form)
{
    const FormLanguage language = form.settings.language;
    return (head(form.title, language) + QStringLiteral("<body><main><h1>") + escapeHtml(form.title)
        + QStringLiteral("</h1><p>")
        + respondentContent(respondentText(RespondentText::EnoughLikeYou, language))
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
