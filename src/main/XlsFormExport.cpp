// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "main/XlsFormExport.h"

#include "core/Messages.h"
#include "export/XlsForm.h"
#include "model/FormSession.h"
#include "model/MethodCollection.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace quenlow {

namespace {

std::function<QString()> g_chooser;

} // namespace

void setXlsFormFileChooserForTesting(std::function<QString()> chooser)
{
    g_chooser = std::move(chooser);
}

void exportOpenFormAsXlsForm(const FormSession& session, QWidget* parent)
{
    QString path;
    if (g_chooser) {
        path = g_chooser();
    } else {
        path = QFileDialog::getSaveFileName(parent,
            QCoreApplication::translate("XlsFormExport", "Export as XLSForm"),
            session.reportsFolder() + session.openFormName() + QStringLiteral(".xlsx"),
            QCoreApplication::translate("XlsFormExport", "XLSForm workbooks (*.xlsx)"));
        if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".xlsx");
    }
    if (path.isEmpty())
        return;

    QList<FormMethod> elements;
    for (int i = 0; i < session.collection().count(); ++i)
        elements.append(session.collection().atPosition(i));
    const Result<void, XlsFormExportProblem> written
        = writeXlsForm(elements, session.openFormName(), session.appFolder(), path, session.databasePath());
    if (written) {
        showInformation(QCoreApplication::translate(
            "XlsFormExport", "The form '%1' has been written as an XLSForm to %2.")
                            .arg(session.openFormName(), QDir::toNativeSeparators(path)));
        return;
    }
    const XlsFormExportProblem& problem = written.error();
    if (problem.kind == XlsFormExportProblem::Unsayable) {
        showExclamation(QCoreApplication::translate("XlsFormExport",
            "The form '%1' cannot be written as an XLSForm, which has no way to say these elements:\n%2\n"
            "Nothing has been written.")
                            .arg(session.openFormName(), problem.elements.join(QLatin1Char('\n'))));
        return;
    }
    showExclamation(problem.detail);
}

} // namespace quenlow
