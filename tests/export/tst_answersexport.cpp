// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "core/TextFile.h"
#include "database/AnswersStore.h"
#include "database/Participants.h"
#include "database/Receipts.h"
#include "export/AnswersExport.h"
#include "model/CollectionFile.h"
#include "model/Fragments.h"
#include "reporter/ReporterFixture.h"

#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>

using namespace quenlow;
using namespace quenlow::test;
using namespace Qt::Literals::StringLiterals;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

/// Runs quenlow-export, under `wrapper` (a command that ends by running its
/// remaining arguments) when given.
Run exportCommand(
    const QStringList& args, const QString& standardOutput = {}, const QStringList& wrapper = {})
{
    QProcess process;
    if (!standardOutput.isEmpty())
        process.setStandardOutputFile(standardOutput);
    const QString program = QStringLiteral(QUENLOW_PROGRAM_DIR "/quenlow-export");
    if (wrapper.isEmpty())
        process.start(program, args);
    else
        process.start(wrapper.first(), wrapper.mid(1) << program << args);
    process.waitForFinished(60000);
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError()) };
}

/// The file as Python's csv module or openpyxl reads it.
QJsonObject readBack(const QString& kind, const QString& path)
{
    QProcess python;
    // Debian's own Python, which has python3-openpyxl.
    python.start(u"/usr/bin/python3"_s,
        { QStringLiteral(QUENLOW_SOURCE_DIR "/tests/export/readback.py"), kind, path });
    python.waitForFinished(60000);
    const QByteArray out = python.readAllStandardOutput();
    if (python.exitCode() != 0)
        qWarning("%s", python.readAllStandardError().constData());
    return QJsonDocument::fromJson(out).object();
}

QList<QStringList> rowsOf(const QJsonObject& read)
{
    QList<QStringList> rows;
    for (const QJsonValue& row : read.value(u"rows"_s).toArray()) {
        QStringList cells;
        for (const QJsonValue& cell : row.toArray())
            cells.append(cell.toString());
        rows.append(cells);
    }
    return rows;
}

/// Every file under `root`, hidden ones included, with its contents.
QMap<QString, QByteArray> filesUnder(const QString& root)
{
    QMap<QString, QByteArray> contents;
    for (QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
         it.hasNext();) {
        const QFileInfo file(it.next());
        contents.insert(file.filePath(), file.isFile() ? readBytes(file.filePath()) : "not a file");
    }
    return contents;
}

ino_t inodeOf(const QString& path)
{
    struct stat status {
    };
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
}

// A participant as the designer adds them.
Participant invitee(
    const QString& code, const QString& name, QList<std::pair<QString, QString>> attributes = {})
{
    Participant p;
    p.code = code;
    p.name = name;
    p.attributes = std::move(attributes);
    return p;
}

const QString kLongQuestion
    = u"How would you describe, in your own words, the service you received at our office today?"_s;

} // namespace

class TestAnswersExport : public QObject
{
    Q_OBJECT

private:
    /// A form with every kind of question, a question added after the first
    /// answers, and answers no file format is kind to.
    void buildForm(ReporterFixture& form)
    {
        form.add(ElementKind::TextField, u"Your name"_s);
        form.add(ElementKind::PlainText, u"Thank you"_s);
        form.add(ElementKind::TextArea, u"Comments"_s);
        form.add(ElementKind::CheckBox, u"Tea"_s);
        form.add(ElementKind::RadioButtons, u"Colour"_s, { u"Red"_s, u"Green"_s });
        form.add(ElementKind::PullDownMenu, kLongQuestion, { u"Good"_s, u"Bad"_s });
        form.answer({ { u"Your name"_s, u"=HYPERLINK(\"http://x\",\"y\")"_s },
            { u"Comments"_s, u"line one\r\nline \"two\", and\nthree"_s }, { u"Tea"_s, u"Checked"_s },
            { u"Colour"_s, u"+1"_s } });
        form.answer({ { u"Your name"_s, u"Ζωή, 山田 «ok»"_s }, { u"Comments"_s, u"@SUM(A1) -2"_s } });
        form.add(ElementKind::TextField, u"Added later"_s, {}, columnAddedMarker());
        form.answer({ { u"Your name"_s, u" padded "_s }, { u"Added later"_s, u"x"_s },
            { kLongQuestion, u"Good"_s } });
        form.writeCollection();
    }

    /// The receipts the service gave for the rows, in stored order.
    QStringList receipts(const ReporterFixture& form) const
    {
        const QByteArray key = form.store()->sharedKey().valueOr(QByteArray());
        QStringList made;
        for (const AnswersStore::Row& row :
            form.store()->readRows(form.table(), {}, -1, 100, true).valueOr({}))
            made.append(receiptFor(key, row.id, row.arrivedAt.value_or(QDateTime())));
        return made;
    }

    QList<QStringList> expectedRows(const ReporterFixture& form) const
    {
        const QStringList receipt = receipts(form);
        if (receipt.size() != 3)
            return {};
        return { { u"Submitted"_s, u"Changed"_s, u"Receipt"_s, u"Your name"_s, u"Comments"_s, u"Tea"_s,
                     u"Colour"_s, columnNameFor(kLongQuestion), u"Added later"_s },
            { QString(), QString(), receipt.at(0), u"=HYPERLINK(\"http://x\",\"y\")"_s,
                u"line one\r\nline \"two\", and\nthree"_s, u"Checked"_s, u"+1"_s, QString(), QString() },
            { QString(), QString(), receipt.at(1), u"Ζωή, 山田 «ok»"_s, u"@SUM(A1) -2"_s, QString(),
                QString(), QString(), QString() },
            { QString(), QString(), receipt.at(2), u" padded "_s, QString(), QString(), QString(), u"Good"_s,
                u"x"_s } };
    }

    QStringList commonArgs(const ReporterFixture& form, const QString& format) const
    {
        return { u"--app-folder"_s, form.folder.path(), u"--form"_s, u"survey.html"_s, u"--format"_s,
            format };
    }

private slots:
    void submittedIsTheArrivalTime()
    {
        ReporterFixture form;
        form.add(ElementKind::TextField, u"Your name"_s);
        form.writeCollection();
        form.answer({ { u"Your name"_s, u"before times were kept"_s } });
        AnswersStore::NewRow row;
        row.table = form.table();
        row.values = { { u"Your name"_s, u"Ann"_s } };
        row.arrivedAt = QDateTime(QDate(2026, 12, 6), QTime(15, 4, 5), Qt::UTC);
        row.token = u"page"_s;
        QVERIFY(form.store()->insertRows({ row }));
        // The same page sent again with another answer: when, in "Changed".
        row.values = { { u"Your name"_s, u"Anne"_s } };
        row.arrivedAt = row.arrivedAt.addSecs(300);
        QVERIFY(form.store()->insertRows({ row }));
        // Made by the service as it starts; the receipts were made with it.
        const QByteArray key = form.store()->sharedKey().valueOr(QByteArray());
        const Run run = exportCommand(commonArgs(form, u"csv"_s));
        QCOMPARE(run.exitCode, 0);
        // The receipt the person was given: made from the first arrival, not the change.
        const QByteArray first = receiptFor(key, 1, {}).toLatin1();
        const QByteArray replaced
            = receiptFor(key, 2, QDateTime(QDate(2026, 12, 6), QTime(15, 4, 5), Qt::UTC)).toLatin1();
        QVERIFY(run.out.contains("Submitted,Changed,Receipt,Your name\r\n"));
        const QByteArray expected = "\r\n,," + first + ",before times were kept\r\n2026-12-06T15:04:05Z,"
            + "2026-12-06T15:09:05Z," + replaced + ",Anne\r\n";
        QVERIFY2(run.out.endsWith(expected), run.out.constData());
    }

    // Answers of invited people who are not anonymous: who answered, and what
    // their invitation said of them, beside their answers; never for anonymous ones.
    void participantsStandBesideTheirAnswers()
    {
        ReporterFixture form;
        form.add(ElementKind::TextField, u"Your name"_s);
        FormMethod header = form.session.collection().atPosition(0);
        QCOMPARE(header.kind, ElementKind::Header);
        FormSettings invited;
        invited.invitedOnly = true;
        setFormSettings(header, invited);
        form.session.changeableCollection().replace(0, header);
        form.writeCollection();
        QVERIFY(addParticipants(*form.store(), form.table(),
            { invitee(u"ACDE3479"_s, u"Ann"_s, { { u"Group"_s, u"A"_s } }),
                invitee(u"FGHJ3479"_s, u"Bo"_s, { { u"Site"_s, u"North"_s }, { u"Group"_s, u"B"_s } }) }));
        form.answer({ { u"Your name"_s, u"no code"_s } });
        AnswersStore::NewRow row;
        row.table = form.table();
        row.values = { { u"Your name"_s, u"Bos answer"_s } };
        row.arrivedAt = QDateTime(QDate(2026, 12, 6), QTime(15, 4, 5), Qt::UTC);
        row.participantCode = u"FGHJ3479"_s;
        const auto stored = form.store()->insertRows({ row });
        QVERIFY(stored && stored->first().outcome == AnswersStore::Inserted::Stored);
        Run run = exportCommand(commonArgs(form, u"csv"_s));
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains("Submitted,Changed,Receipt,Participant,Site,Group,Your name\r\n"),
            run.out.constData());
        QVERIFY2(run.out.contains(",FGHJ3479,North,B,Bos answer\r\n"), run.out.constData());
        QVERIFY2(run.out.contains(",,,,no code\r\n"), run.out.constData());

        invited.anonymousAnswers = true;
        setFormSettings(header, invited);
        form.session.changeableCollection().replace(0, header);
        form.writeCollection();
        run = exportCommand(commonArgs(form, u"csv"_s));
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains("Submitted,Changed,Receipt,Your name\r\n"));
        QVERIFY(!run.out.contains("FGHJ3479"));
    }

    void csvReadsBackCellForCell()
    {
        ReporterFixture form;
        buildForm(form);
        receipts(form); // the service's key, made as it starts

        const Run toStdout = exportCommand(commonArgs(form, u"csv"_s));
        QCOMPARE(toStdout.exitCode, 0);
        QVERIFY(toStdout.out.startsWith("\xEF\xBB\xBF\"Submitted\"")
            || toStdout.out.startsWith("\xEF\xBB\xBFSubmitted,"));
        // Every record ends in CR LF; the bare LF inside the quoted answer stays as it was.
        QVERIFY(toStdout.out.endsWith(",Good,x\r\n"));
        QCOMPARE(toStdout.out.count("\r\n"), 4 + 1);

        const QString file = form.folder.path() + u"/answers.csv"_s;
        QCOMPARE(exportCommand(commonArgs(form, u"csv"_s) << u"--output"_s << file).exitCode, 0);
        QCOMPARE(readBytes(file), toStdout.out);
        QCOMPARE(rowsOf(readBack(u"csv"_s, file)), expectedRows(form));

        const Run noBom
            = exportCommand(commonArgs(form, u"csv"_s) << u"--no-bom"_s << u"--output"_s << u"-"_s);
        QCOMPARE(noBom.out, toStdout.out.mid(3));

        // Asked for, formula-like cells get a leading apostrophe and nothing else changes.
        const Run escaped = exportCommand(commonArgs(form, u"csv"_s) << u"--escape-formulas"_s);
        const QByteArray escapedFirst
            = "\r\n,," + receipts(form).value(0).toLatin1() + ",\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\",";
        QVERIFY(escaped.out.contains(escapedFirst));
        QVERIFY(escaped.out.contains(",'+1,,\r\n"));
        QVERIFY(escaped.out.contains(",'@SUM(A1) -2,"));
        QCOMPARE(escaped.out.size(), toStdout.out.size() + 3);
    }

    void xlsxReadsBackCellForCell()
    {
        ReporterFixture form;
        buildForm(form);
        receipts(form); // the service's key, made as it starts
        const QString file = form.folder.path() + u"/answers.xlsx"_s;
        const Run run = exportCommand(commonArgs(form, u"xlsx"_s) << u"--output"_s << file);
        QCOMPARE(run.exitCode, 0);

        const QJsonObject read = readBack(u"xlsx"_s, file);
        QCOMPARE(rowsOf(read), expectedRows(form));
        // Answers are text cells, so "=HYPERLINK(…)" is never a formula.
        QCOMPARE(read.value(u"types"_s).toArray(), QJsonArray({ u"s"_s }));
        QVERIFY(read.value(u"bold"_s).toBool());
        QCOMPARE(read.value(u"freeze"_s).toString(), u"A2"_s);
        QCOMPARE(read.value(u"filter"_s).toString(), u"A1:I4"_s);
        QCOMPARE(read.value(u"submittedFormat"_s).toString(), u"yyyy-mm-dd hh:mm:ss"_s);
        const QJsonArray widths = read.value(u"widths"_s).toArray();
        QCOMPARE(widths.size(), 9);
        QVERIFY(widths.at(4).toDouble() > 25); // the longest comment
        QVERIFY(widths.at(7).toDouble() < 61); // a long heading does not make a huge column
    }

    /// Answers of questions that take numbers or dates are number and date
    /// cells in a workbook where they are stored in that spelling; anything
    /// else, older answers included, stays text as the CSV has it.
    void xlsxWritesNumbersAndDates()
    {
        ReporterFixture form;
        const auto typed = [](const QString& question, AnswerKind kind) {
            QuestionSettings settings;
            settings.rules.kind = kind;
            return withQuestionSettings(textFieldMethod(question, u"30"_s, {}, {}), settings);
        };
        // A ranking's two options last: a column each.
        const QStringList questions { u"Age"_s, u"Height"_s, u"Born"_s, u"Mood"_s, u"Phone"_s, u"Tea"_s,
            u"Coffee"_s };
        form.add(typed(questions.at(0), AnswerKind::WholeNumber));
        form.add(typed(questions.at(1), AnswerKind::Number));
        form.add(typed(questions.at(2), AnswerKind::Date));
        form.add(scaleMethod(questions.at(3), { 0, 10, u"Low"_s, u"High"_s }));
        form.add(typed(questions.at(4), AnswerKind::Phone));
        form.add(rankingMethod(u"Best?"_s, { questions.at(5), questions.at(6) }));
        form.writeCollection();

        struct Case {
            QString question, stored, type, read; // type as openpyxl names it: n number, d date, s text
        };
        const QList<Case> cases {
            { u"Age"_s, u"42"_s, u"n"_s, u"42"_s },
            { u"Age"_s, u"-7"_s, u"n"_s, u"-7"_s },
            { u"Age"_s, u"abc"_s, u"s"_s, u"abc"_s }, // stored before the question took numbers
            // More digits than a cell keeps exactly.
            { u"Age"_s, u"12345678901234567"_s, u"s"_s, u"12345678901234567"_s },
            { u"Height"_s, u"1.75"_s, u"n"_s, u"1.75"_s },
            { u"Height"_s, u"0.000123456789012345"_s, u"n"_s, u"0.000123456789012345"_s },
            { u"Height"_s, u"3,5"_s, u"s"_s, u"3,5"_s },
            { u"Height"_s, u"1e5"_s, u"s"_s, u"1e5"_s },
            { u"Born"_s, u"1990-05-17"_s, u"d"_s, u"1990-05-17 00:00:00"_s },
            { u"Born"_s, u"17.05.1990"_s, u"s"_s, u"17.05.1990"_s },
            { u"Born"_s, u"2026-02-30"_s, u"s"_s, u"2026-02-30"_s },
            { u"Born"_s, u"1850-01-01"_s, u"s"_s, u"1850-01-01"_s }, // before spreadsheet dates begin
            { u"Mood"_s, u"0"_s, u"n"_s, u"0"_s },
            { u"Mood"_s, u"10"_s, u"n"_s, u"10"_s },
            { u"Phone"_s, u"0123"_s, u"s"_s, u"0123"_s },
            { u"Tea"_s, u"2"_s, u"n"_s, u"2"_s },
            { u"Coffee"_s, u"1"_s, u"n"_s, u"1"_s },
        };
        for (const Case& c : cases)
            form.answer({ { c.question, c.stored } });
        (void)form.store()->sharedKey(); // the service's, made as it starts

        const QString base = form.folder.path() + u"/answers"_s;
        for (const ExportFormat format : { ExportFormat::Xlsx, ExportFormat::Csv }) {
            const bool xlsx = format == ExportFormat::Xlsx;
            QVERIFY(exportAnswers({ .appFolder = form.folder.path(),
                                      .pageFile = u"survey.html"_s,
                                      .format = format,
                                      .outputPath = base + (xlsx ? u".xlsx"_s : u".csv"_s),
                                      .answersStore = form.folder.database() })
                        .ok());
        }
        const QJsonArray cells = readBack(u"xlsx"_s, base + u".xlsx"_s).value(u"cells"_s).toArray();
        const QList<QStringList> csv = rowsOf(readBack(u"csv"_s, base + u".csv"_s));
        QCOMPARE(cells.size(), cases.size());
        for (qsizetype i = 0; i < cases.size(); ++i) {
            const Case& c = cases.at(i);
            const int column = int(questions.indexOf(c.question)) + 3; // after Submitted, Changed and Receipt
            // Receipts are text cells, also one of digits alone.
            const QJsonArray receipt = cells.at(i).toArray().at(2).toArray();
            QCOMPARE(receipt.at(0).toString(), u"s"_s);
            QCOMPARE(receipt.at(1).toString().size(), 8);
            const QJsonArray cell = cells.at(i).toArray().at(column).toArray();
            QVERIFY2(cell.at(0).toString() == c.type && cell.at(1).toString() == c.read,
                qPrintable(c.stored + u" read back as "_s + QString::fromUtf8(QJsonDocument(cell).toJson())));
            if (c.type == u"d"_s)
                QCOMPARE(cell.at(2).toString(), u"yyyy-mm-dd"_s);
            QCOMPARE(csv.at(i + 1).at(column), c.stored);
        }
    }

    void failuresLeaveNoFile_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown form") << u"csv"_s << u"other.html"_s << u"out.csv"_s << u"is unknown"_s;
        QTest::newRow("missing table") << u"xlsx"_s << u"survey.html"_s << u"out.xlsx"_s << u"is missing"_s;
        QTest::newRow("missing folder csv")
            << u"csv"_s << u"survey.html"_s << u"no/out.csv"_s << u"cannot be written"_s;
        QTest::newRow("missing folder xlsx")
            << u"xlsx"_s << u"survey.html"_s << u"no/out.xlsx"_s << u"cannot be written"_s;
        QTest::newRow("xlsx to stdout") << u"xlsx"_s << u"survey.html"_s << u"-"_s << u"standard output"_s;
        QTest::newRow("missing folder sav")
            << u"sav"_s << u"survey.html"_s << u"no/out.sav"_s << u"cannot be written"_s;
        QTest::newRow("dta to stdout")
            << u"dta"_s << u"survey.html"_s << u"-"_s << u"cannot go to standard output"_s;
        QTest::newRow("missing table codebook")
            << u"codebook"_s << u"survey.html"_s << u"out.html"_s << u"is missing"_s;
    }

    void failuresLeaveNoFile()
    {
        QFETCH(QString, format);
        QFETCH(QString, form);
        QFETCH(QString, output);
        QFETCH(QString, message);
        ReporterFixture fixture;
        buildForm(fixture);
        if (QString::fromLatin1(QTest::currentDataTag()).startsWith(u"missing table"_s))
            QVERIFY(fixture.store()->dropTable(fixture.table()));
        // An earlier export under the same name stays as it was.
        const QString target = output == u"-"_s ? output : fixture.folder.path() + u'/' + output;
        if (output != u"-"_s && !output.contains(u'/'))
            writeBytes(target, "earlier");
        const QStringList before = QDir(fixture.folder.path()).entryList(QDir::Files | QDir::Hidden);

        const Run run = exportCommand({ u"--app-folder"_s, fixture.folder.path(), u"--form"_s, form,
            u"--format"_s, format, u"--output"_s, target });
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QCOMPARE(QDir(fixture.folder.path()).entryList(QDir::Files | QDir::Hidden), before);
        if (output != u"-"_s && !output.contains(u'/'))
            QCOMPARE(readBytes(target), QByteArray("earlier"));
    }

    /// Outputs that are the program's own files, or no files at all, are
    /// refused before anything is written, however the path reaches them; a
    /// full disk is named as such.
    void refusedOutputsWriteNothing_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("output"); // relative to the program folder
        QTest::addColumn<QString>("linkTo"); // output is a link to this, when given
        QTest::addColumn<QString>("message");
        const QString database = u"it is the answers database"_s;
        const QString forms = u"it is in the program's folder"_s;
        QTest::newRow("database through ..")
            << u"csv"_s << u"Reports/../formAnswers.mdb"_s << QString() << database;
        QTest::newRow("database's journal") << u"csv"_s << u"formAnswers.mdb-wal"_s << QString() << database;
        QTest::newRow("database through a link")
            << u"xlsx"_s << u"Reports/a.xlsx"_s << u"formAnswers.mdb"_s << database;
        QTest::newRow("collection through a link")
            << u"csv"_s << u"Reports/a.csv"_s << u"Collections/surveyCollection.txt"_s << forms;
        QTest::newRow("new page") << u"xlsx"_s << u"Reports/../HTML/new.html"_s << QString() << forms;
        QTest::newRow("dangling link") << u"csv"_s << u"Reports/a.csv"_s << u"Collections/new.csv"_s << forms;
        QTest::newRow("fifo") << u"csv"_s << u"Reports/fifo"_s << QString() << u"a named pipe"_s;
        QTest::newRow("full disk") << u"csv"_s << u"-"_s << QString() << u"No space left on device"_s;
        QTest::newRow("database through a link, sav")
            << u"sav"_s << u"Reports/a.sav"_s << u"formAnswers.mdb"_s << database;
        QTest::newRow("collection through a link, dta")
            << u"dta"_s << u"Reports/a.dta"_s << u"Collections/surveyCollection.txt"_s << forms;
        QTest::newRow("new page, codebook")
            << u"codebook"_s << u"Reports/../HTML/new.html"_s << QString() << forms;
    }

    void refusedOutputsWriteNothing()
    {
        QFETCH(QString, format);
        QFETCH(QString, output);
        QFETCH(QString, linkTo);
        QFETCH(QString, message);
        ReporterFixture form;
        buildForm(form);
        const QString root = form.folder.path() + u'/';
        if (!linkTo.isEmpty())
            QVERIFY(QFile::link(root + linkTo, root + output));
        if (output.endsWith(u"fifo"_s))
            QCOMPARE(::mkfifo(QFile::encodeName(root + output).constData(), 0600), 0);
        const QMap<QString, QByteArray> before = filesUnder(root);

        const bool toStdout = output == u"-"_s;
        const Run run
            = exportCommand(commonArgs(form, format) << u"--output"_s << (toStdout ? output : root + output),
                toStdout ? u"/dev/full"_s : QString());
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(filesUnder(root), before);
        QCOMPARE(form.store()->rowCount(form.table()).valueOr(0), 3);
    }

    /// The program folder's database is known by what it is, not by its path:
    /// naming another database does not leave it open to the export, nor does
    /// another path to it that no link resolution reveals.
    void databaseByAnotherPathIsRefused_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("reach"); // how the output reaches the folder's database
        QTest::newRow("another database named") << u"xlsx"_s << u"other database"_s;
        QTest::newRow("hard link") << u"csv"_s << u"hard link"_s;
        QTest::newRow("bind mount") << u"xlsx"_s << u"bind mount"_s;
    }

    void databaseByAnotherPathIsRefused()
    {
        QFETCH(QString, format);
        QFETCH(QString, reach);
        ReporterFixture form;
        buildForm(form);
        const QString root = form.folder.path() + u'/';
        const QString database = root + u"formAnswers.mdb"_s;
        QStringList args = commonArgs(form, format) << u"--output"_s;
        QStringList wrapper;
        ReporterFixture other;
        QTemporaryDir mountPoint;
        if (reach == u"other database"_s) {
            buildForm(other);
            args << database << u"--database"_s << other.folder.database();
        } else if (reach == u"hard link"_s) {
            const QString link = root + u"Reports/answers.csv"_s;
            QCOMPARE(::link(QFile::encodeName(database).constData(), QFile::encodeName(link).constData()), 0);
            args << link;
        } else {
            // The program folder mounted elsewhere, seen by the export alone.
            wrapper = { u"/usr/bin/unshare"_s, u"--mount"_s, u"/bin/sh"_s, u"-c"_s,
                u"mount --bind \"$1\" \"$2\" && shift 2 && exec \"$@\""_s, u"sh"_s, root, mountPoint.path() };
            if (QProcess::execute(wrapper.first(), wrapper.mid(1) << u"/bin/true"_s) != 0)
                QSKIP("Folders cannot be mounted here.");
            args << mountPoint.path() + u"/formAnswers.mdb"_s;
        }
        const QMap<QString, QByteArray> before = filesUnder(root);

        const Run run = exportCommand(args, {}, wrapper);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(u"it is the answers database"_s), qPrintable(run.err));
        QCOMPARE(filesUnder(root), before);
        QCOMPARE(form.store()->rowCount(form.table()).valueOr(0), 3);
    }

    /// The finished file goes to the folder the export began writing in,
    /// whatever the output's path comes to name while it runs, and never takes
    /// a name that has become the database's meanwhile.
    void changesDuringTheExportNeverReachTheDatabase()
    {
        ReporterFixture form;
        form.add(ElementKind::TextField, u"Your name"_s);
        form.writeCollection();
        form.answerNumbered(u"Your name"_s, 0, 5000, u"%1"_s);
        const QString root = form.folder.path();
        const QString database = root + u"/formAnswers.mdb"_s;
        const ino_t databaseInode = inodeOf(database);
        const auto exportTo
            = [&](ExportFormat format, const QString& output, const std::function<bool()>& meanwhile) {
                  bool happened = false;
                  const ExportResult result = exportAnswers({ .appFolder = root,
                                                                .pageFile = u"survey.html"_s,
                                                                .format = format,
                                                                .outputPath = output,
                                                                .answersStore = {} },
                      [&](qint64, qint64) {
                          happened = happened || meanwhile();
                          return true;
                      });
                  if (!happened)
                      qWarning("The change during the export did not happen.");
                  return happened ? result : ExportResult(Error {});
              };

        for (const ExportFormat format : { ExportFormat::Csv, ExportFormat::Xlsx }) {
            // The output's folder is a link, turned to the program folder once rows are being written.
            const QString folder = root + u"/out"_s;
            QFile::remove(folder);
            QVERIFY(QFile::link(root + u"/Reports"_s, folder));
            const ExportResult swapped = exportTo(format, folder + u"/formAnswers.mdb"_s,
                [&] { return QFile::remove(folder) && QFile::link(root, folder); });
            QVERIFY2(swapped.ok(), swapped.ok() ? "" : qPrintable(swapped.error().detail));
            QCOMPARE(inodeOf(database), databaseInode);
            const QString written = root + u"/Reports/formAnswers.mdb"_s;
            QVERIFY(readBytes(written).startsWith(format == ExportFormat::Csv ? "\xEF\xBB\xBF" : "PK"));
            QVERIFY(QFile::remove(written));

            // The output's name, made another name of the database meanwhile.
            const QString output = root + u"/Reports/answers"_s;
            const ExportResult linked = exportTo(format, output, [&] {
                return ::link(QFile::encodeName(database).constData(), QFile::encodeName(output).constData())
                    == 0;
            });
            QVERIFY(linked.failedWith(Error::Other));
            QVERIFY2(linked.error().detail.contains(u"it is the answers database"_s),
                qPrintable(linked.error().detail));
            QCOMPARE(inodeOf(output), databaseInode);
            QCOMPARE(QDir(root + u"/Reports"_s).entryList(QDir::Files | QDir::Hidden),
                QStringList { u"answers"_s });
            QVERIFY(QFile::remove(output));
        }
        QVERIFY(readBytes(database).startsWith("SQLite format 3"));
        QCOMPARE(form.store()->rowCount(form.table()).valueOr(0), 5000);
    }

    void cancelledExportLeavesNothing()
    {
        ReporterFixture form;
        form.add(ElementKind::TextField, u"Your name"_s);
        form.writeCollection();
        form.answerNumbered(u"Your name"_s, 0, 10000, u"%1"_s);

        for (const ExportFormat format : { ExportFormat::Csv, ExportFormat::Xlsx }) {
            const QString target = form.folder.path() + u"/out"_s;
            writeBytes(target, "earlier");
            qint64 lastTotal = 0;
            const ExportResult result = exportAnswers({ .appFolder = form.folder.path(),
                                                          .pageFile = u"survey.html"_s,
                                                          .format = format,
                                                          .outputPath = target,
                                                          .answersStore = {} },
                [&](qint64 done, qint64 total) {
                    lastTotal = total;
                    return done < 8000;
                });
            QVERIFY(result.failedWith(Error::Cancelled));
            QCOMPARE(lastTotal, 10000);
            QCOMPARE(readBytes(target), QByteArray("earlier"));
            QCOMPARE(QDir(form.folder.path()).entryList({ u"*out*"_s }, QDir::Files | QDir::Hidden),
                QStringList { u"out"_s });
        }
    }
};

QTEST_MAIN(TestAnswersExport)
#include "tst_answersexport.moc"
