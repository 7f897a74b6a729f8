// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// quenlow-export [--database URL|FILE] --app-folder DIR --form NAME.html
// --format csv|xlsx|sav|dta|codebook|xlsform [--output FILE] [--no-bom] [--escape-formulas]
#include "core/CommandLine.h"
#include "export/AnswersExport.h"
#include "export/XlsForm.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cstdio>

namespace {

void say(const QString& text)
{
    std::fprintf(stderr, "quenlow-export: %s\n", text.toLocal8Bit().constData());
}

int usage(const QString& problem)
{
    say(problem);
    std::fprintf(stderr,
        "usage: quenlow-export [--database URL|FILE] --app-folder DIR --form NAME.html "
        "--format csv|xlsx|sav|dta|codebook|xlsform [--output FILE]\n"
        "                      [--no-bom] [--escape-formulas]\n"
        "  CSV goes to standard output without --output (or with --output -)\n");
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes the answers of a form as CSV, XLSX, SPSS (sav) or Stata (dta), its codebook, or the form "
        "itself as an XLSForm workbook."));
    quenlow::addHelpAndVersionOptions(parser);
    const QCommandLineOption folderOption(
        QStringLiteral("app-folder"), QStringLiteral("The program folder."), QStringLiteral("DIR"));
    const QCommandLineOption formOption(
        QStringLiteral("form"), QStringLiteral("The form's page."), QStringLiteral("NAME.html"));
    const QCommandLineOption formatOption(QStringLiteral("format"),
        QStringLiteral(
            "csv, xlsx, sav (SPSS), dta (Stata 14+), codebook (HTML) or xlsform (the form itself)."),
        QStringLiteral("FORMAT"));
    const QCommandLineOption outputOption(QStringLiteral("output"),
        QStringLiteral("The file to write; CSV goes to standard output without it or with -."),
        QStringLiteral("FILE"));
    const QCommandLineOption noBomOption(
        QStringLiteral("no-bom"), QStringLiteral("CSV without a byte-order mark."));
    const QCommandLineOption escapeOption(QStringLiteral("escape-formulas"),
        QStringLiteral("CSV: a ' before cells that start like a formula."));
    const QCommandLineOption databaseOption = quenlow::answersDatabaseOption();
    parser.addOptions(
        { folderOption, formOption, formatOption, outputOption, noBomOption, escapeOption, databaseOption });
    if (const std::optional<int> exit = quenlow::parseArguments(parser, usage))
        return *exit;

    quenlow::ExportRequest request;
    request.appFolder = parser.value(folderOption);
    request.pageFile = parser.value(formOption);
    request.answersStore = parser.value(databaseOption);
    request.outputPath = parser.value(outputOption);
    request.byteOrderMark = !parser.isSet(noBomOption);
    request.escapeFormulas = parser.isSet(escapeOption);
    const QString format = parser.value(formatOption);
    if (request.appFolder.isEmpty() || request.pageFile.isEmpty() || format.isEmpty())
        return usage(QStringLiteral("--app-folder, --form and --format are needed"));
    if (format == QLatin1StringView("xlsform")) {
        const auto written = quenlow::exportXlsForm(
            request.appFolder, request.pageFile, request.outputPath, request.answersStore);
        if (written)
            return 0;
        if (written.error().kind == quenlow::XlsFormExportProblem::Unsayable) {
            say(QStringLiteral(
                "the form cannot be written as an XLSForm, which has no way to say these elements: %1")
                    .arg(written.error().elements.join(QStringLiteral("; "))));
        } else {
            say(written.error().detail);
        }
        return 1;
    }
    if (format == QLatin1StringView("csv"))
        request.format = quenlow::ExportFormat::Csv;
    else if (format == QLatin1StringView("xlsx"))
        request.format = quenlow::ExportFormat::Xlsx;
    else if (format == QLatin1StringView("sav"))
        request.format = quenlow::ExportFormat::Sav;
    else if (format == QLatin1StringView("dta"))
        request.format = quenlow::ExportFormat::Dta;
    else if (format == QLatin1StringView("codebook"))
        request.format = quenlow::ExportFormat::Codebook;
    else
        return usage(
            QStringLiteral("--format takes csv, xlsx, sav, dta, codebook or xlsform, not '%1'").arg(format));

    const quenlow::ExportResult result = quenlow::exportAnswers(request);
    if (!result) {
        say(result.error().detail);
        return 1;
    }
    for (const QString& note : result->notes)
        say(note);
    return 0;
}
