// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/PageWriter.h"

#include "core/Messages.h"
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

bool WriteFormPage(FormSession& session, const QString& pageFile)
{
    if (!SaveCollectionFile(session))
        return false;
    const QString path = session.htmlFolder() + pageFile;
    const FileResult written = writeFileAtomically(path, encodeText(buildFormPage(session.collection)));
    if (!written) {
        showExclamation(QStringLiteral("The page '") + path + QStringLiteral("' could not be written (")
                        + written.error().detail + QStringLiteral("). The previous page has been kept."));
        return false;
    }
    // Servers elsewhere serve the form from the answers database.
    if (const Result<void> published = publishOpenForm(session); !published) {
        showExclamation(QStringLiteral("The form '") + session.openFormName
                        + QStringLiteral("' could not be published to the answers database (") + published.error().detail
                        + QStringLiteral("). The page file has been written; collection servers still show the form "
                                         "as it was published before."));
    }
    session.setHtmlName(pageFile);
    session.WebBrowser_Show(pageFile);
    session.setHtmlFrameCaption(QStringLiteral("Current Form"));
    return true;
}

} // namespace quenlow
