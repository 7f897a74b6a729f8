// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// bench_reporter: the reporter over large answers tables.
//   - open the reporter over 1,000,000 answers (its data loading), show answer 1 and answer 999,999
//   - write the answers-table page for 100,000 answers
//   - the Answers tab over 1,000,000 answers: open, scroll to the end, sort, filter
//   - count a chart over 1,000,000 answers with 10 options
//   - export a 10,000-answer × 5-field table into a report
// Run by hand: bench_reporter [answers]   (default 1000000)
//
// bench_reporter --document [FILE]: opening a heavy report document alone (so
// that /usr/bin/time -v sees its peak memory): FILE, or without one a crafted
// 44 MB document of a million nested content controls (refused in about 0.1 s
// of CPU time); then, if it opens, its content read back and an addition saved.

#include "core/RecordingMessages.h"
#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "model/FormSession.h"
#include "platform/BrowserView.h"
#include "platform/ChartControl.h"
#include "platform/DocumentPreview.h"
#include "platform/OutcomeMessages.h"
#include "platform/WordDocument.h"
#include "reporter/AnswersTableModel.h"
#include "reporter/AnswersTablePage.h"
#include "reporter/ChartCounts.h"
#include "reporter/ReportDocuments.h"
#include "reporter/ReportPage.h"
#include "reporter/Reporter.h"
#include "reporter/ReporterForm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>

#include <zip.h>

#include <sys/resource.h>

#include <cstdio>
#include <ctime>

using namespace quenlow;
using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList kColours = { u"Red"_s, u"Green"_s, u"Blue"_s, u"Yellow"_s, u"Black"_s, u"White"_s,
    u"Grey"_s, u"Brown"_s, u"Pink"_s, u"Orange"_s };

double cpuMs()
{
    timespec ts {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

/// Wall clock and process CPU time: other work on the machine inflates the
/// first, hardly the second.
class Stopwatch
{
public:
    Stopwatch() { restart(); }
    void restart()
    {
        m_wall.start();
        m_cpu = cpuMs();
    }
    double wallMs() const { return double(m_wall.nsecsElapsed()) / 1e6; }
    double cpuMsSince() const { return cpuMs() - m_cpu; }

private:
    QElapsedTimer m_wall;
    double m_cpu = 0;
};

void report(const char* what, const Stopwatch& t)
{
    std::printf("%-58s %10.1f ms wall %10.1f ms cpu\n", what, t.wallMs(), t.cpuMsSince());
    std::fflush(stdout);
}

void report(const char* what, double wallMs, double cpuMs)
{
    std::printf("%-58s %10.1f ms wall %10.1f ms cpu\n", what, wallMs, cpuMs);
    std::fflush(stdout);
}

/// A form table "tbl_<name>" with Name, Comments (memo), Colour (10 options), Tea and Age, and `rows`
/// answers.
void fillForm(FormSession& session, const QString& name, qint64 rows)
{
    const QString table = u"tbl_"_s + name;
    if (const auto made = createFormTable(session.databasePath(), table); !made)
        qFatal("table: %s", qPrintable(made.error().detail));
    const auto opened = openAnswersStore(session.databasePath());
    if (!opened)
        qFatal("store: %s", qPrintable(opened.error().detail));
    AnswersStore& db = **opened;
    for (const QString& question : { u"Name"_s, u"Comments"_s, u"Colour"_s, u"Tea"_s, u"Age"_s }) {
        const auto kind
            = question == u"Comments"_s ? AnswersStore::ColumnKind::Memo : AnswersStore::ColumnKind::Text;
        if (!db.addColumn(table, question, kind, {}))
            qFatal("cannot add a column");
    }
    // Stored as the service stores posts: many rows to a commit.
    QList<AnswersStore::NewRow> batch;
    for (qint64 i = 0; i < rows; ++i) {
        // Every eleventh answer is a colour that is no option: counted nowhere.
        const QString colour = i % 11 == 10 ? u"Purple"_s : kColours.at(int(i % 11) % 10);
        batch.append({ table,
            { { u"Name"_s, u"Person %1"_s.arg(i) },
                { u"Comments"_s, u"Comment number %1 with a few more words in it."_s.arg(i) },
                { u"Colour"_s, colour }, { u"Tea"_s, i % 3 ? u"Checked"_s : u"Not Checked"_s },
                { u"Age"_s, QString::number(18 + i % 60) } },
            {}, {}, {} });
        if (batch.size() == 10'000 || i == rows - 1) {
            if (!db.insertRows(batch))
                qFatal("cannot store the answers");
            batch.clear();
        }
    }
}

void openForm(FormSession& session, const QString& name)
{
    session.setOpenFormName(name);
    session.setOpenPageFile(name + u".html"_s);
    session.setHtmlName(name + u".html"_s);
    session.changeableCollection().removeAll();
    const auto add = [&](ElementKind kind, const QString& question, const QStringList& options = {}) {
        FormMethod m;
        m.kind = kind;
        m.userInstruction = question;
        m.attribute6List = options;
        session.changeableCollection().append(m);
    };
    add(ElementKind::Header, name, { u"Title"_s, u" 5 "_s, u"center"_s, u"Marble"_s });
    add(ElementKind::TextField, u"Name"_s);
    add(ElementKind::TextArea, u"Comments"_s);
    add(ElementKind::RadioButtons, u"Colour"_s, kColours);
    add(ElementKind::CheckBox, u"Tea"_s);
    add(ElementKind::TextField, u"Age"_s);
    add(ElementKind::SubmitButton, u"Submit"_s);
}

double peakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

/// A document whose body is a million content controls nested in one another,
/// stored uncompressed (44 MB), as a crafted file has it.
QString writeNestedControlsDocument(const QString& folder)
{
    // The main part goes to a file piece by piece and the package is made from
    // it, so that this process stays small for the one that opens it.
    const QString mainPath = folder + u"/document.xml"_s;
    {
        QFile main(mainPath);
        if (!main.open(QIODevice::WriteOnly))
            qFatal("cannot write the crafted main part");
        const QByteArray open = QByteArray("<w:sdt><w:sdtContent>").repeated(1000);
        const QByteArray close = QByteArray("</w:sdtContent></w:sdt>").repeated(1000);
        main.write("<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
                   "<w:body>");
        for (int i = 0; i < 1000; ++i)
            main.write(open);
        main.write("<w:p><w:r><w:t>deep</w:t></w:r></w:p>");
        for (int i = 0; i < 1000; ++i)
            main.write(close);
        main.write("<w:sectPr/></w:body></w:document>");
    }
    static const char relationships[]
        = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
          "<Relationship Id=\"rId1\" "
          "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
          "Target=\"word/document.xml\"/></Relationships>";
    const QString path = folder + u"/nested_Report.doc"_s;
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        qFatal("cannot create the crafted document");
    for (const auto& [name, source] :
        { std::pair { "_rels/.rels", zip_source_buffer(archive, relationships, sizeof relationships - 1, 0) },
            std::pair { "word/document.xml",
                zip_source_file(archive, QFile::encodeName(mainPath).constData(), 0, 0) } }) {
        const zip_int64_t index = source ? zip_file_add(archive, name, source, 0) : -1;
        if (index < 0 || zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0) != 0)
            qFatal("cannot add to the crafted document");
    }
    if (zip_close(archive) != 0)
        qFatal("cannot write the crafted document");
    QFile::remove(mainPath);
    return path;
}

int benchHeavyDocument(const QString& given)
{
    QTemporaryDir dir;
    if (given.isEmpty()) {
        // Opened by a process of its own, so that making the file counts in
        // neither its peak memory nor that of /usr/bin/time.
        return QProcess::execute(QCoreApplication::applicationFilePath(),
            { u"--document"_s, writeNestedControlsDocument(dir.path()) });
    }
    const QString path = given;
    std::printf("%-58s %10.1f MB\n", "document size", QFileInfo(path).size() / 1e6);
    std::printf("%-58s %10.1f MB\n", "peak memory before opening", peakMegabytes());
    WordDocument document;
    Stopwatch t;
    const DocumentResult opened = document.open(path);
    report(opened ? "open the document: opened" : "open the document: refused", t);
    if (!opened)
        std::printf("  %s\n", qPrintable(documentProblemText(opened.error()).left(160)));
    if (opened) {
        t.restart();
        const qsizetype blocks = document.content().blocks.size();
        report(qPrintable(u"  read its content back (%1 blocks)"_s.arg(blocks)), t);
        t.restart();
        document.typeText(u"added"_s);
        const bool saved = bool(document.saveAs(dir.path() + u"/saved.doc"_s));
        report(saved ? "  add a paragraph and save" : "  add a paragraph and save: failed", t);
    }
    std::printf("%-58s %10.1f MB\n", "peak memory", peakMegabytes());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && QByteArray(argv[1]) == "--document") {
        QCoreApplication app(argc, argv);
        return benchHeavyDocument(argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString());
    }

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BrowserView::setRecorder([](auto&&...) {});
    RecordingMessages messages;
    Messages::install(&messages);

    const qint64 answers = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1'000'000;
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(u"HTML"_s);
    QDir(dir.path()).mkpath(u"Reports"_s);
    FormSession session(dir.path());
    if (!createDatabase(session.databasePath()))
        qFatal("cannot create the answers database");

    Stopwatch t;
    fillForm(session, u"big"_s, answers);
    report(qPrintable(u"fill a table with %1 answers (setup)"_s.arg(answers)), t);

    // --- Opening the reporter and browsing ---------------------------------
    openForm(session, u"big"_s);
    {
        // The whole command: the check that the table holds answers, then the
        // window with its lists and answer 1, up to the moment it shows.
        double shownWall = 0, shownCpu = 0;
        QTimer poll;
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal->objectName() != u"ReporterForm"_s)
                return;
            poll.stop();
            shownWall = t.wallMs();
            shownCpu = t.cpuMsSince();
            modal->close();
        });
        poll.start();
        t.restart();
        openReporter(session, nullptr);
        report("reporter command: check, open and show the window", shownWall, shownCpu);
        qint64 count = -1;
        if (const auto db = openAnswersStore(session.databasePath())) {
            t.restart();
            count = (*db)->rowCount(u"tbl_big"_s).valueOr(-1);
            report("  (for comparison: count every answer)", t);
        }
        if (count != answers)
            qFatal("unexpected row count");

        t.restart();
        ReporterForm form(session);
        report("open the reporter (fields, row positions, answer 1)", t);
        auto* number = form.findChild<QLabel*>(u"AnswerNumber"_s);

        t.restart();
        form.reportPage()->showFieldAnswer(1);
        report("show answer 1", t);

        t.restart();
        form.reportPage()->showFieldAnswer(answers - 1);
        report(qPrintable(u"show answer %1"_s.arg(answers - 1)), t);
        if (number->text() != QString::number(answers - 1))
            qFatal("answer not shown");

        t.restart();
        form.reportPage()->showFieldAnswer(answers - 2);
        report("show the previous answer", t);

        t.restart();
        form.reportPage()->showFieldAnswer(answers - 1);
        report(qPrintable(u"show answer %1 again"_s.arg(answers - 1)), t);

        // The worst case: an answer came in since, so the answers are counted again.
        {
            const auto writer = openAnswersStore(session.databasePath());
            if (!writer
                || !(*writer)->insertRows({ { u"tbl_big"_s, { { u"Name"_s, u"late"_s } }, {}, {}, {} } }))
                qFatal("cannot store the late answer");
        }
        t.restart();
        form.reportPage()->showFieldAnswer(answers - 1);
        report(qPrintable(u"show answer %1 after an answer arrived"_s.arg(answers - 1)), t);

        // --- The Answers tab ---------------------------------------------------
        {
            form.resize(960, 700);
            form.show();
            auto* view = form.findChild<QTableView*>(u"AnswersTable"_s);
            t.restart();
            form.findChild<QTabBar*>()->setCurrentIndex(2);
            view->grab(); // laid out and painted, first page read
            report("open the Answers tab and paint it", t);
            t.restart();
            view->scrollToBottom();
            view->grab();
            report("  scroll to the last answer and paint it", t);
            if (form.answersModel()->rowCount() != answers + 1
                || form.answersModel()->data(form.answersModel()->index(int(answers) - 1, 0)).toString()
                    != u"Person %1"_s.arg(answers - 1))
                qFatal("the Answers tab shows the wrong rows");
            t.restart();
            view->sortByColumn(0, Qt::DescendingOrder);
            view->grab();
            report("  sort by Name (once) and paint", t);
            t.restart();
            view->sortByColumn(0, Qt::AscendingOrder);
            view->grab();
            report("  sort by Name the other way and paint", t);
            t.restart();
            view->scrollToTop();
            view->grab();
            report("  then scroll to the top and paint", t);
            t.restart();
            (void)form.answersModel()->setFilterText(u"Person 99999"_s);
            view->grab();
            report("  filter for 'Person 99999' and paint", t);
            form.hide();
        }

        // --- Charts ---------------------------------------------------------
        const auto store = openAnswersStore(session.databasePath()).value();
        t.restart();
        const auto counts = countAnswers(*store, u"tbl_big"_s, u"Colour"_s, kColours);
        report(qPrintable(u"count a chart: %1 answers, 10 options"_s.arg(answers)), t);
        qint64 total = 0;
        for (qint64 c : *counts)
            total += c;
        if (total != answers - answers / 11) // the late answer has no colour
            qFatal("chart counts are wrong: %lld", total);

        t.restart();
        form.findChild<QTabBar*>()->setCurrentIndex(1); // graphs page: list, Colour counted and drawn
        form.chart()->refresh();
        report("graphs page: count and draw the first chart", t);
    }

    // --- The answers-table page --------------------------------------------
    fillForm(session, u"page"_s, 100'000);
    openForm(session, u"page"_s);
    t.restart();
    writeAnswersTablePage(session);
    report("write the answers-table page, 100,000 answers", t);
    std::printf("%-58s %10.1f MB\n", "  page size",
        QFileInfo(session.htmlFolder() + answersTablePageName()).size() / 1e6);

    // --- Exporting a table into a report -------------------------------------
    fillForm(session, u"export"_s, 10'000);
    openForm(session, u"export"_s);
    const ReportTarget target = ReportTarget::of(session, u"export_Report.doc"_s);
    messages.queueAnswer(MessageAnswer::Ok);
    createReport(target);

    double typedWall = 0, typedCpu = 0, savedWall = 0, savedCpu = 0;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != u"DocumentPreview"_s)
            return;
        poll.stop();
        typedWall = t.wallMs();
        typedCpu = t.cpuMsSince();
        Stopwatch save;
        modal->findChild<QAbstractButton*>(u"SaveDocument"_s)->click();
        savedWall = save.wallMs();
        savedCpu = save.cpuMsSince();
        modal->findChild<QAbstractButton*>(u"CloseDocument"_s)->click();
    });
    messages.queueAnswer(MessageAnswer::Ok); // "If the added table is as desired ..."
    poll.start();
    t.restart();
    const ExportOutcome outcome = addTableToReport(
        target, { u"Name"_s, u"Comments"_s, u"Colour"_s, u"Tea"_s, u"Age"_s }, true, nullptr);
    if (outcome != ExportOutcome::Completed)
        qFatal("export failed");
    report("export 10,000 answers x 5 fields: typed and shown", typedWall, typedCpu);
    report("  saving the document", savedWall, savedCpu);
    report("  whole operation", t);

    // Where the export's time goes: the document layer and the preview.
    {
        WordDocument document;
        t.restart();
        document.newDocument();
        document.addTable(1, 5);
        for (int i = 0; i < 50'005; ++i) {
            document.typeText(u"Comment number 12345 with a few more words in it."_s);
            document.moveRight();
        }
        report("  (document layer alone: type 10,001 rows x 5 cells)", t);
        t.restart();
        const WordContent content = document.content();
        report("  (document layer alone: read the content back)", t);
        QTextDocument text;
        t.restart();
        DocumentPreview::render(content, &text);
        report("  (preview alone: render the first 2,000 rows)", t);
    }
    std::printf("%-58s %10.1f MB\n", "  document size", QFileInfo(target.documentPath()).size() / 1e6);
    {
        WordDocument written;
        if (!written.open(target.documentPath()) || written.content().tables().value(0).rowCount() != 10'002)
            qFatal("the exported table is not in the document");
    }

    for (const RecordingMessages::Box& box : messages.boxes()) {
        if (box.icon == MessageIcon::Exclamation)
            std::printf("unexpected message: %s\n", qPrintable(box.text));
    }
    Messages::install(nullptr);
    return 0;
}
