// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// bench_export: exporting a large answers table, against the sqlite3 command-line tool on the same table.
//   - sqlite3 -csv formAnswers.mdb 'SELECT * FROM tbl_big' > file   (Debian sqlite3)
//   - CSV export (in this process: time, and how far its peak memory rose over the run)
//   - XLSX export (the same)
// Run by hand: bench_export [answers]   (default 1000000; 6 questions)

#include "core/TextFile.h"
#include "database/AnswerColumns.h"
#include "database/AnswersDatabase.h"
#include "export/AnswersExport.h"
#include "model/CollectionFile.h"
#include "model/MethodCollection.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>

using namespace quenlow;
using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList kQuestions = {u"Name"_s, u"Comments"_s, u"Colour"_s, u"Tea"_s, u"Age"_s, u"City"_s};

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
    const QString path = AnswersDatabase::pathIn(appFolder);
    CreateDatabase(path);
    QString error;
    if (!createFormTable(path, table, &error))
        qFatal("table: %s", qPrintable(error));
    auto db = AnswersDatabase::open(path, &error);
    MethodCollection collection;
    FormMethod header;
    header.methodType = Kind::header();
    header.userInstruction = u"big"_s;
    header.attribute6List = {u"Title"_s, u" 5 "_s, u"center"_s, u"Marble"_s};
    collection.append(header);
    for (const QString& question : kQuestions) {
        FormMethod m;
        m.methodType = question == u"Comments"_s ? Kind::textArea() : Kind::textField();
        m.userInstruction = question;
        collection.append(m);
        db->addColumn(table, question, question == u"Comments"_s);
    }
    writeFileAtomically(appFolder + u"/Collections/bigCollection.txt"_s, encodeText(serializeCollection(collection)));

    db->begin();
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db->handle(),
                       "INSERT INTO tbl_big (\"Name\", \"Comments\", \"Colour\", \"Tea\", \"Age\", \"City\") "
                       "VALUES (?1, ?2, ?3, ?4, ?5, ?6)",
                       -1, &stmt, nullptr);
    for (qint64 i = 0; i < rows; ++i) {
        const QByteArray values[6] = {
            "Person " + QByteArray::number(i),
            // Some comments need quoting: a comma, a quote, a line break.
            i % 7 ? QByteArray("Comment number " + QByteArray::number(i) + " with a few more words in it.")
                  : QByteArray("Said \"fine\", then\nleft."),
            i % 2 ? "Red" : "Green",
            i % 3 ? "Checked" : "Not Checked",
            QByteArray::number(18 + i % 60),
            "Town " + QByteArray::number(i % 500)};
        for (int c = 0; c < 6; ++c)
            sqlite3_bind_text(stmt, c + 1, values[c].constData(), int(values[c].size()), SQLITE_TRANSIENT);
        sqlite3_step(stmt);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    db->commit();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const qint64 answers = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1'000'000;
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(u"Collections"_s);
    QElapsedTimer t;
    t.start();
    fill(dir.path(), answers);
    std::printf("fill %lld answers x 6 questions (setup): %.0f ms\n", answers, double(t.elapsed()));

    // Warm the page cache for both, so neither pays for the first read.
    {
        auto db = AnswersDatabase::open(AnswersDatabase::pathIn(dir.path()));
        db->rowCount(u"tbl_big"_s);
    }

    QProcess sqlite;
    sqlite.setStandardOutputFile(dir.path() + u"/sqlite.csv"_s);
    t.restart();
    sqlite.start(u"sqlite3"_s, {u"-csv"_s, AnswersDatabase::pathIn(dir.path()), u"SELECT * FROM tbl_big"_s});
    if (!sqlite.waitForFinished(-1) || sqlite.exitCode() != 0)
        qFatal("sqlite3 failed (is Debian's sqlite3 installed?)");
    const double sqliteMs = double(t.nsecsElapsed()) / 1e6;
    std::printf("%-40s %10.1f ms  %8.1f MB\n", "sqlite3 -csv SELECT * (to a file)", sqliteMs,
                double(QFileInfo(dir.path() + u"/sqlite.csv"_s).size()) / 1e6);

    double csvMs = 0;
    for (const auto& [format, name, file] :
         {std::tuple{ExportFormat::Csv, "CSV export", u"/answers.csv"_s},
          std::tuple{ExportFormat::Xlsx, "XLSX export", u"/answers.xlsx"_s}}) {
        resetPeak();
        const qint64 before = statusKb("VmRSS:");
        t.restart();
        const ExportResult result = exportAnswers({ .appFolder = dir.path(),
            .pageFile = u"big.html"_s,
            .format = format,
            .outputPath = dir.path() + file,
            .answersStore = {} });
        const double ms = double(t.nsecsElapsed()) / 1e6;
        const qint64 peak = statusKb("VmHWM:");
        if (!result.ok)
            qFatal("export failed: %s", qPrintable(result.error));
        if (format == ExportFormat::Csv)
            csvMs = ms;
        std::printf("%-40s %10.1f ms  %8.1f MB   peak memory +%.1f MB   %.2fx %s\n", name, ms,
                    double(QFileInfo(dir.path() + file).size()) / 1e6, double(peak - before) / 1024.0,
                    format == ExportFormat::Csv ? ms / sqliteMs : ms / csvMs,
                    format == ExportFormat::Csv ? "of sqlite3" : "of CSV");
    }
    return 0;
}
