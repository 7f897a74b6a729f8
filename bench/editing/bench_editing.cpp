// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers

// Every edit rewrites the whole page and collection file, so its cost grows
// with the form. This measures one edit of each kind on a 1,000-element form,
// end to end (list, rows, files, answers table), and reopening a
// 10,000-element form. Targets: each edit under 100 ms, the reopen under 1 s.
//
//   bench_editing [repeats]

#include "core/TextFile.h"
#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "model/CollectionFile.h"
#include "model/ElementOperations.h"
#include "model/FormSession.h"
#include "model/PageWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace quenlow;

namespace {

FormMethod header(const FormSession& session, const QString& name)
{
    FormMethod m;
    m.kind = ElementKind::Header;
    m.userInstruction = name + QStringLiteral(" survey");
    m.htmlCode = QStringLiteral("<HTML><HEAD><TITLE>") + name
        + QStringLiteral("</TITLE></HEAD><BODY BACKGROUND='paper.jpg'><FORM METHOD=POST "
                         "ACTION='/scripts/save.asp'><input type=hidden name='tableName' value='tbl_")
        + name + QStringLiteral("'>");
    m.attribute4 = QStringLiteral("3");
    m.attribute5 = QStringLiteral("Centre");
    m.attribute6List = { printNumber(1), printNumber(0), session.databasePath(), printNumber(0) };
    return m;
}

// A question of realistic size, as the text field editor writes it.
FormMethod textField(const QString& question)
{
    FormMethod m;
    m.kind = ElementKind::TextField;
    m.userInstruction = question;
    m.htmlCode = QStringLiteral("<P><input type=hidden name='") + question
        + QStringLiteral(" Type' value='Text Field'><P>") + question + QStringLiteral(" <input name='")
        + question + QStringLiteral("' size='30' maxlength='' type='text' value =''>");
    m.attribute4 = QStringLiteral("30");
    return m;
}

FormMethod element(int i)
{
    if (i % 4 == 3) {
        FormMethod m;
        m.kind = ElementKind::PlainText;
        m.userInstruction = QStringLiteral("Section %1: please answer every question below.").arg(i);
        m.htmlCode = QStringLiteral("<P>") + m.userInstruction;
        return m;
    }
    return textField(QStringLiteral("Question number %1 of the survey").arg(i));
}

FormMethod submit()
{
    FormMethod m;
    m.kind = ElementKind::SubmitButton;
    m.userInstruction = QStringLiteral("Submit Form");
    m.htmlCode = QStringLiteral("<P> <CENTER> <INPUT TYPE='submit' VALUE='Submit Form'></CENTER>");
    m.attribute4 = QStringLiteral("Reset Form");
    m.attribute5 = printNumber(0);
    return m;
}

// Builds and opens a form of `count` records (header and submit button
// included) with its answers table, as editing it would have left it.
void buildForm(FormSession& session, const QString& name, int count, bool withColumns)
{
    if (const auto made = createFormTable(session.databasePath(), QStringLiteral("tbl_") + name); !made)
        qFatal("cannot create the table: %s", qPrintable(made.error().detail));
    MethodCollection collection;
    collection.append(header(session, name));
    for (int i = 1; i < count - 1; ++i)
        collection.append(element(i));
    collection.append(submit());
    if (withColumns) {
        // In one transaction: added one by one, each would wait for the disk.
        const auto db = openAnswersStore(session.databasePath());
        if (!db)
            qFatal("cannot open the database: %s", qPrintable(db.error().detail));
        const QString table = QStringLiteral("tbl_") + name;
        QList<AnswersStore::Column> columns = (*db)->columns(table).valueOr({});
        collection.forEach([&](const FormMethod& m) {
            if (isQuestionKind(m.kind))
                columns.append({ columnNameFor(m.userInstruction) });
        });
        if (const auto added = (*db)->restoreColumns(table, columns, {}, AnswersStore::Restore::Repair);
            !added)
            qFatal("cannot add the columns: %s", qPrintable(added.error().detail));
    }
    // Written as the program writes it, then opened the way the program opens it.
    session.changeableCollection() = collection;
    session.setHtmlName(name + QStringLiteral(".html"));
    if (!saveCollectionFile(session))
        qFatal("cannot save the collection file");
    session.resetOpenForm();
    static_cast<void>(loadForm(session, session.appFolder(), name + QStringLiteral(".html")));
    if (session.collection().count() != count)
        qFatal("the form did not open");
}

struct Figures {
    QList<double> ms;
    void report(const char* what, double targetMs) const
    {
        QList<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        const double median = sorted.at(sorted.size() / 2);
        if (targetMs <= 0) {
            std::printf("%-44s median %8.2f ms   max %8.2f ms\n", what, median, sorted.last());
            return;
        }
        std::printf("%-44s median %8.2f ms   max %8.2f ms   (target < %.0f ms) %s\n", what, median,
            sorted.last(), targetMs, sorted.last() < targetMs ? "ok" : "MISSED");
    }
};

Figures measure(int repeats, const std::function<void(int)>& step)
{
    Figures f;
    for (int r = 0; r < repeats; ++r) {
        QElapsedTimer timer;
        timer.start();
        step(r);
        f.ms.append(double(timer.nsecsElapsed()) / 1e6);
    }
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int repeats = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 10;
    QTemporaryDir dir;
    for (const char* sub : { "HTML", "Collections", "Reports" })
        QDir(dir.path()).mkpath(QLatin1StringView(sub));
    if (!createDatabase(answersStoreIn(dir.path())))
        qFatal("cannot create the answers database");

    FormSession session(dir.path());
    buildForm(session, QStringLiteral("bench"), 1000, true);
    std::printf("form of %d elements, page %lld bytes\n", int(session.methodCount()),
        QFileInfo(session.htmlFolder() + QStringLiteral("bench.html")).size());

    measure(repeats, [&](int r) {
        if (!insertMethod(session, textField(QStringLiteral("Inserted question %1").arg(r))))
            qFatal("insert refused");
        static_cast<void>(nextElementNumber(session));
        static_cast<void>(writeFormPage(session, session.htmlName()));
    }).report("insert above the submit button", 100);

    measure(repeats, [&](int r) {
        const int position = 500 + 4 * r; // a text field in the middle
        const FormMethod m = textField(QStringLiteral("Renamed question %1").arg(r));
        if (!updateMethod(session, m, position))
            qFatal("update refused");
        static_cast<void>(writeFormPage(session, session.htmlName()));
    }).report("update (question renamed)", 100);

    measure(repeats, [&](int r) {
        session.setSelectedRow(300 + r);
        if (!moveSelectedUp(session))
            qFatal("move refused");
    }).report("move up", 100);

    measure(repeats, [&](int r) {
        session.setSelectedRow(601 + r); // questions and plain text alike
        if (!removeSelected(session))
            qFatal("removal refused");
    }).report("removal (column, save and reload)", 100);

    // Where an edit's time goes: the pieces every edit repeats.
    std::printf("\nbreakdown on the same form:\n");
    const QString collectionPath = session.collectionFilePath(QStringLiteral("bench"));
    const QString pagePath = session.htmlFolder() + QStringLiteral("bench.html");
    QByteArray collectionBytes;
    QByteArray pageBytes;
    measure(repeats, [&](int) {
        collectionBytes = encodeText(serializeCollection(session.collection()));
    }).report("  collection text built and encoded", 0);
    measure(repeats, [&](int) {
        static_cast<void>(writeFileAtomically(collectionPath, collectionBytes));
    }).report("  collection file written (atomic, synced)", 0);
    measure(repeats, [&](int) {
        pageBytes = encodeText(buildFormPage(session.collection()));
    }).report("  page built and encoded", 0);
    measure(repeats, [&](int) {
        static_cast<void>(writeFileAtomically(pagePath, pageBytes));
    }).report("  page written (atomic, synced)", 0);
    measure(repeats, [&](int) {
        parseCollection(decodeText(collectionBytes));
    }).report("  collection file parsed (reload)", 0);
    const AnswerTable table = session.answerTable();
    measure(repeats, [&](int r) {
        if (!addAnswerColumn(table, QStringLiteral("Scratch %1").arg(r), false))
            std::abort();
    }).report("  answers column added", 0);
    measure(repeats, [&](int r) {
        if (!renameAnswerColumn(
                table, QStringLiteral("Scratch %1").arg(r), QStringLiteral("Scratched %1").arg(r)))
            std::abort();
    }).report("  answers column renamed", 0);
    measure(repeats, [&](int r) {
        if (!removeAnswerColumn(table, QStringLiteral("Scratched %1").arg(r)))
            std::abort();
    }).report("  answers column removed", 0);
    std::printf("\n");

    FormSession big(dir.path());
    buildForm(big, QStringLiteral("big"), 10000, false);
    std::printf("form of %d elements, collection file %lld bytes\n", int(big.methodCount()),
        QFileInfo(big.collectionFilePath(QStringLiteral("big"))).size());
    measure(std::max(3, repeats / 2), [&](int) {
        static_cast<void>(loadForm(big, big.appFolder(), QStringLiteral("big.html")));
        if (big.collection().count() != 10000)
            qFatal("the form did not reopen");
    }).report("reopen (LoadForm) a 10,000-element form", 1000);
    return 0;
}
