// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/FormHeader.h"

#include "database/AnswersStore.h"
#include "model/HtmlText.h"
#include "model/PageFormat.h"
#include "model/Publication.h"

namespace quenlow {

namespace {

QString attribute(const QString& value)
{
    return escapeAttribute(singleLine(value));
}

// The start of a hidden field of the header, up to its value.
QString hiddenField(const QString& name)
{
    return QStringLiteral("<input type=hidden name=") + name + QStringLiteral(" value='");
}

// The longest file name most Linux file systems take, in bytes.
constexpr qsizetype kMaxFileNameBytes = 255;

} // namespace

QString headerFragment(const HeaderSettings& s)
{
    const QString title = singleLine(s.title);
    const QString size = attribute(s.letterSize);
    const QString background = attribute(s.background);

    QString html = QStringLiteral("<html><head><title>") + title + QStringLiteral("</h1></title>")
        + QStringLiteral("<BODY BGCOLOR='#000000' BACKGROUND='") + background + QStringLiteral("'>");
    const QString heading = QStringLiteral("<I><B><FONT SIZE='") + size + QStringLiteral("'><P>") + title
        + QStringLiteral("</FONT></B></I>");
    if (s.justification == QLatin1StringView("Centre"))
        html += QStringLiteral("<CENTER>") + heading + QStringLiteral("</CENTER>");
    else
        html += heading;
    html += QStringLiteral("<FORM name='") + attribute(s.title) + QStringLiteral("' method=post action='")
        + QString::fromLatin1(pageFormat::postPath()) + QStringLiteral("'>")
        + hiddenField(pageFormat::tableNameField()) + attribute(AnswersStore::tableFor(s.formName))
        + QStringLiteral("'>") + hiddenField(pageFormat::databaseLocationField())
        + attribute(s.databaseLocation) + QStringLiteral("'>") + hiddenField(pageFormat::backgroundField())
        + background + QStringLiteral("'>") + hiddenField(pageFormat::showTableField())
        + (s.userViewTable ? QStringLiteral("True'>") : QStringLiteral("False'>"));
    return html;
}

FormMethod headerRecord(const HeaderSettings& s, int backgroundPosition, qint16 elementCounter)
{
    FormMethod header;
    header.htmlCode = headerFragment(s);
    header.userInstruction = singleLine(s.title);
    header.kind = ElementKind::Header;
    header.attribute4 = singleLine(s.letterSize);
    header.attribute5 = singleLine(s.justification);
    header.attribute6List = { printNumber(backgroundPosition), printNumber(s.userViewTable ? 1 : 0),
        singleLine(s.databaseLocation), printNumber(elementCounter) };
    return header;
}

FormMethod headerRenamed(const FormMethod& header, const QString& formName, const QString& newName)
{
    HeaderSettings s;
    s.formName = formName;
    s.title = header.userInstruction;
    s.letterSize = header.attribute4;
    s.justification = header.attribute5;
    if (const std::optional<HeaderFacts> facts = headerFacts({ header })) {
        s.background = facts->backgroundImage;
        s.userViewTable = facts->showsAnswersTable;
    }
    s.databaseLocation = header.item(3);
    FormMethod renamed = header;
    if (headerFragment(s) == header.htmlCode) {
        s.formName = newName;
        renamed.htmlCode = headerFragment(s);
        return renamed;
    }
    // A header made otherwise (a hand-edited file, a background not among the
    // choices): only the table's field changes.
    const QString field = hiddenField(pageFormat::tableNameField());
    const QString oldValue = field + attribute(AnswersStore::tableFor(formName)) + QLatin1Char('\'');
    const QString newValue = field + attribute(AnswersStore::tableFor(newName)) + QLatin1Char('\'');
    renamed.htmlCode.replace(oldValue, newValue);
    return renamed;
}

Result<void, FormNameProblem> checkFormName(const QString& name)
{
    using P = FormNameProblem;
    if (name.isEmpty())
        return {};
    if (name.front().isSpace() || name.back().isSpace())
        return P { P::BlankAtEdge };
    for (QChar c : name) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator)
            return P { P::ControlCharacter };
    }
    if (!name.isValidUtf16())
        return P { P::NotFileNameText };
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return P { P::PathSeparator };
    // The form name is read back from its page name up to the first ".".
    if (name.contains(QLatin1Char('.')))
        return P { P::Dot };
    // These pages come with the program and never hold a form.
    if (name == QLatin1StringView("welcome") || name == QLatin1StringView("dbTableOfAnswers"))
        return P { P::ProgramPage };
    if ((name + QStringLiteral("Collection.txt")).toUtf8().size() > kMaxFileNameBytes)
        return P { P::TooLong };
    return {};
}

} // namespace quenlow
