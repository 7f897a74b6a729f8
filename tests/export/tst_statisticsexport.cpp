// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "core/TextFile.h"
#include "database/AnswersStore.h"
#include "export/AnswersExport.h"
#include "export/StatisticsExport.h"
#include "model/CollectionFile.h"
#include "model/Fragments.h"
#include "model/GridQuestion.h"
#include "model/QuestionSettings.h"
#include "reporter/ReporterFixture.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <sys/resource.h>

#include <csignal>

using namespace quenlow;
using namespace quenlow::test;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kLongText = QString(u"Sehr lange Antwort ÄÖÜ "_s).repeated(200); // over 2045 bytes

FormMethod typed(const QString& question, AnswerKind kind, bool required = false)
{
    QuestionSettings settings;
    settings.rules.kind = kind;
    settings.rules.required = required;
    if (kind == AnswerKind::WholeNumber)
        settings.rules.minimum = u"0"_s;
    return withQuestionSettings(textFieldMethod(question, u"30"_s, {}, {}), settings);
}

/// A form with a question of every kind, and answers old and new.
void buildForm(ReporterFixture& form)
{
    form.add(ElementKind::TextField, u"Your name"_s);
    form.add(ElementKind::RadioButtons, u"How much do you agree?"_s,
        { u"Disagree"_s, u"Neutral"_s, u"Agree"_s, u"Strongly agree"_s });
    // Answers typed after "Other:" are stored as typed, like an option since renamed.
    QuestionSettings other;
    other.otherAnswer = true;
    form.add(withQuestionSettings(
        radioButtonsMethod(u"Transport"_s, { u"Bus"_s, u"Bike"_s }, noDefaultOption()), other));
    FormMethod box;
    box.kind = ElementKind::CheckBox;
    box.userInstruction = u"Tea"_s;
    QuestionSettings drinks;
    drinks.questionText = u"What do you drink?"_s;
    form.add(withQuestionSettings(box, drinks));
    form.add(scaleMethod(u"Mood"_s, { 1, 5, u"Low"_s, u"High"_s }));
    form.add(typed(u"Age"_s, AnswerKind::WholeNumber, true));
    form.add(typed(u"Born"_s, AnswerKind::Date));
    form.add(ElementKind::TextArea, u"Comments"_s);
    form.writeCollection();
    AnswersStore::NewRow row;
    row.table = form.table();
    row.values = { { u"Your name"_s, u"Ann"_s }, { u"How much do you agree?"_s, u"Agree"_s },
        { u"Tea"_s, u"Checked"_s }, { u"Mood"_s, u"5"_s }, { u"Age"_s, u"42"_s },
        { u"Born"_s, u"1990-05-17"_s }, { u"Comments"_s, kLongText }, { u"Transport"_s, u"Bike"_s } };
    row.arrivedAt = QDateTime(QDate(2026, 12, 6), QTime(15, 4, 5), Qt::UTC);
    row.token = u"page"_s;
    QVERIFY(form.store()->insertRows({ row }));
    // An option since renamed, and nothing much else.
    form.answer({ { u"Your name"_s, u"Ζωή"_s }, { u"How much do you agree?"_s, u"Agree a lot"_s },
        { u"Tea"_s, u"Not Checked"_s }, { u"Mood"_s, u"1"_s },
        { u"Transport"_s, u"Ferry, then on foot"_s } });
}

Result<Exported> exportTo(ReporterFixture& form, ExportFormat format, const QString& path)
{
    return exportAnswers({ .appFolder = form.folder.path(),
        .pageFile = u"survey.html"_s,
        .format = format,
        .outputPath = path,
        .answersStore = form.folder.database() });
}

/// The .dta file as the Python reader next to this test reads it back (see
/// readback.py); empty when it could not, what it printed on errors in `errors`.
QJsonObject readBack(const QString& dta, QByteArray* errors = nullptr)
{
    QProcess python;
    python.start(u"/usr/bin/python3"_s,
        { QStringLiteral(QUENLOW_SOURCE_DIR "/tests/export/readback.py"), u"dta"_s, dta });
    if (!python.waitForFinished(60000))
        return {};
    if (errors)
        *errors = python.readAllStandardError();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

} // namespace

class TestStatisticsExport : public QObject
{
    Q_OBJECT

private slots:
    void variableNamesAreValidUniqueAndStable()
    {
        const QStringList columns { u"Your name"_s, u"your name"_s, u"1st choice"_s, u"Größe?"_s,
            u"Submitted"_s, u"if"_s, u"A question far longer than thirty-two characters, one"_s,
            u"A question far longer than thirty-two characters, two"_s, u"Страна"_s };
        QCOMPARE(variableNames(columns, StatisticsFormat::Dta),
            QStringList({ u"Submitted"_s, u"Changed"_s, u"Your_name"_s, u"your_name_2"_s, u"Q1st_choice"_s,
                u"Gro_e"_s, u"Submitted_2"_s, u"if_2"_s, u"A_question_far_longer_than_thi_2"_s,
                u"A_question_far_longer_than_thi_3"_s, u"Q"_s }));
        const QStringList sav = variableNames(columns, StatisticsFormat::Sav);
        QCOMPARE(sav.at(8), u"A_question_far_longer_than_thirty_two_characters_one"_s);
        QCOMPARE(sav.at(9), u"A_question_far_longer_than_thirty_two_characters_two"_s);
        const QStringList longer { QString(70, u'x'), QString(70, u'x') + u'y' };
        QCOMPARE(variableNames(longer, StatisticsFormat::Sav).mid(2),
            QStringList({ QString(62, u'x') + u"_2"_s, QString(62, u'x') + u"_3"_s }));
    }

    void savReadsBackInPspp()
    {
        const QString pspp = QStandardPaths::findExecutable(u"pspp"_s);
        if (pspp.isEmpty())
            QSKIP("PSPP is not installed (Debian package pspp): no other program to read the file back");
        ReporterFixture form;
        buildForm(form);
        const QString file = form.folder.path() + u"/answers.sav"_s;
        const auto exported = exportTo(form, ExportFormat::Sav, file);
        QVERIFY2(exported.ok(), exported.ok() ? "" : qPrintable(exported.error().detail));
        QCOMPARE(exported->rows, 2);
        const QString syntax = form.folder.path() + u"/read.sps"_s;
        writeBytes(syntax,
            "GET FILE='" + file.toUtf8()
                + "'.\nDISPLAY FILE LABEL.\nDISPLAY DICTIONARY.\n"
                  "LIST /VARIABLES=Submitted TO Born.\n"
                  "COMPUTE long=LENGTH(RTRIM(Comments)).\nLIST /VARIABLES=long.\n");
        QProcess run;
        run.start(pspp,
            { u"-o"_s, form.folder.path() + u"/out.txt"_s, u"-O"_s, u"format=txt"_s, u"-O"_s,
                u"box=unicode"_s, u"-O"_s, u"width=200"_s, syntax });
        QVERIFY(run.waitForFinished(60000));
        const QString out = QString::fromUtf8(readBytes(form.folder.path() + u"/out.txt"_s));
        QVERIFY2(run.exitCode() == 0 && !out.contains(u"error"_s, Qt::CaseInsensitive), qPrintable(out));
        const auto has
            = [&](const QString& text) { QVERIFY2(out.contains(text), qPrintable(text + u"\n"_s + out)); };
        // Name, label, measurement level and format, one line each.
        const auto variable = [&](const QString& name, const QStringList& cells) {
            qsizetype at = out.indexOf(u"│"_s + name + u' ');
            at = at < 0 ? out.indexOf(u"│"_s + name + u"│"_s) : at;
            const QString line = at < 0 ? QString() : out.mid(at, out.indexOf(u'\n', at) - at);
            for (const QString& cell : cells)
                QVERIFY2(line.contains(u"│"_s + cell + u' ') || line.contains(u"│"_s + cell + u"│"_s),
                    qPrintable(name + u": "_s + line));
        };
        variable(u"How_much_do_you_agree"_s, { u"How much do you agree?"_s, u"Nominal"_s, u"F8.0"_s });
        variable(u"Tea"_s, { u"What do you drink?: Tea"_s, u"Nominal"_s });
        variable(u"Mood"_s, { u"Ordinal"_s });
        variable(u"Age"_s, { u"Scale"_s, u"F8.0"_s });
        variable(u"Born"_s, { u"DATE11"_s });
        variable(u"Submitted"_s, { u"DATETIME20.0"_s });
        variable(u"Comments"_s, { u"A5200"_s }); // longer than 255 bytes: a very long string
        has(u"survey"_s); // the file label
        for (const QString& value :
            { u"1│Disagree "_s, u"3│Agree "_s, u"4│Strongly agree"_s, u"5│Agree a lot"_s,
                u"3│Ferry, then on foot"_s, u"0│Not Checked"_s, u"1│Checked "_s, u"1│Low "_s, u"5│High "_s })
            has(value);
        // The cases: codes, numbers, dates, the arrival time, the long answer whole.
        has(u"06-DEC-2026 15:04:05"_s);
        has(u"17-MAY-1990"_s);
        has(u"Ζωή"_s);
        has(u"5199"_s); // bytes, without the trailing blank that RTRIM takes
    }

    void dtaReadsBackInPandas()
    {
        QProcess probe;
        probe.start(u"/usr/bin/python3"_s, { u"-c"_s, u"import pandas"_s });
        if (!probe.waitForFinished(60000) || probe.exitCode() != 0)
            QSKIP(
                "pandas is not installed (Debian package python3-pandas): no other program to read the file");
        ReporterFixture form;
        buildForm(form);
        const QString file = form.folder.path() + u"/answers.dta"_s;
        const auto exported = exportTo(form, ExportFormat::Dta, file);
        QVERIFY2(exported.ok(), exported.ok() ? "" : qPrintable(exported.error().detail));
        QByteArray errors;
        const QJsonObject read = readBack(file, &errors);
        QVERIFY2(!read.isEmpty(), errors.constData());
        QCOMPARE(read.value(u"columns"_s).toArray().toVariantList(),
            QVariantList({ u"Submitted"_s, u"Changed"_s, u"Your_name"_s, u"How_much_do_you_agree"_s,
                u"Transport"_s, u"Tea"_s, u"Mood"_s, u"Age"_s, u"Born"_s, u"Comments"_s }));
        const QJsonObject labels = read.value(u"labels"_s).toObject();
        QCOMPARE(labels.value(u"Tea"_s).toString(), u"What do you drink?: Tea"_s);
        QCOMPARE(labels.value(u"How_much_do_you_agree"_s).toString(), u"How much do you agree?"_s);
        const QJsonObject values = read.value(u"values"_s).toObject();
        QCOMPARE(values.value(u"How_much_do_you_agree"_s).toObject().toVariantMap(),
            QVariantMap({ { u"1"_s, u"Disagree"_s }, { u"2"_s, u"Neutral"_s }, { u"3"_s, u"Agree"_s },
                { u"4"_s, u"Strongly agree"_s }, { u"5"_s, u"Agree a lot"_s } }));
        QCOMPARE(values.value(u"Transport"_s).toObject().toVariantMap(),
            QVariantMap(
                { { u"1"_s, u"Bus"_s }, { u"2"_s, u"Bike"_s }, { u"3"_s, u"Ferry, then on foot"_s } }));
        QCOMPARE(values.value(u"Tea"_s).toObject().toVariantMap(),
            QVariantMap({ { u"0"_s, u"Not Checked"_s }, { u"1"_s, u"Checked"_s } }));
        QCOMPARE(values.value(u"Mood"_s).toObject().toVariantMap(),
            QVariantMap({ { u"1"_s, u"Low"_s }, { u"5"_s, u"High"_s } }));
        QCOMPARE(
            read.value(u"fileLabel"_s).toString(), form.session.collection().atPosition(0).userInstruction);
        const QJsonArray rows = read.value(u"rows"_s).toArray();
        QCOMPARE(rows.size(), 2);
        const QVariantList first = rows.at(0).toArray().toVariantList();
        QCOMPARE(first.at(0).toString(), u"2026-12-06 15:04:05"_s);
        QVERIFY(first.at(1).isNull());
        QCOMPARE(first.mid(2, 6), QVariantList({ u"Ann"_s, 3, 2, 1, 5, 42 }));
        QCOMPARE(first.at(8).toString(), u"1990-05-17 00:00:00"_s);
        QCOMPARE(first.at(9).toString(), kLongText); // a strL, whole
        const QVariantList second = rows.at(1).toArray().toVariantList();
        QCOMPARE(second.mid(2, 5), QVariantList({ u"Ζωή"_s, 5, 3, 0, 1 }));
        QVERIFY(second.at(7).isNull()); // no answer: missing, not 0
        QCOMPARE(second.at(9).toString(), QString());
    }

    // A grid's statements are variables of their own: numeric, ordinal, the
    // grid's answers coded 1 to N in order, labelled "QUESTION: STATEMENT".
    void gridStatementsAreOrdinalCodes()
    {
        const QString pspp = QStandardPaths::findExecutable(u"pspp"_s);
        if (pspp.isEmpty())
            QSKIP("PSPP is not installed (Debian package pspp): no other program to read the file back");
        ReporterFixture form;
        form.add(gridMethod(u"How much do you agree?"_s,
            { { u"Pace"_s, u"Room"_s }, { u"Disagree"_s, u"Neutral"_s, u"Agree"_s } }));
        form.writeCollection();
        form.answerMany(
            { { { u"Pace"_s, u"Agree"_s }, { u"Room"_s, u"Disagree"_s } }, { { u"Room"_s, u"Neutral"_s } } });
        const QString file = form.folder.path() + u"/grid.sav"_s;
        const auto exported = exportTo(form, ExportFormat::Sav, file);
        QVERIFY2(exported.ok(), exported.ok() ? "" : qPrintable(exported.error().detail));
        const QString syntax = form.folder.path() + u"/read.sps"_s;
        writeBytes(syntax, "GET FILE='" + file.toUtf8() + "'.\nDISPLAY DICTIONARY.\n");
        QProcess run;
        run.start(pspp,
            { u"-o"_s, form.folder.path() + u"/out.txt"_s, u"-O"_s, u"format=txt"_s, u"-O"_s,
                u"box=unicode"_s, u"-O"_s, u"width=200"_s, syntax });
        QVERIFY(run.waitForFinished(60000));
        const QString out = QString::fromUtf8(readBytes(form.folder.path() + u"/out.txt"_s));
        QVERIFY2(run.exitCode() == 0 && !out.contains(u"error"_s, Qt::CaseInsensitive), qPrintable(out));
        const auto lineOf = [&](const QString& name) {
            const qsizetype at = out.indexOf(u"│"_s + name + u' ');
            return at < 0 ? QString() : out.mid(at, out.indexOf(u'\n', at) - at);
        };
        for (const QString& row : { u"Pace"_s, u"Room"_s }) {
            const QString line = lineOf(row);
            QVERIFY2(line.contains(u"How much do you agree?: "_s + row) && line.contains(u"Ordinal"_s)
                    && line.contains(u"F8.0"_s),
                qPrintable(line));
        }
        for (const QString& value : { u"1│Disagree"_s, u"2│Neutral"_s, u"3│Agree"_s })
            QVERIFY2(out.contains(value), qPrintable(value + u"\n"_s + out));
        // The cases, read back by another program from the Stata file: codes, none where unanswered.
        const QString dta = form.folder.path() + u"/grid.dta"_s;
        QVERIFY(exportTo(form, ExportFormat::Dta, dta).ok());
        const QJsonObject read = readBack(dta);
        if (read.isEmpty())
            QSKIP("pandas could not read the file back (Debian package python3-pandas)");
        const QJsonArray rows = read.value(u"rows"_s).toArray();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0).toArray().toVariantList().mid(2), QVariantList({ 3, 1 }));
        QVERIFY(rows.at(1).toArray().at(2).isNull());
        QCOMPARE(rows.at(1).toArray().at(3).toInt(), 2);
        QCOMPARE(read.value(u"labels"_s).toObject().value(u"Room"_s).toString(),
            u"How much do you agree?: Room"_s);
    }

    // A ranking's options are variables of their own: numeric places (no
    // labels of values), ordinal, labelled "QUESTION: OPTION".
    void rankingPlacesAreOrdinalNumbers()
    {
        const QString pspp = QStandardPaths::findExecutable(u"pspp"_s);
        if (pspp.isEmpty())
            QSKIP("PSPP is not installed (Debian package pspp): no other program to read the file back");
        ReporterFixture form;
        form.add(rankingMethod(u"Best?"_s, { u"Tea"_s, u"Coffee"_s }));
        form.writeCollection();
        form.answerMany({ { { u"Tea"_s, u"2"_s }, { u"Coffee"_s, u"1"_s } }, { { u"Tea"_s, QString() } } });
        const QString file = form.folder.path() + u"/ranking.sav"_s;
        const auto exported = exportTo(form, ExportFormat::Sav, file);
        QVERIFY2(exported.ok(), exported.ok() ? "" : qPrintable(exported.error().detail));
        const QString syntax = form.folder.path() + u"/read.sps"_s;
        writeBytes(syntax, "GET FILE='" + file.toUtf8() + "'.\nDISPLAY DICTIONARY.\nLIST.\n");
        QProcess run;
        run.start(pspp,
            { u"-o"_s, form.folder.path() + u"/out.txt"_s, u"-O"_s, u"format=txt"_s, u"-O"_s,
                u"box=unicode"_s, u"-O"_s, u"width=200"_s, syntax });
        QVERIFY(run.waitForFinished(60000));
        const QString out = QString::fromUtf8(readBytes(form.folder.path() + u"/out.txt"_s));
        QVERIFY2(run.exitCode() == 0 && !out.contains(u"error"_s, Qt::CaseInsensitive), qPrintable(out));
        for (const QString& option : { u"Tea"_s, u"Coffee"_s }) {
            const qsizetype at = out.indexOf(u"│"_s + option + u' ');
            const QString line = at < 0 ? QString() : out.mid(at, out.indexOf(u'\n', at) - at);
            QVERIFY2(line.contains(u"Best?: "_s + option) && line.contains(u"Ordinal"_s)
                    && line.contains(u"F8.0"_s),
                qPrintable(line));
        }
        QVERIFY2(!out.contains(u"Value Labels"_s), qPrintable(out));
        const QString dta = form.folder.path() + u"/ranking.dta"_s;
        QVERIFY(exportTo(form, ExportFormat::Dta, dta).ok());
        const QJsonObject read = readBack(dta);
        if (read.isEmpty())
            QSKIP("pandas could not read the file back (Debian package python3-pandas)");
        const QJsonArray rows = read.value(u"rows"_s).toArray();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0).toArray().toVariantList().mid(2), QVariantList({ 2, 1 }));
        QVERIFY(rows.at(1).toArray().at(2).isNull());
        QCOMPARE(read.value(u"labels"_s).toObject().value(u"Coffee"_s).toString(), u"Best?: Coffee"_s);
    }

    // A check box group's answers typed after "Other:" are a text of their own,
    // labelled "QUESTION: Other", never coded as a tick.
    void aGroupsOtherAnswersAreText()
    {
        ReporterFixture form;
        QuestionSettings drinks;
        drinks.questionText = u"Drinks?"_s;
        drinks.otherAnswer = true;
        form.add(withQuestionSettings(checkBoxMethod(u"Tea"_s, true, false), drinks));
        form.writeCollection();
        form.answerMany({ { { u"Tea"_s, u"Checked"_s }, { u"Drinks?: Other"_s, u"Mate"_s } },
            { { u"Tea"_s, u"Not Checked"_s } } });
        const QString dta = form.folder.path() + u"/other.dta"_s;
        const auto exported = exportTo(form, ExportFormat::Dta, dta);
        QVERIFY2(exported.ok(), exported.ok() ? "" : qPrintable(exported.error().detail));
        const QJsonObject read = readBack(dta);
        if (read.isEmpty())
            QSKIP("pandas could not read the file back (Debian package python3-pandas)");
        QCOMPARE(read.value(u"columns"_s).toArray().toVariantList().mid(2),
            QVariantList({ u"Tea"_s, u"Drinks_Other"_s }));
        QCOMPARE(read.value(u"labels"_s).toObject().value(u"Drinks_Other"_s).toString(), u"Drinks?: Other"_s);
        QVERIFY(!read.value(u"values"_s).toObject().contains(u"Drinks_Other"_s));
        const QJsonArray rows = read.value(u"rows"_s).toArray();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0).toArray().toVariantList().mid(2), QVariantList({ 1, u"Mate"_s }));
        QCOMPARE(rows.at(1).toArray().at(3).toString(), QString());
    }

    void codebookDescribesEachQuestion()
    {
        ReporterFixture form;
        buildForm(form);
        const QString file = form.folder.path() + u"/codebook.html"_s;
        QVERIFY(exportTo(form, ExportFormat::Codebook, file).ok());
        const QString page = QString::fromUtf8(readBytes(file));
        const auto section = [&](const QString& name) {
            const qsizetype at = page.indexOf(u"<h2>"_s + name + u"</h2>"_s);
            return at < 0 ? QString() : page.mid(at, page.indexOf(u"</section>"_s, at) - at);
        };
        const QString agree = section(u"How_much_do_you_agree"_s);
        QVERIFY2(agree.contains(u"<td class=\"n\">3</td><td>Agree</td><td class=\"n\">1</td>"_s),
            qPrintable(agree));
        QVERIFY(agree.contains(u"<td class=\"n\">5</td><td>Agree a lot</td><td class=\"n\">1</td>"_s));
        QVERIFY(agree.contains(u"<td class=\"n\">1</td><td>Disagree</td><td class=\"n\">0</td>"_s));
        const QString age = section(u"Age"_s);
        QVERIFY2(age.contains(u"<dt>Required</dt><dd>yes</dd>"_s)
                && age.contains(u"<dt>At least</dt><dd>0</dd>"_s)
                && age.contains(u"<dt>Answers</dt><dd>1</dd>"_s),
            qPrintable(age));
        QVERIFY(section(u"Mood"_s).contains(u"<td class=\"n\">3</td><td></td><td class=\"n\">0</td>"_s));
        QVERIFY(section(u"Tea"_s).contains(u"What do you drink?: Tea"_s));
    }

    /// The files are the same, byte for byte, as those the export has always
    /// made of these answers (but for the moment of writing each file carries).
    void filesStayAsTheyWere()
    {
        ReporterFixture form;
        buildForm(form);
        FormMethod rooms;
        rooms.kind = ElementKind::Grid;
        rooms.userInstruction = u"Rate the rooms"_s;
        setGrid(rooms, { { u"Kitchen"_s, u"Hall"_s }, { u"Poor"_s, u"Fair"_s, u"Good"_s } });
        form.add(rooms);
        form.writeCollection();
        // Fixed times: a row sent again with other answers has a change time too.
        const auto row = [&](const QList<std::pair<QString, std::optional<QString>>>& values, int minute,
                             const QString& token = {}) {
            AnswersStore::NewRow r;
            r.table = form.table();
            r.values = values;
            r.arrivedAt = QDateTime(QDate(2026, 12, 7), QTime(9, minute), Qt::UTC);
            r.token = token;
            return r;
        };
        QVERIFY(form.store()->insertRows(
            { row({ { u"Your name"_s, u"Bo"_s }, { u"Age"_s, u"7"_s }, { u"Kitchen"_s, u"Good"_s } }, 1,
                  u"t"_s),
                row({ { u"Age"_s, u"about forty"_s }, { u"Mood"_s, u"9"_s }, { u"Hall"_s, u"Awful"_s },
                        { u"Born"_s, u"1999-02-30"_s }, { u"Transport"_s, u"Tram"_s } },
                    2),
                row({ { u"Mood"_s, u"0"_s }, { u"Transport"_s, u"Tram"_s }, { u"Tea"_s, u"Checked"_s },
                        { u"Comments"_s, QString() } },
                    3) }));
        QVERIFY(form.store()->insertRows(
            { row({ { u"Your name"_s, u"Bo again"_s }, { u"Kitchen"_s, u"Fair"_s } }, 4, u"t"_s) }));
        const bool update = qEnvironmentVariableIsSet("QUENLOW_UPDATE_EXPORTS");
        for (const auto& [format, name] : { std::pair { ExportFormat::Sav, u"answers.sav"_s },
                 std::pair { ExportFormat::Dta, u"answers.dta"_s },
                 std::pair { ExportFormat::Codebook, u"codebook.html"_s } }) {
            const QString file = form.folder.path() + u'/' + name;
            const auto exported = exportTo(form, format, file);
            QVERIFY2(exported.ok(), exported.ok() ? "" : qPrintable(exported.error().detail));
            QCOMPARE(exported->rows, 5);
            QByteArray bytes = readBytes(file);
            // The moment of writing: SPSS's creation date and time, Stata's time stamp.
            if (format == ExportFormat::Sav)
                bytes.replace(92, 17, QByteArray(17, '*'));
            else if (const qsizetype at = bytes.indexOf("<timestamp>");
                     format == ExportFormat::Dta && at >= 0)
                bytes.replace(at + 12, quint8(bytes.at(at + 11)), QByteArray(quint8(bytes.at(at + 11)), '*'));
            const QString expected = QStringLiteral(QUENLOW_TEST_DATA "/") + name;
            if (update)
                writeBytes(expected, bytes);
            QVERIFY2(bytes == readBytes(expected), qPrintable(name));
        }
    }

    /// A disk that fills while the answers are set aside: the export says so,
    /// and the file it was to replace stays as it was, with nothing beside it.
    void aFullDiskLeavesTheTargetAsItWas()
    {
        ReporterFixture form;
        form.add(ElementKind::TextArea, u"Comments"_s);
        form.writeCollection();
        QList<QList<QPair<QString, QString>>> answers;
        for (int i = 0; i < 2000; ++i)
            answers.append(
                { { u"Comments"_s, u"A comment of some length, number %1."_s.arg(i).repeated(4) } });
        form.answerMany(answers);
        const QString target = form.folder.path() + u"/out/answers.sav"_s;
        QVERIFY(QDir().mkpath(form.folder.path() + u"/out"_s));
        writeBytes(target, "as it was");
        // Files of this process may grow to 128 KiB: the rows set aside need more.
        rlimit before {};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &before) == 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = before;
        small.rlim_cur = 128 * 1024;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        const auto exported = exportTo(form, ExportFormat::Sav, target);
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!exported.ok());
        QCOMPARE(exported.error().kind, Error::Io);
        QVERIFY2(exported.error().detail.startsWith(u"The file '"_s)
                && exported.error().detail.contains(u"cannot be written"_s),
            qPrintable(exported.error().detail));
        QCOMPARE(readBytes(target), QByteArray("as it was"));
        QCOMPARE(QDir(form.folder.path() + u"/out"_s).entryList(QDir::Files | QDir::Hidden),
            QStringList { u"answers.sav"_s });
        // With room again, the same export goes through.
        QVERIFY(exportTo(form, ExportFormat::Sav, target).ok());
    }

    /// Forms past a format's limits: 2,000 questions go out; a Stata file's
    /// variable limit is said plainly, and nothing is left behind.
    void largeFormsAndTheirLimits()
    {
        ReporterFixture form;
        // Neither store holds 2,000 columns in one table: the later questions'
        // columns are missing, as in a table that lost them, and go out empty.
        for (int i = 0; i < 2000; ++i) {
            FormMethod m;
            m.kind = i % 3 ? ElementKind::TextField : ElementKind::RadioButtons;
            m.userInstruction = u"Question %1"_s.arg(i);
            if (m.kind == ElementKind::RadioButtons)
                m.attribute6List = { u"Yes"_s, u"No"_s };
            if (i < 200)
                form.add(m);
            else
                form.session.changeableCollection().append(m);
        }
        form.writeCollection();
        form.answer({ { u"Question 199"_s, u"No"_s } });
        for (const ExportFormat format : { ExportFormat::Sav, ExportFormat::Dta }) {
            const auto exported = exportTo(form, format, form.folder.path() + u"/big"_s);
            QVERIFY2(exported.ok(), exported.ok() ? "" : qPrintable(exported.error().detail));
        }
        // The questions only in the element list; their columns are not needed to be refused.
        MethodCollection& methods = form.session.changeableCollection();
        for (int i = 2000; i < kMaxStataVariables - 1; ++i) {
            FormMethod m;
            m.kind = ElementKind::TextField;
            m.userInstruction = u"Question %1"_s.arg(i);
            methods.append(m);
        }
        form.writeCollection();
        const QStringList before = QDir(form.folder.path()).entryList(QDir::Files);
        const auto refused = exportTo(form, ExportFormat::Dta, form.folder.path() + u"/huge.dta"_s);
        QVERIFY(!refused.ok());
        QVERIFY2(refused.error().detail.contains(u"a Stata file holds at most 32767 variables"_s),
            qPrintable(refused.error().detail));
        QCOMPARE(QDir(form.folder.path()).entryList(QDir::Files), before);
    }
};

QTEST_MAIN(TestStatisticsExport)
#include "tst_statisticsexport.moc"
