// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/ReporterExport.h"

#include "core/Messages.h"
#include "export/AnswersExport.h"
#include "model/FormSession.h"
#include "reporter/ReportDocuments.h"
#include "reporter/ReporterTexts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

namespace {

std::function<QString()> g_exportFileChooser;

} // namespace

void setExportFileChooserForTesting(std::function<QString()> chooser)
{
    g_exportFileChooser = std::move(chooser);
}

void exportAnswersAsAsked(const FormSession& session, QWidget* parent)
{
    QString path;
    if (g_exportFileChooser) {
        path = g_exportFileChooser();
    } else {
        const QString csv
            = reporter::ReporterTexts::tr("CSV, for any spreadsheet or statistics program (*.csv)");
        const QString xlsx = reporter::ReporterTexts::tr("Excel workbook (*.xlsx)");
        QString chosenFilter = csv;
        path = QFileDialog::getSaveFileName(parent, reporter::ReporterTexts::tr("Export Answers"),
            session.reportsFolder() + session.openFormName() + u".csv"_s, csv + u";;"_s + xlsx,
            &chosenFilter);
        const QString suffix = QFileInfo(path).suffix().toLower();
        if (!path.isEmpty() && suffix != u"csv"_s && suffix != u"xlsx"_s)
            path += chosenFilter == xlsx ? u".xlsx"_s : u".csv"_s;
    }
    if (path.isEmpty())
        return;

    ExportRequest request;
    request.appFolder = session.appFolder();
    request.pageFile = session.openFormName() + u".html"_s;
    request.answersStore = session.databasePath();
    request.format = QFileInfo(path).suffix().compare(u"xlsx"_s, Qt::CaseInsensitive) == 0
        ? ExportFormat::Xlsx
        : ExportFormat::Csv;
    request.outputPath = path;

    ExportResult result = Error {};
    {
        // Gone before any message: hidden, it would still show itself once
        // its delay passed in the message's event loop.
        QProgressDialog progress(
            reporter::ReporterTexts::tr("Exporting the answers to %1…").arg(QFileInfo(path).fileName()),
            reporter::ReporterTexts::tr("Cancel"), 0, 100, parent);
        progress.setObjectName(u"ExportAnswersProgress"_s);
        progress.setWindowTitle(Messages::title());
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(exportProgressDelay());
        progress.setAutoClose(false);
        progress.setAutoReset(false);
        result = quenlow::exportAnswers(request, [&](qint64 done, qint64 total) {
            progress.setValue(total > 0 ? int(qMin<qint64>(99, done * 100 / total)) : 0);
            return !progress.wasCanceled();
        });
    }

    if (result.failedWith(Error::Cancelled)) {
        showInformation(reporter::ReporterTexts::tr("The export was cancelled; no file was written."));
        return;
    }
    if (!result) {
        showExclamation(result.error().detail);
        return;
    }
    QString text
        = reporter::ReporterTexts::tr("%1 answers have been exported to %2").arg(result->rows).arg(path);
    for (const QString& note : result->notes)
        text += u"\n"_s + note;
    showInformation(text);
}

} // namespace quenlow
