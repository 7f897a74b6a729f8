// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// bench_export: exporting a large answers table, against the sqlite3 command-line tool on the same table.
//   - sqlite3 -csv formAnswers.mdb 'SELECT * FROM tbl_big' > file   (Debian sqlite3)
//   - CSV export (in this process: time, CPU time, and how far its peak memory rose over the run)
//   - XLSX, SPSS (.sav) and Stata (.dta) exports (the same; the last two against the CSV)
// Run by hand: bench_export [answers] [formats]   (default 1000000; 20 questions of mixed kinds;
//   formats: some of csv,xlsx,sav,dta, by default all; CSV always runs, the others are measured against it)

#include "core/TextFile.h"
#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "export/AnswersExport.h"
#include "model/CollectionFile.h"
#include "model/Fragments.h"
#include "model/MethodCollection.h"
#include "model/QuestionSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

using namespace quenlow;
using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList kQuestions = { u"Name"_s, u"Comments"_s, u"Colour"_s, u"Tea"_s, u"Age"_s, u"City"_s };
// Beside those six, fourteen more: radio buttons, scales, numbers and dates, in turn.
constexpr int kMoreQuestions = 14;

FormMethod moreQuestion(int i)
{
    FormMethod m;
    m.userInstruction = u"Question %1"_s.arg(i);
    switch (i % 4) {
    case 0:
        m.kind = ElementKind::RadioButtons;
        m.attribute6List = { u"Never"_s, u"Sometimes"_s, u"Often"_s, u"Always"_s };
        return m;
    case 1:
        return scaleMethod(m.userInstruction, { 1, 5, u"Low"_s, u"High"_s });
    default: {
        QuestionSettings settings;
        settings.rules.kind = i % 4 == 2 ? AnswerKind::Number : AnswerKind::Date;
        return withQuestionSettings(textFieldMethod(m.userInstruction, u"30"_s, {}, {}), settings);
    }
    }
}

QString moreAnswer(int question, qint64 row)
{
    switch (question % 4) {
    case 0:
        return QStringList { u"Never"_s, u"Sometimes"_s, u"Often"_s, u"Always"_s }.at(
            int((row + question) % 4));
    case 1:
        return QString::number(1 + (row + question) % 5);
    case 2:
        return QString::number(double(row % 1000) / 8.0);
    default:
        return QDate(2000, 1, 1).addDays((row * 7 + question) % 9000).toString(Qt::ISODate);
    }
}

/// A field of /proc/self/status in kB (VmRSS, VmHWM).
qint64 statusKb(const char* field)
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field) + 1).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

/// The CPU time this process has used, in ms: on a machine others share,
/// a steadier measure than the time on the clock.
double cpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

/// Lets the peak (VmHWM) start again from the present size.
void resetPeak()
{
    QFile clear(u"/proc/self/clear_refs"_s);
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

void fill(const QString& appFolder, qint64 rows)
{
    const QString table = u"tbl_big"_s;
    const QString path = answersStoreIn(appFolder);
    Result<void> made = createDatabase(path);
    if (made)
        made = createFormTable(path, table);
    if (!made)
        qFatal("table: %s", qPrintable(made.error().detail));
    const auto opened = openAnswersStore(path);
    if (!opened)
        qFatal("store: %s", qPrintable(opened.error().detail));
    AnswersStore& db = **opened;
    MethodCollection collection;
    FormMethod header;
    header.kind = ElementKind::Header;
    header.userInstruction = u"big"_s;
    header.attribute6List = { u"Title"_s, u" 5 "_s, u"center"_s, u"Marble"_s };
    collection.append(header);
    for (const QString& question : kQuestions) {
        FormMethod m;
        m.kind = question == u"Comments"_s ? ElementKind::TextArea : ElementKind::TextField;
        m.userInstruction = question;
        collection.append(m);
        if (!db.addColumn(table, question,
                question == u"Comments"_s ? AnswersStore::ColumnKind::Memo : AnswersStore::ColumnKind::Text,
                {}))
            qFatal("cannot add a column");
    }
    for (int i = 0; i < kMoreQuestions; ++i) {
        collection.append(moreQuestion(i));
        if (!db.addColumn(table, u"Question %1"_s.arg(i), AnswersStore::ColumnKind::Text, {}))
            qFatal("cannot add a column");
    }
    if (!writeFileAtomically(
            appFolder + u"/Collections/bigCollection.txt"_s, encodeText(serializeCollection(collection))))
        qFatal("cannot write the collection file");

    // Stored as the service stores posts: many rows to a commit.
    QList<AnswersStore::NewRow> batch;
    for (qint64 i = 0; i < rows; ++i) {
        batch.append({ table,
            { { u"Name"_s, u"Person %1"_s.arg(i) },
                // Some comments need quoting: a comma, a quote, a line break.
                { u"Comments"_s,
                    i % 7 ? u"Comment number %1 with a few more words in it."_s.arg(i)
                          : u"Said \"fine\", then\nleft."_s },
                { u"Colour"_s, i % 2 ? u"Red"_s : u"Green"_s },
                { u"Tea"_s, i % 3 ? u"Checked"_s : u"Not Checked"_s },
                { u"Age"_s, QString::number(18 + i % 60) }, { u"City"_s, u"Town %1"_s.arg(i % 500) } },
            {}, {}, {} });
        for (int q = 0; q < kMoreQuestions; ++q)
            batch.last().values.append({ u"Question %1"_s.arg(q), moreAnswer(q, i) });
        if (batch.size() == 10'000 || i == rows - 1) {
            if (!db.insertRows(batch))
                qFatal("cannot store the answers");
            batch.clear();
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const qint64 answers = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1'000'000;
    const QStringList formats = QString::fromLatin1(argc > 2 ? argv[2] : "csv,xlsx,sav,dta").split(u',');
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(u"Collections"_s);
    QElapsedTimer t;
    t.start();
    fill(dir.path(), answers);
    std::printf("fill %lld answers x 20 questions (setup): %.0f ms\n", answers, double(t.elapsed()));

    // Warm the page cache for both, so neither pays for the first read.
    if (const auto db = openAnswersStore(answersStoreIn(dir.path())))
        (void)(*db)->rowCount(u"tbl_big"_s);

    QProcess sqlite;
    sqlite.setStandardOutputFile(dir.path() + u"/sqlite.csv"_s);
    t.restart();
    sqlite.start(u"sqlite3"_s, { u"-csv"_s, answersStoreIn(dir.path()), u"SELECT * FROM tbl_big"_s });
    if (!sqlite.waitForFinished(-1) || sqlite.exitCode() != 0)
        qFatal("sqlite3 failed (is Debian's sqlite3 installed?)");
    const double sqliteMs = double(t.nsecsElapsed()) / 1e6;
    std::printf("%-40s %10.1f ms  %8.1f MB\n", "sqlite3 -csv SELECT * (to a file)", sqliteMs,
        double(QFileInfo(dir.path() + u"/sqlite.csv"_s).size()) / 1e6);

    double csvMs = 0;
    double csvCpuMs = 0;
    for (const auto& [format, name, file] :
        { std::tuple { ExportFormat::Csv, "CSV export", u"/answers.csv"_s },
            std::tuple { ExportFormat::Xlsx, "XLSX export", u"/answers.xlsx"_s },
            std::tuple { ExportFormat::Sav, "SPSS export (.sav)", u"/answers.sav"_s },
            std::tuple { ExportFormat::Dta, "Stata export (.dta)", u"/answers.dta"_s } }) {
        if (format != ExportFormat::Csv && !formats.contains(file.section(u'.', -1)))
            continue;
        resetPeak();
        const qint64 before = statusKb("VmRSS:");
        t.restart();
        const double cpuBefore = cpuMs();
        const ExportResult result = exportAnswers({ .appFolder = dir.path(),
            .pageFile = u"big.html"_s,
            .format = format,
            .outputPath = dir.path() + file,
            .answersStore = {} });
        const double ms = double(t.nsecsElapsed()) / 1e6;
        const double cpu = cpuMs() - cpuBefore;
        const qint64 peak = statusKb("VmHWM:");
        if (!result)
            qFatal("export failed: %s", qPrintable(result.error().detail));
        if (format == ExportFormat::Csv) {
            csvMs = ms;
            csvCpuMs = cpu;
        }
        std::printf("%-40s %10.1f ms  %8.1f MB   peak memory +%.1f MB   %.2fx %s\n", name, ms,
            double(QFileInfo(dir.path() + file).size()) / 1e6, double(peak - before) / 1024.0,
            format == ExportFormat::Csv ? ms / sqliteMs : ms / csvMs,
            format == ExportFormat::Csv ? "of sqlite3" : "of CSV");
        std::printf("%-40s %10.1f ms CPU%s\n", "", cpu,
            format == ExportFormat::Csv ? "" : qPrintable(u"   %1x of CSV"_s.arg(cpu / csvCpuMs, 0, 'f', 2)));
    }
    return 0;
}
