// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// quenlow-export [--database URL|FILE] --app-folder DIR --form NAME.html
// --format csv|xlsx|sav|dta|codebook|xlsform|invitations [--output FILE] [--no-bom] [--escape-formulas]
// [--base-address URL]
#include "core/CommandLine.h"
#include "export/AnswersExport.h"
#include "export/XlsForm.h"
#include "print/Invitations.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <memory>

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
        "--format csv|xlsx|sav|dta|codebook|xlsform|invitations [--output FILE]\n"
        "                      [--no-bom] [--escape-formulas] [--base-address URL]\n"
        "  CSV goes to standard output without --output (or with --output -)\n"
        "  invitations: a PDF of cards for the form's participants, leading to the form at\n"
        "  --base-address (where the forms are answered, e.g. http://192.168.1.20:8080)\n");
    return 1;
}

// The cards are drawn with fonts, which only a GUI application has; it needs no screen.
bool drawsCards(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--format=invitations") == 0
            || (std::strcmp(argv[i], "--format") == 0 && i + 1 < argc
                && std::strcmp(argv[i + 1], "invitations") == 0))
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    std::unique_ptr<QCoreApplication> app;
    if (drawsCards(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes the answers of a form as CSV, XLSX, SPSS (sav) or Stata (dta), its codebook, the form "
        "itself as an XLSForm workbook, or invitation cards for its participants (PDF)."));
    quenlow::addHelpAndVersionOptions(parser);
    const QCommandLineOption folderOption(
        QStringLiteral("app-folder"), QStringLiteral("The program folder."), QStringLiteral("DIR"));
    const QCommandLineOption formOption(
        QStringLiteral("form"), QStringLiteral("The form's page."), QStringLiteral("NAME.html"));
    const QCommandLineOption formatOption(QStringLiteral("format"),
        QStringLiteral(
            "csv, xlsx, sav (SPSS), dta (Stata 14+), codebook (HTML), xlsform (the form itself) or "
            "invitations (PDF cards for the participants)."),
        QStringLiteral("FORMAT"));
    const QCommandLineOption outputOption(QStringLiteral("output"),
        QStringLiteral("The file to write; CSV goes to standard output without it or with -."),
        QStringLiteral("FILE"));
    const QCommandLineOption noBomOption(
        QStringLiteral("no-bom"), QStringLiteral("CSV without a byte-order mark."));
    const QCommandLineOption escapeOption(QStringLiteral("escape-formulas"),
        QStringLiteral("CSV: a ' before cells that start like a formula."));
    const QCommandLineOption baseOption(QStringLiteral("base-address"),
        QStringLiteral("Invitations: the address the forms are answered at, e.g. http://192.168.1.20:8080."),
        QStringLiteral("URL"));
    const QCommandLineOption databaseOption = quenlow::answersDatabaseOption();
    parser.addOptions({ folderOption, formOption, formatOption, outputOption, noBomOption, escapeOption,
        databaseOption, baseOption });
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
    if (format == QLatin1StringView("invitations")) {
        // Only the person knows where the forms are reached from the people invited.
        if (!parser.isSet(baseOption))
            return usage(QStringLiteral("invitations need --base-address, where the forms are answered"));
        const auto written = quenlow::exportInvitations(request, parser.value(baseOption));
        if (!written) {
            say(written.error().detail);
            return 1;
        }
        return 0;
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
            QStringLiteral("--format takes csv, xlsx, sav, dta, codebook, xlsform or invitations, not '%1'")
                .arg(format));

    const quenlow::ExportResult result = quenlow::exportAnswers(request);
    if (!result) {
        say(result.error().detail);
        return 1;
    }
    for (const QString& note : result->notes)
        say(note);
    return 0;
}
