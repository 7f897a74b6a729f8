// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/Fragments.h"

#include "database/AnswerColumns.h"
#include "model/ElementKind.h"
#include "model/HtmlText.h"
#include "model/OwnedColumns.h"
#include "model/PageFormat.h"
#include "model/RankingQuestion.h"

namespace quenlow {

namespace {

// The companion field that tells the collection service the question's kind.
QString typeField(const QString& name, ElementKind kind)
{
    return QStringLiteral("<input type=hidden name='") + name + pageFormat::kindSuffix()
        + QStringLiteral("' value='") + QString::fromUtf16(traitsOf(kind).pageType) + QStringLiteral("'>");
}

// After the text of a question that must be answered.
QString markIfRequired(bool required)
{
    return required ? QStringLiteral(" ") + QString::fromLatin1(pageFormat::requiredMarkStart())
            + pageFormat::requiredMarkTitle() + QStringLiteral("'>*</span>")
                    : QString();
}

QString requiredAttribute(bool required)
{
    return required ? QStringLiteral(" required") : QString();
}

// The input type of a typed text field and the attributes that pick a phone's
// keyboard and hold the limits; "text" and none for any text.
QString typedInput(const AnswerRules& rules)
{
    QString attributes;
    switch (rules.kind) {
    case AnswerKind::AnyText:
        return QStringLiteral("'text'");
    case AnswerKind::WholeNumber:
        attributes = QStringLiteral("'number' inputmode='numeric' step='1'");
        break;
    case AnswerKind::Number:
        attributes = QStringLiteral("'number' inputmode='decimal' step='any'");
        break;
    case AnswerKind::Date:
        attributes = QStringLiteral("'date'");
        break;
    case AnswerKind::Email:
        return QStringLiteral("'email'");
    case AnswerKind::Phone:
        return QStringLiteral("'tel' inputmode='tel'");
    }
    // Only a limit of the kind's own spelling reaches the page.
    const QString minimum = canonicalLimit(rules.kind, rules.minimum).value_or(QString());
    const QString maximum = canonicalLimit(rules.kind, rules.maximum).value_or(QString());
    if (!minimum.isEmpty())
        attributes += QStringLiteral(" min='") + escapeAttribute(minimum) + QStringLiteral("'");
    if (!maximum.isEmpty())
        attributes += QStringLiteral(" max='") + escapeAttribute(maximum) + QStringLiteral("'");
    return attributes;
}

// Whether a check box's fragment puts it on a line of its own: a paragraph
// mark before the box itself.
bool boxOnNewLine(const QString& htmlCode)
{
    const qsizetype box = htmlCode.indexOf(QStringLiteral("type='checkbox'"), 0, Qt::CaseInsensitive);
    return box < 0 || htmlCode.left(box).contains(QStringLiteral("<P>"), Qt::CaseInsensitive);
}

FormMethod record(const QString& htmlCode, const QString& instruction, ElementKind kind)
{
    FormMethod m;
    m.htmlCode = htmlCode;
    m.userInstruction = instruction;
    m.kind = kind;
    return m;
}

} // namespace

QString fieldNameAttribute(const QString& question)
{
    // Cut first, then escape: the browser posts the unescaped name, which must
    // equal the column name exactly.
    return escapeAttribute(columnNameFor(question));
}

QString textFieldFragment(const QString& question, const QString& boxSize, const QString& maxChars,
    const QString& defaultText, const AnswerRules& rules)
{
    const QString name = fieldNameAttribute(question);
    return QStringLiteral("<P>") + typeField(name, ElementKind::TextField) + QStringLiteral("<P>") + question
        + markIfRequired(rules.required) + QStringLiteral(" <input name='") + name
        + QStringLiteral("' size='") + escapeAttribute(boxSize) + QStringLiteral("' maxlength='")
        + escapeAttribute(maxChars) + QStringLiteral("' type=") + typedInput(rules)
        + QStringLiteral(" value ='") + escapeAttribute(defaultText) + QStringLiteral("'")
        + requiredAttribute(rules.required) + QStringLiteral(">");
}

QString textAreaFragment(const QString& question, const QString& rows, const QString& width,
    const QString& defaultText, bool required)
{
    const QString name = fieldNameAttribute(question);
    return QStringLiteral("<P>") + typeField(name, ElementKind::TextArea) + QStringLiteral("<P>") + question
        + markIfRequired(required) + QStringLiteral("<P> <textarea name='") + name
        + QStringLiteral("' cols='") + escapeAttribute(width) + QStringLiteral("' rows='")
        + escapeAttribute(rows) + QStringLiteral("'") + requiredAttribute(required) + QStringLiteral(">")
        + defaultText + QStringLiteral("</textarea>");
}

QString plainTextFragment(const QString& text)
{
    return QStringLiteral("<P>") + text;
}

QString checkBoxFragment(const QString& title, bool newLine, bool selected, bool required)
{
    const QString name = fieldNameAttribute(title);
    QString html = typeField(name, ElementKind::CheckBox);
    if (newLine)
        html += QStringLiteral("<P>");
    html += QStringLiteral("<input name='") + name + QStringLiteral("' type='checkbox'");
    if (selected)
        html += QStringLiteral(" checked");
    html += requiredAttribute(required) + QStringLiteral(">") + title + markIfRequired(required);
    return html;
}

// The box an "Other:" answer is typed in, after its choice.
static QString otherBox(const QString& name)
{
    return QStringLiteral(" <input name='") + name + escapeAttribute(pageFormat::otherSuffix())
        + QStringLiteral("' type='text' size='20' maxlength='255'>");
}

QString groupOtherFragment(const QString& groupQuestion)
{
    const QString name = fieldNameAttribute(groupOtherSource(groupQuestion));
    return typeField(name, ElementKind::CheckBox) + QStringLiteral("<P><input name='") + name
        + QStringLiteral("' type='checkbox' value='") + escapeAttribute(pageFormat::otherChoice())
        + QStringLiteral("'>") + pageFormat::otherChoice() + otherBox(name);
}

QString radioButtonsFragment(const QString& question, const QStringList& options,
    const QString& defaultOption, bool required, bool other)
{
    const QString name = fieldNameAttribute(question);
    QString html = typeField(name, ElementKind::RadioButtons) + QStringLiteral("<P>") + question
        + markIfRequired(required);
    for (const QString& option : options) {
        html += QStringLiteral("<BR><input name='") + name + QStringLiteral("' type='radio' value='")
            + escapeAttribute(option) + QStringLiteral("'");
        // One radio button carrying it makes the whole group required.
        if (&option == &options.constFirst())
            html += requiredAttribute(required);
        html += option == defaultOption ? QStringLiteral(" checked>") : QStringLiteral(">");
        html += option;
    }
    if (other)
        html += QStringLiteral("<BR><input name='") + name + QStringLiteral("' type='radio' value='")
            + escapeAttribute(pageFormat::otherChoice()) + QStringLiteral("'")
            + (options.isEmpty() ? requiredAttribute(required) : QString()) + QStringLiteral(">")
            + pageFormat::otherChoice() + otherBox(name);
    return html;
}

QString pullDownMenuFragment(const QString& question, const QString& height, const QStringList& options,
    const QString& defaultOption, bool required, bool other)
{
    const QString name = fieldNameAttribute(question);
    QString html = QStringLiteral("<P>") + typeField(name, ElementKind::PullDownMenu) + QStringLiteral("<P>")
        + question + markIfRequired(required);
    // A list box taller than one entry stands under the question.
    if (menuHeight(height).value_or(0) > 1)
        html += QStringLiteral("<P>");
    html += QStringLiteral(" <select name='") + name + QStringLiteral("' size=") + escapeAttribute(height)
        + requiredAttribute(required) + QStringLiteral(">");
    for (const QString& option : options) {
        html += QStringLiteral("<option");
        html += option == defaultOption ? QStringLiteral(" selected>") : QStringLiteral(">");
        html += option;
    }
    if (other)
        html += QStringLiteral("<option value='") + escapeAttribute(pageFormat::otherChoice())
            + QStringLiteral("'>") + pageFormat::otherChoice();
    html += QStringLiteral("</select>");
    if (other)
        html += otherBox(name);
    return html;
}

QString submitButtonFragment(const QString& submitTitle, bool withReset, const QString& resetTitle)
{
    QString html = QStringLiteral("<P> <CENTER> <INPUT TYPE='submit' VALUE='") + escapeAttribute(submitTitle)
        + QStringLiteral("'>");
    if (withReset)
        html += QStringLiteral(" <INPUT TYPE='reset' VALUE='") + escapeAttribute(resetTitle)
            + QStringLiteral("'></CENTER>");
    else
        html += QStringLiteral("</CENTER>");
    return html;
}

// Each number stands over its own button in a box a finger can hit (44 px);
// the row wraps on a narrow screen, the labels keeping to its ends.
QString scaleFragment(const QString& question, const ScaleQuestion& scale, bool required)
{
    const QString name = fieldNameAttribute(question);
    QString html = QStringLiteral("<P>") + typeField(name, ElementKind::Scale) + QStringLiteral("<P>")
        + question + markIfRequired(required)
        + QStringLiteral("<BR><span style='display:inline-flex;flex-wrap:wrap;align-items:center;gap:4px'>");
    if (!scale.lowLabel.isEmpty())
        html += QStringLiteral("<span style='padding:0 6px'>") + scale.lowLabel + QStringLiteral("</span>");
    const QStringList values = scaleValues(scale);
    for (const QString& value : values) {
        html += QStringLiteral("<label style='display:inline-flex;flex-direction:column;align-items:center;"
                               "min-width:44px;min-height:44px;padding:2px 0;cursor:pointer'><input name='")
            + name + QStringLiteral("' type='radio' value='") + value + QStringLiteral("'")
            + requiredAttribute(required && &value == &values.constFirst())
            + QStringLiteral(" style='width:24px;height:24px;margin:4px'>") + value
            + QStringLiteral("</label>");
    }
    if (!scale.highLabel.isEmpty())
        html += QStringLiteral("<span style='padding:0 6px'>") + scale.highLabel + QStringLiteral("</span>");
    return html + QStringLiteral("</span>");
}

QString pageBreakFragment(const QString& title)
{
    QString html = QStringLiteral("<hr ") + QString::fromLatin1(pageFormat::pageBreakAttribute())
        + QStringLiteral(">");
    if (!title.isEmpty())
        html += QStringLiteral("<h2>") + title + QStringLiteral("</h2>");
    return html;
}

// Columns on a wide screen: each row a grid of the statement and a cell per
// answer, whose text the heading shows once; below 40em the rows stand one
// under another with their answers as buttons a finger can hit. The legend
// floats so that it is laid out as the row's first cell.
QString gridFragment(const QString& question, const GridQuestion& grid, bool required)
{
    QString html
        = QStringLiteral(
              "<P><style>.qgrid{border:0;margin:0;padding:0;min-width:0}"
              ".qgrid-head,.qgrid-row{display:grid;grid-template-columns:minmax(8em,2fr) "
              "repeat(var(--answers),"
              "minmax(3em,1fr));align-items:center;gap:2px}"
              ".qgrid-head{text-align:center;font-weight:bold}"
              ".qgrid-row{border:0;border-top:1px solid #bbb;margin:0;padding:2px 0;min-width:0}"
              ".qgrid-row>legend{float:left;padding:0}"
              // A note the service puts beside an unanswered statement: a line of its own under the row.
              ".qgrid-row>.answer-notice{grid-column:1/-1;grid-row:2;margin:2px 0}"
              ".qgrid-row "
              "label{display:flex;justify-content:center;align-items:center;min-height:44px;cursor:pointer}"
              ".qgrid-row label input{width:22px;height:22px;margin:4px}"
              ".qgrid-row label span{position:absolute;width:1px;height:1px;overflow:hidden;clip:rect(0 0 0 "
              "0);"
              "white-space:nowrap}"
              "@media (max-width:40em){.qgrid-head{display:none}.qgrid-row{display:block;padding:6px 0}"
              ".qgrid-row>legend{float:none;font-weight:bold;padding:4px 0}"
              ".qgrid-row label{justify-content:flex-start;border:1px solid "
              "#767676;border-radius:6px;margin:4px 0;"
              "padding:4px 8px}"
              ".qgrid-row label span{position:static;width:auto;height:auto;overflow:visible;clip:auto;"
              "white-space:normal}}</style>")
        + QStringLiteral("<fieldset class='qgrid' style='--answers:%1'><legend>").arg(grid.answers.size())
        + question + markIfRequired(required)
        + QStringLiteral("</legend><div class='qgrid-head' aria-hidden='true'><span></span>");
    for (const QString& answer : grid.answers)
        html += QStringLiteral("<span>") + answer + QStringLiteral("</span>");
    html += QStringLiteral("</div>");
    for (const QString& row : grid.rows) {
        const QString name = fieldNameAttribute(row);
        html += QStringLiteral("<fieldset class='qgrid-row'><legend>") + row + QStringLiteral("</legend>")
            + typeField(name, ElementKind::Grid);
        for (const QString& answer : grid.answers) {
            html += QStringLiteral("<label><input name='") + name + QStringLiteral("' type='radio' value='")
                + escapeAttribute(answer) + QStringLiteral("'")
                + requiredAttribute(required && &answer == &grid.answers.constFirst())
                + QStringLiteral("><span>") + answer + QStringLiteral("</span></label>");
        }
        html += QStringLiteral("</fieldset>");
    }
    return html + QStringLiteral("</fieldset>");
}

// Without script: beside each option a menu of the places 1 to N (the
// service adds an empty first choice, left for "not ranked"). The service's
// script turns the items into a list moved with buttons and sets the menus.
// Each item is a block of its own that moves whole when the options are shown
// in an order of each page's own.
QString rankingFragment(const QString& question, const QStringList& options, bool required)
{
    QString html
        = QStringLiteral("<P><style>.qrank{border:0;margin:0;padding:0;min-width:0}"
                         ".qrank-item{display:flex;align-items:center;gap:8px;min-height:44px;margin:2px 0}"
                         ".qrank-item label{display:flex;align-items:center;gap:8px;flex-wrap:wrap}"
                         ".qrank-item select{min-width:4em;min-height:44px}</style>")
        + QStringLiteral("<fieldset class='qrank'><legend>") + question + markIfRequired(required)
        + QStringLiteral("</legend>");
    const QStringList places = rankingPlaces(options.size());
    for (const QString& option : options) {
        const QString name = fieldNameAttribute(option);
        html += QStringLiteral("<div class='qrank-item'>") + typeField(name, ElementKind::Ranking)
            + QStringLiteral("<label>") + option + QStringLiteral(" <select name='") + name
            + QStringLiteral("'") + requiredAttribute(required) + QStringLiteral(">");
        for (const QString& place : places)
            html += QStringLiteral("<option>") + place;
        html += QStringLiteral("</select></label></div>");
    }
    return html + QStringLiteral("</fieldset>");
}

QString noDefaultOption()
{
    return QStringLiteral("none");
}

std::optional<int> menuHeight(const QString& text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty())
        return std::nullopt;
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    bool ok = false;
    const int n = digits.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return n;
}

FormMethod textFieldMethod(
    const QString& question, const QString& boxSize, const QString& maxChars, const QString& defaultText)
{
    FormMethod m = record(
        textFieldFragment(question, boxSize, maxChars, defaultText), question, ElementKind::TextField);
    m.attribute4 = boxSize;
    m.attribute5 = maxChars;
    m.attribute6 = defaultText;
    return m;
}

FormMethod textAreaMethod(
    const QString& question, const QString& rows, const QString& width, const QString& defaultText)
{
    FormMethod m
        = record(textAreaFragment(question, rows, width, defaultText), question, ElementKind::TextArea);
    m.attribute4 = rows;
    m.attribute5 = width;
    m.attribute6 = defaultText;
    return m;
}

FormMethod plainTextMethod(const QString& text)
{
    return record(plainTextFragment(text), text, ElementKind::PlainText);
}

FormMethod checkBoxMethod(const QString& title, bool newLine, bool selected)
{
    FormMethod m = record(checkBoxFragment(title, newLine, selected), title, ElementKind::CheckBox);
    m.attribute4 = printNumber(selected ? 1 : 0);
    return m;
}

FormMethod radioButtonsMethod(
    const QString& question, const QStringList& options, const QString& defaultOption)
{
    FormMethod m
        = record(radioButtonsFragment(question, options, defaultOption), question, ElementKind::RadioButtons);
    m.attribute5 = defaultOption;
    m.attribute6List = options;
    return m;
}

FormMethod pullDownMenuMethod(
    const QString& question, const QString& height, const QStringList& options, const QString& defaultOption)
{
    FormMethod m = record(
        pullDownMenuFragment(question, height, options, defaultOption), question, ElementKind::PullDownMenu);
    m.attribute4 = height;
    m.attribute5 = defaultOption;
    m.attribute6List = options;
    return m;
}

FormMethod submitButtonMethod(const QString& submitTitle, bool withReset, const QString& resetTitle)
{
    FormMethod m = record(
        submitButtonFragment(submitTitle, withReset, resetTitle), submitTitle, ElementKind::SubmitButton);
    m.attribute4 = resetTitle;
    m.attribute5 = printNumber(withReset ? 1 : 0);
    return m;
}

FormMethod lineRuleMethod()
{
    return record(QStringLiteral("<P><hr><P>"), QStringLiteral("Horizontal"), ElementKind::Line);
}

FormMethod scaleMethod(const QString& question, const ScaleQuestion& scale)
{
    FormMethod m = record(scaleFragment(question, scale), question, ElementKind::Scale);
    setScale(m, scale);
    return m;
}

FormMethod pageBreakMethod(const QString& title)
{
    return record(pageBreakFragment(title), title, ElementKind::PageBreak);
}

FormMethod gridMethod(const QString& question, const GridQuestion& grid)
{
    FormMethod m = record(gridFragment(question, grid), question, ElementKind::Grid);
    setGrid(m, grid);
    return m;
}

FormMethod rankingMethod(const QString& question, const QStringList& options)
{
    FormMethod m = record(rankingFragment(question, options), question, ElementKind::Ranking);
    setRankingOptions(m, options);
    return m;
}

QString questionFragment(const FormMethod& record, const QuestionSettings& settings)
{
    const AnswerRules& rules = settings.rules;
    const QString& question = record.userInstruction;
    switch (record.kind) {
    case ElementKind::TextField:
        return textFieldFragment(question, record.attribute4, record.attribute5, record.attribute6, rules);
    case ElementKind::TextArea:
        return textAreaFragment(
            question, record.attribute4, record.attribute5, record.attribute6, rules.required);
    case ElementKind::CheckBox:
        // A box of a group says nothing itself: the group's fieldset does.
        return checkBoxFragment(question, boxOnNewLine(record.htmlCode), wholeNumber(record.attribute4) != 0,
            rules.required && settings.questionText.isEmpty());
    case ElementKind::RadioButtons:
        return radioButtonsFragment(
            question, record.attribute6List, record.attribute5, rules.required, settings.otherAnswer);
    case ElementKind::PullDownMenu:
        return pullDownMenuFragment(question, record.attribute4, record.attribute6List, record.attribute5,
            rules.required, settings.otherAnswer);
    case ElementKind::Scale:
        return scaleFragment(question, scaleOf(record), rules.required);
    case ElementKind::Grid:
        return gridFragment(question, gridOf(record), rules.required);
    case ElementKind::Ranking:
        return rankingFragment(question, rankingOptionsOf(record), rules.required);
    case ElementKind::Header:
    case ElementKind::PlainText:
    case ElementKind::SubmitButton:
    case ElementKind::Line:
    case ElementKind::PageBreak:
    case ElementKind::Unknown:
        break;
    }
    return record.htmlCode;
}

QString requiredMark()
{
    return markIfRequired(true);
}

FormMethod withQuestionSettings(FormMethod record, const QuestionSettings& settings)
{
    // A record holding no settings keeps its fragment as stored (one from an
    // older file may be written differently); any other is made again.
    const bool plain = settings == QuestionSettings {} && questionSettingsOf(record) == QuestionSettings {};
    setQuestionSettings(record, settings);
    if (!plain)
        record.htmlCode = questionFragment(record, settings);
    return record;
}

} // namespace quenlow
