// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/PageWriter.h"

#include "core/Messages.h"
#include "core/TextFile.h"
#include "model/CollectionFile.h"
#include "model/FormSession.h"

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
                        + written.error + QStringLiteral("). The previous page has been kept."));
        return false;
    }
    session.setHtmlName(pageFile);
    session.WebBrowser_Show(pageFile);
    session.setHtmlFrameCaption(QStringLiteral("Current Form"));
    return true;
}

} // namespace quenlow
