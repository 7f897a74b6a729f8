// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/PageWriter.h"

#include "core/TextFile.h"
#include "model/CollectionFile.h"
#include "model/FormSession.h"
#include "model/Publication.h"

namespace quenlow {

QString buildFormPage(const MethodCollection& collection)
{
    QString page;
    collection.forEach([&page](const FormMethod& m) { page += m.htmlCode + QStringLiteral("\r\n"); });
    page += QStringLiteral("<P></FORM></HTML>\r\n");
    return page;
}

Outcome WriteFormPage(FormSession& session, const QString& pageFile)
{
    Outcome outcome = SaveCollectionFile(session);
    if (!outcome)
        return outcome;
    const QString path = session.htmlFolder() + pageFile;
    const FileResult written = writeFileAtomically(path, encodeText(buildFormPage(session.collection)));
    if (!written)
        return Notice { Notice::Kind::PageNotWritten, {}, path, written.error().detail };
    // Servers elsewhere serve the form from the answers database.
    if (const Result<void> published = publishOpenForm(session); !published)
        outcome.warn({ Notice::Kind::NotPublished, session.openFormName, {}, published.error().detail });
    session.setHtmlName(pageFile);
    session.WebBrowser_Show(pageFile);
    session.setHtmlFrameCaption(QStringLiteral("Current Form"));
    return outcome;
}

} // namespace quenlow
