// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// quenlow-export --app-folder DIR --form NAME.html --format csv|xlsx [--output FILE] [--no-bom] [--escape-formulas]
#include "export/AnswersExport.h"

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
                 "usage: quenlow-export --app-folder DIR --form NAME.html --format csv|xlsx [--output FILE]\n"
                 "                      [--no-bom] [--escape-formulas]\n"
                 "  CSV goes to standard output without --output (or with --output -)\n");
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));

    quenlow::ExportRequest request;
    QString format;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1StringView("--help") || a == QLatin1StringView("-h")) {
            usage(QStringLiteral("writes the answers of a form as CSV or XLSX"));
            return 0;
        } else if (a == QLatin1StringView("--app-folder") && hasValue) {
            request.appFolder = args.at(++i);
        } else if (a == QLatin1StringView("--form") && hasValue) {
            request.pageFile = args.at(++i);
        } else if (a == QLatin1StringView("--format") && hasValue) {
            format = args.at(++i);
        } else if (a == QLatin1StringView("--output") && hasValue) {
            request.outputPath = args.at(++i);
        } else if (a == QLatin1StringView("--no-bom")) {
            request.byteOrderMark = false;
        } else if (a == QLatin1StringView("--escape-formulas")) {
            request.escapeFormulas = true;
        } else {
            return usage(QStringLiteral("unknown or incomplete argument '%1'").arg(a));
        }
    }
    if (request.appFolder.isEmpty() || request.pageFile.isEmpty() || format.isEmpty())
        return usage(QStringLiteral("--app-folder, --form and --format are needed"));
    if (format == QLatin1StringView("csv"))
        request.format = quenlow::ExportFormat::Csv;
    else if (format == QLatin1StringView("xlsx"))
        request.format = quenlow::ExportFormat::Xlsx;
    else
        return usage(QStringLiteral("--format takes csv or xlsx, not '%1'").arg(format));

    const quenlow::ExportResult result = quenlow::exportAnswers(request);
    for (const QString& note : result.notes)
        say(note);
    if (!result.ok) {
        say(result.error);
        return 1;
    }
    return 0;
}
