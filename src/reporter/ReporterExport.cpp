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
        const QString sav = reporter::ReporterTexts::tr("SPSS data file, with labels (*.sav)");
        const QString dta = reporter::ReporterTexts::tr("Stata data file, with labels (*.dta)");
        const QString codebook = reporter::ReporterTexts::tr("Codebook, a printable page (*.html)");
        const QList<std::pair<QString, QString>> filters { { csv, u"csv"_s }, { xlsx, u"xlsx"_s },
            { sav, u"sav"_s }, { dta, u"dta"_s }, { codebook, u"html"_s } };
        QStringList names;
        for (const auto& filter : filters)
            names.append(filter.first);
        QString chosenFilter = csv;
        path = QFileDialog::getSaveFileName(parent, reporter::ReporterTexts::tr("Export Answers"),
            session.reportsFolder() + session.openFormName() + u".csv"_s, names.join(u";;"_s), &chosenFilter);
        const QString suffix = QFileInfo(path).suffix().toLower();
        bool known = false;
        QString chosenSuffix = u"csv"_s;
        for (const auto& [filter, filterSuffix] : filters) {
            known = known || suffix == filterSuffix;
            if (filter == chosenFilter)
                chosenSuffix = filterSuffix;
        }
        if (!path.isEmpty() && !known)
            path += u'.' + chosenSuffix;
    }
    if (path.isEmpty())
        return;

    ExportRequest request;
    request.appFolder = session.appFolder();
    request.pageFile = session.openFormName() + u".html"_s;
    request.answersStore = session.databasePath();
    // The file's name says what it is.
    const QString suffix = QFileInfo(path).suffix().toLower();
    request.format = suffix == u"xlsx"_s            ? ExportFormat::Xlsx
        : suffix == u"sav"_s                        ? ExportFormat::Sav
        : suffix == u"dta"_s                        ? ExportFormat::Dta
        : suffix == u"html"_s || suffix == u"htm"_s ? ExportFormat::Codebook
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
