// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/Fragments.h"

#include "database/AnswerColumns.h"
#include "model/ElementKind.h"
#include "model/HtmlText.h"
#include "model/PageFormat.h"

namespace quenlow {

namespace {

// The companion field that tells the collection service the question's kind.
QString typeField(const QString& name, ElementKind kind)
{
    return QStringLiteral("<input type=hidden name='") + name + pageFormat::kindSuffix()
        + QStringLiteral("' value='") + QString::fromUtf16(traitsOf(kind).pageType) + QStringLiteral("'>");
}

FormMethod record(const QString& htmlCode, const QString& instruction, const QString& kind)
{
    FormMethod m;
    m.htmlCode = htmlCode;
    m.userInstruction = instruction;
    m.methodType = kind;
    return m;
}

} // namespace

QString fieldNameAttribute(const QString& question)
{
    // Cut first, then escape: the browser posts the unescaped name, which must
    // equal the column name exactly.
    return escapeAttribute(columnNameFor(question));
}

QString textFieldFragment(
    const QString& question, const QString& boxSize, const QString& maxChars, const QString& defaultText)
{
    const QString name = fieldNameAttribute(question);
    return QStringLiteral("<P>") + typeField(name, ElementKind::TextField) + QStringLiteral("<P>") + question
        + QStringLiteral(" <input name='") + name + QStringLiteral("' size='") + escapeAttribute(boxSize)
        + QStringLiteral("' maxlength='") + escapeAttribute(maxChars)
        + QStringLiteral("' type='text' value ='") + escapeAttribute(defaultText) + QStringLiteral("'>");
}

QString textAreaFragment(
    const QString& question, const QString& rows, const QString& width, const QString& defaultText)
{
    const QString name = fieldNameAttribute(question);
    return QStringLiteral("<P>") + typeField(name, ElementKind::TextArea) + QStringLiteral("<P>") + question
        + QStringLiteral("<P> <textarea name='") + name + QStringLiteral("' cols='") + escapeAttribute(width)
        + QStringLiteral("' rows='") + escapeAttribute(rows) + QStringLiteral("'>") + defaultText
        + QStringLiteral("</textarea>");
}

QString plainTextFragment(const QString& text)
{
    return QStringLiteral("<P>") + text;
}

QString checkBoxFragment(const QString& title, bool newLine, bool selected)
{
    const QString name = fieldNameAttribute(title);
    QString html = typeField(name, ElementKind::CheckBox);
    if (newLine)
        html += QStringLiteral("<P>");
    html += QStringLiteral("<input name='") + name + QStringLiteral("' type='checkbox'");
    if (selected)
        html += QStringLiteral(" checked");
    html += QStringLiteral(">") + title;
    return html;
}

QString radioButtonsFragment(
    const QString& question, const QStringList& options, const QString& defaultOption)
{
    const QString name = fieldNameAttribute(question);
    QString html = typeField(name, ElementKind::RadioButtons) + QStringLiteral("<P>") + question;
    for (const QString& option : options) {
        html += QStringLiteral("<BR><input name='") + name + QStringLiteral("' type='radio' value='")
            + escapeAttribute(option) + QStringLiteral("'");
        html += option == defaultOption ? QStringLiteral(" checked>") : QStringLiteral(">");
        html += option;
    }
    return html;
}

QString pullDownMenuFragment(
    const QString& question, const QString& height, const QStringList& options, const QString& defaultOption)
{
    const QString name = fieldNameAttribute(question);
    QString html = QStringLiteral("<P>") + typeField(name, ElementKind::PullDownMenu) + QStringLiteral("<P>")
        + question;
    // A list box taller than one entry stands under the question.
    if (menuHeight(height).value_or(0) > 1)
        html += QStringLiteral("<P>");
    html += QStringLiteral(" <select name='") + name + QStringLiteral("' size=") + escapeAttribute(height)
        + QStringLiteral(">");
    for (const QString& option : options) {
        html += QStringLiteral("<option");
        html += option == defaultOption ? QStringLiteral(" selected>") : QStringLiteral(">");
        html += option;
    }
    html += QStringLiteral("</select>");
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

QString scaleFragment(const QString& question, const ScaleQuestion& scale)
{
    const QString name = fieldNameAttribute(question);
    QString html = QStringLiteral("<P>") + typeField(name, ElementKind::Scale) + QStringLiteral("<P>")
        + question + QStringLiteral("<BR>") + scale.lowLabel;
    for (const QString& value : scaleValues(scale)) {
        html += QStringLiteral(" <label><input name='") + name + QStringLiteral("' type='radio' value='")
            + value + QStringLiteral("'>") + value + QStringLiteral("</label>");
    }
    return html + QStringLiteral(" ") + scale.highLabel;
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
    FormMethod m
        = record(textFieldFragment(question, boxSize, maxChars, defaultText), question, Kind::textField());
    m.attribute4 = boxSize;
    m.attribute5 = maxChars;
    m.attribute6 = defaultText;
    return m;
}

FormMethod textAreaMethod(
    const QString& question, const QString& rows, const QString& width, const QString& defaultText)
{
    FormMethod m = record(textAreaFragment(question, rows, width, defaultText), question, Kind::textArea());
    m.attribute4 = rows;
    m.attribute5 = width;
    m.attribute6 = defaultText;
    return m;
}

FormMethod plainTextMethod(const QString& text)
{
    return record(plainTextFragment(text), text, Kind::plainText());
}

FormMethod checkBoxMethod(const QString& title, bool newLine, bool selected)
{
    FormMethod m = record(checkBoxFragment(title, newLine, selected), title, Kind::checkBox());
    m.attribute4 = printNumber(selected ? 1 : 0);
    return m;
}

FormMethod radioButtonsMethod(
    const QString& question, const QStringList& options, const QString& defaultOption)
{
    FormMethod m
        = record(radioButtonsFragment(question, options, defaultOption), question, Kind::radioButtons());
    m.attribute5 = defaultOption;
    m.attribute6List = options;
    return m;
}

FormMethod pullDownMenuMethod(
    const QString& question, const QString& height, const QStringList& options, const QString& defaultOption)
{
    FormMethod m = record(
        pullDownMenuFragment(question, height, options, defaultOption), question, Kind::pullDownMenu());
    m.attribute4 = height;
    m.attribute5 = defaultOption;
    m.attribute6List = options;
    return m;
}

FormMethod submitButtonMethod(const QString& submitTitle, bool withReset, const QString& resetTitle)
{
    FormMethod m
        = record(submitButtonFragment(submitTitle, withReset, resetTitle), submitTitle, Kind::submitButton());
    m.attribute4 = resetTitle;
    m.attribute5 = printNumber(withReset ? 1 : 0);
    return m;
}

FormMethod lineRuleMethod()
{
    return record(QStringLiteral("<P><hr><P>"), QStringLiteral("Horizontal"), Kind::line());
}

FormMethod scaleMethod(const QString& question, const ScaleQuestion& scale)
{
    FormMethod m = record(scaleFragment(question, scale), question, Kind::scale());
    setScale(m, scale);
    return m;
}

FormMethod withQuestionSettings(FormMethod record, const QuestionSettings& settings)
{
    setQuestionSettings(record, settings);
    return record;
}

} // namespace quenlow
