// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/FormSettings.h"
#include "model/Fragments.h"
#include "model/QuestionSettings.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace quenlow {
class FormSession;
}

namespace quenlow::test {

/// The one way the tests make a form: as the designer leaves it, the answers
/// table with its columns, the collection file and the page (attribute values
/// escaped, as the page writer does), or open in a session as the new-form
/// window leaves it. The desktop's windows are not needed for it.
class FormBuilder
{
public:
    FormBuilder(const QString& appFolder, const QString& name);

    FormBuilder& title(const QString& title);
    /// Position in the background list (1 is "Marble", Background.gif).
    FormBuilder& background(int choice);
    FormBuilder& showsAnswersTable(bool allowed);
    /// The database location written into the page and the header.
    FormBuilder& databaseLocation(const QString& location);
    /// How the form is collected (kept in its header).
    FormBuilder& settings(const FormSettings& settings)
    {
        m_settings = settings;
        return *this;
    }
    /// Where the table is made (by default the program folder's store).
    FormBuilder& answersIn(const QString& location);

    // The elements as the editors make them.
    FormBuilder& textField(
        const QString& question, const QString& defaultText = {}, const QString& maxChars = {})
    {
        return add(textFieldMethod(question, QStringLiteral("30"), maxChars, defaultText));
    }
    FormBuilder& textArea(const QString& question, const QString& defaultText = {})
    {
        return add(textAreaMethod(question, QStringLiteral("5"), QStringLiteral("40"), defaultText));
    }
    FormBuilder& checkBox(const QString& title, bool ticked = false)
    {
        return add(checkBoxMethod(title, true, ticked));
    }
    FormBuilder& radioButtons(
        const QString& question, const QStringList& options, const QString& preselected = {})
    {
        return add(
            radioButtonsMethod(question, options, preselected.isEmpty() ? noDefaultOption() : preselected));
    }
    FormBuilder& menu(const QString& question, const QStringList& options, const QString& preselected = {})
    {
        return add(pullDownMenuMethod(
            question, QStringLiteral("1"), options, preselected.isEmpty() ? noDefaultOption() : preselected));
    }
    FormBuilder& scale(const QString& question, const ScaleQuestion& scale)
    {
        return add(scaleMethod(question, scale));
    }
    FormBuilder& grid(const QString& question, const GridQuestion& grid)
    {
        return add(gridMethod(question, grid));
    }
    FormBuilder& ranking(const QString& question, const QStringList& options)
    {
        return add(rankingMethod(question, options));
    }
    FormBuilder& plainText(const QString& text) { return add(plainTextMethod(text)); }
    FormBuilder& pageBreak(const QString& title = {}) { return add(pageBreakMethod(title)); }
    /// Any element as the editors make it.
    FormBuilder& element(const FormMethod& element) { return add(element); }
    /// What the last question asks of its answer, and when it is asked.
    FormBuilder& asks(const QuestionSettings& settings)
    {
        m_elements.last() = withQuestionSettings(m_elements.last(), settings);
        return *this;
    }
    /// The same from its parts: required or not, of `kind` within `min`..`max`,
    /// asked when `condition` holds.
    FormBuilder& asks(bool required, AnswerKind kind = AnswerKind::AnyText, const QString& min = {},
        const QString& max = {}, const AskCondition& condition = {})
    {
        QuestionSettings settings;
        settings.rules = { required, kind, min, max };
        settings.condition = condition;
        return asks(settings);
    }
    /// The last question had this text before the designer renamed it.
    FormBuilder& formerly(const QString& question)
    {
        m_elements.last().formerNames.append(question);
        return *this;
    }
    FormBuilder& submitButton(const QString& title = QStringLiteral("Submit Form"))
    {
        return add(submitButtonMethod(title, false, QStringLiteral("Reset Form")));
    }

    /// Creates the table and writes the files; fails the test (and returns
    /// false) when anything cannot be made.
    bool write();
    /// Creates the table and opens the form in `session`, its header row
    /// labelled and selected as after creating it; the session writes the files.
    bool openIn(FormSession& session);
    /// Only the files (and the publication): the form changed as the
    /// designer changes it, its table left as it is.
    bool writeFiles();

    QString tableName() const { return QStringLiteral("tbl_") + m_name; }
    QString pageFile() const { return m_name + QStringLiteral(".html"); }

private:
    FormBuilder& add(const FormMethod& element)
    {
        m_elements.append(element);
        return *this;
    }
    FormMethod header(qint16 counter = 0) const;
    bool writeTable();

    QString m_folder, m_name, m_title, m_location;
    QString m_store; // where the answers go (m_location is what the page names)
    int m_background = 1;
    bool m_allowTable = false;
    FormSettings m_settings;
    QList<FormMethod> m_elements;
};

} // namespace quenlow::test
