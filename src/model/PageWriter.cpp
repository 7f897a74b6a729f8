// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/PageWriter.h"

#include "core/TextFile.h"
#include "model/CollectionFile.h"
#include "model/FormSession.h"
#include "model/Fragments.h"
#include "model/HtmlText.h"
#include "model/OwnedColumns.h"
#include "model/Publication.h"
#include "model/QuestionSettings.h"

namespace quenlow {

namespace {

// The question text of a check box asked with others as one question; empty
// for any other element.
QString groupTextOf(const FormMethod& m)
{
    if (m.kind != ElementKind::CheckBox || m.settings.isEmpty())
        return {};
    return questionSettingsOf(m).questionText;
}

} // namespace

QString buildFormPage(const MethodCollection& collection)
{
    QString page;
    const int count = collection.count();
    for (int first = 0; first < count; ++first) {
        const FormMethod& m = collection.atPosition(first);
        // Elements without settings are written as they are stored.
        if (m.settings.isEmpty() || !isQuestionKind(m.kind)) {
            page += m.htmlCode + QStringLiteral("\r\n");
            continue;
        }
        // A group is the run of boxes that follow with the same question text;
        // the first box's settings are the group's.
        const QuestionSettings settings = questionSettingsOf(m);
        int last = first;
        const QString group = m.kind == ElementKind::CheckBox ? settings.questionText : QString();
        bool other = settings.otherAnswer;
        while (
            !group.isEmpty() && last + 1 < count && groupTextOf(collection.atPosition(last + 1)) == group) {
            ++last;
            other = other || !extraColumnsOf(collection.atPosition(last)).isEmpty();
        }
        QString open;
        QString close;
        if (!settings.condition.always()) {
            // Shown without script; the page's script hides it until the answer is given.
            open = QStringLiteral("<div data-ask-if='") + fieldNameAttribute(settings.condition.question)
                + QStringLiteral("' data-ask-if-answer='") + escapeAttribute(settings.condition.answer)
                + QStringLiteral("'>");
            close = QStringLiteral("</div>");
        }
        if (!group.isEmpty()) {
            open += QStringLiteral("<fieldset><legend>") + group
                + (settings.rules.required ? requiredMark() : QString()) + QStringLiteral("</legend>");
            close.prepend(QStringLiteral("</fieldset>"));
        }
        page += open;
        for (int i = first; i <= last; ++i) {
            page += collection.atPosition(i).htmlCode;
            // The group's "Other:" box comes after its last box, whichever box holds the setting.
            if (i == last && !group.isEmpty() && other)
                page += groupOtherFragment(group);
            if (i == last)
                page += close;
            page += QStringLiteral("\r\n");
        }
        first = last;
    }
    page += QStringLiteral("<P></FORM></HTML>\r\n");
    return page;
}

Outcome writeFormPage(FormSession& session, const QString& pageFile)
{
    Outcome outcome = saveCollectionFile(session);
    if (!outcome)
        return outcome;
    const QString path = session.htmlFolder() + pageFile;
    const FileResult written = writeFileAtomically(path, encodeText(buildFormPage(session.collection())));
    if (!written)
        return Notice { Notice::Kind::PageNotWritten, {}, path, written.error().detail };
    // Servers elsewhere serve the form from the answers database.
    if (const Result<void> published = publishOpenForm(session); !published)
        outcome.warn({ Notice::Kind::NotPublished, session.openFormName(), {}, published.error().detail });
    session.setHtmlName(pageFile);
    session.showInBrowser(pageFile);
    session.setHtmlFrameCaption(QStringLiteral("Current Form"));
    return outcome;
}

} // namespace quenlow
