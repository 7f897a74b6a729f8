// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "export/XlsForm.h"
#include "model/Fragments.h"
#include "model/QuestionSettings.h"
#include "support/FormBuilder.h"
#include "support/TestProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace quenlow;
using namespace quenlow::test;
using namespace Qt::Literals::StringLiterals;

namespace {

/// Runs tests/export/xlsforms.py with Debian's Python, which has openpyxl.
QByteArray xlsforms(const QString& kind, const QString& path)
{
    QProcess python;
    python.start(u"/usr/bin/python3"_s,
        { QStringLiteral(QUENLOW_SOURCE_DIR "/tests/export/xlsforms.py"), kind, path });
    python.waitForFinished(60000);
    if (python.exitCode() != 0)
        qWarning("%s", python.readAllStandardError().constData());
    return python.readAllStandardOutput();
}

QuestionSettings asked(bool required, AnswerKind kind = AnswerKind::AnyText, const QString& min = {},
    const QString& max = {}, const AskCondition& condition = {}, const QString& questionText = {})
{
    QuestionSettings s;
    s.rules = { required, kind, min, max };
    s.condition = condition;
    s.questionText = questionText;
    return s;
}

QuestionSettings withOther(QuestionSettings s)
{
    s.otherAnswer = true;
    return s;
}

/// An element as a reader compares it: its row, options, default and settings.
QString described(const FormMethod& m)
{
    return m.rowText() + u" | "_s + m.attribute6List.join(QLatin1Char('/')) + u" | "_s + m.attribute4
        + QLatin1Char(',') + m.attribute5 + QLatin1Char(',') + m.attribute6 + u" | "_s
        + keyLinesText(m.settings).replace(u"\r\n"_s, u";"_s);
}

QStringList described(const QList<FormMethod>& elements)
{
    QStringList lines;
    for (const FormMethod& m : elements)
        lines.append(described(m));
    return lines;
}

} // namespace

class TestXlsForm : public QObject
{
    Q_OBJECT
private slots:
    void formOfFieldToolImports();
    void roundTripKeepsTheForm();
    void refusesWhatItCannotTake_data();
    void refusesWhatItCannotTake();
    void exportRefusesAndWritesNothing();
    void commandLineWritesTheForm();
};

void TestXlsForm::formOfFieldToolImports()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"field.xlsx"_s);
    xlsforms(u"fieldtool"_s, path);
    const auto read = readXlsForm(path);
    QVERIFY2(read.ok(), qPrintable(read.ok() ? QString() : read.error().detail));
    QCOMPARE(read->title, u"Field survey"_s);
    QCOMPARE(read->formId, u"field_survey"_s);
    // The default language's texts; metadata rows show nothing; a group
    // without field-list is its label; a hint stands under its question.
    const QString consent = u"Do you agree to take part?"_s;
    const QList<FormMethod> expected {
        plainTextMethod(u"About you"_s),
        withQuestionSettings(textFieldMethod(u"Your name"_s, u"30"_s, {}, {}), asked(true)),
        plainTextMethod(u"As on your identity card"_s),
        withQuestionSettings(textFieldMethod(u"Phone"_s, u"30"_s, {}, {}), asked(true, AnswerKind::Phone)),
        withQuestionSettings(
            radioButtonsMethod(consent, { u"Yes"_s, u"No"_s }, noDefaultOption()), asked(true)),
        withQuestionSettings(checkBoxMethod(u"Money"_s, true, false),
            asked(false, AnswerKind::AnyText, {}, {}, { consent, u"Yes"_s }, u"Topics you follow"_s)),
        withQuestionSettings(checkBoxMethod(u"Health"_s, true, false),
            asked(false, AnswerKind::AnyText, {}, {}, { consent, u"Yes"_s }, u"Topics you follow"_s)),
        withQuestionSettings(textFieldMethod(u"Monthly income"_s, u"30"_s, {}, {}),
            asked(false, AnswerKind::Number, u"0"_s, {}, { u"Money"_s, u"Checked"_s })),
        scaleMethod(u"How do you feel today?"_s, ScaleQuestion { 0, 4, {}, {} }),
        plainTextMethod(u"Thank you!"_s),
        submitButtonMethod(u"Submit"_s, false, u"Reset Form"_s),
    };
    QCOMPARE(described(read->elements), described(expected));
    QCOMPARE(read->elements, expected);
}

void TestXlsForm::roundTripKeepsTheForm()
{
    TestProgramFolder folder;
    const QString colour = u"Favourite colour"_s;
    const QList<FormMethod> elements {
        FormMethod {
            u"<header>"_s, u"Round trip"_s, ElementKind::Header, {}, u"7"_s, u"Centre"_s, {}, {}, {}, {} },
        plainTextMethod(u"Please answer <b>every</b> question."_s),
        pageBreakMethod(u"About you"_s),
        withQuestionSettings(textFieldMethod(u"Name"_s, u"30"_s, {}, u"n/a"_s), asked(true)),
        withQuestionSettings(textFieldMethod(u"Age"_s, u"30"_s, {}, {}),
            asked(true, AnswerKind::WholeNumber, u"18"_s, u"99"_s)),
        withQuestionSettings(textFieldMethod(u"Born"_s, u"30"_s, {}, {}),
            asked(false, AnswerKind::Date, u"1900-01-01"_s, u"2026-12-31"_s)),
        withQuestionSettings(textFieldMethod(u"Weight"_s, u"30"_s, {}, {}), asked(false, AnswerKind::Number)),
        withQuestionSettings(textFieldMethod(u"Mobile"_s, u"30"_s, {}, {}), asked(false, AnswerKind::Phone)),
        textAreaMethod(u"Comments"_s, u"5"_s, u"40"_s, u"None"_s),
        pageBreakMethod(u"Your choices"_s),
        // "Other:" with a box to type in, on the radio buttons and on the group's first box.
        withQuestionSettings(
            radioButtonsMethod(colour, { u"Red"_s, u"Green & blue"_s, u"It's grey"_s }, u"Red"_s),
            withOther(asked(false))),

        withQuestionSettings(
            pullDownMenuMethod(u"Country"_s, u"1"_s, { u"Chile"_s, u"Peru"_s }, noDefaultOption()),
            asked(false, AnswerKind::AnyText, {}, {}, { colour, u"It's grey"_s })),
        withQuestionSettings(
            checkBoxMethod(u"Tea"_s, true, true), withOther(asked(true, {}, {}, {}, {}, u"Drinks"_s))),
        withQuestionSettings(
            checkBoxMethod(u"Coffee"_s, true, false), asked(true, {}, {}, {}, {}, u"Drinks"_s)),
        checkBoxMethod(u"I agree"_s, true, false),
        withQuestionSettings(textFieldMethod(u"How much coffee?"_s, u"30"_s, {}, {}),
            asked(false, AnswerKind::AnyText, {}, {}, { u"Coffee"_s, u"Checked"_s })),
        scaleMethod(u"Satisfaction"_s, ScaleQuestion { 1, 5, u"Not at all"_s, u"Very much"_s }),
        withQuestionSettings(textFieldMethod(u"Why so low?"_s, u"30"_s, {}, {}),
            asked(false, AnswerKind::AnyText, {}, {}, { u"Satisfaction"_s, u"1"_s })),
        withQuestionSettings(textFieldMethod(u"Signed"_s, u"30"_s, {}, {}),
            asked(false, AnswerKind::AnyText, {}, {}, { u"I agree"_s, u"Checked"_s })),
        withQuestionSettings(
            rankingMethod(u"Put these in order"_s, { u"Radio"_s, u"TV & phone"_s, u"Papers"_s }),
            asked(true)),
        submitButtonMethod(u"Send"_s, true, u"Clear"_s),
    };
    const QString path = folder.path() + u"/round.xlsx"_s;
    const auto written = writeXlsForm(elements, u"roundtrip"_s, folder.path(), path);
    QVERIFY2(written.ok(), qPrintable(written.ok() ? QString() : written.error().detail));

    // Another program reads the three sheets.
    const QJsonObject sheets
        = QJsonDocument::fromJson(xlsforms(u"read"_s, path)).object().value(u"sheets"_s).toObject();
    QCOMPARE(sheets.keys(), (QStringList { u"choices"_s, u"settings"_s, u"survey"_s }));
    QCOMPARE(sheets.value(u"settings"_s).toArray().at(1).toArray().at(0).toString(), u"Round trip"_s);

    const auto read = readXlsForm(path);
    QVERIFY2(read.ok(), qPrintable(read.ok() ? QString() : read.error().detail));
    QCOMPARE(read->title, u"Round trip"_s);
    QCOMPARE(read->formId, u"roundtrip"_s);
    QCOMPARE(described(read->elements), described(elements.mid(1)));
    QCOMPARE(read->elements, elements.mid(1));
}

void TestXlsForm::refusesWhatItCannotTake_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("problem");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QList<XlsFormRow>>("rows");
    QTest::newRow("repeat and calculation")
        << u"repeat"_s << int(XlsFormProblem::Unsupported) << QString()
        << QList<XlsFormRow> { { 2, u"begin_repeat"_s, u"person"_s }, { 4, u"end_repeat"_s, {} },
               { 14, u"calculate"_s, u"total"_s }, { 15, u"geopoint"_s, u"where"_s } };
    // A ranking of one choice puts nothing in order.
    QTest::newRow("ranking of one") << u"rankone"_s << int(XlsFormProblem::Unsupported) << QString()
                                    << QList<XlsFormRow> { { 12, u"rank one"_s, u"ranked"_s } };
    QTest::newRow("no survey sheet") << u"nosurvey"_s << int(XlsFormProblem::NoSurveySheet) << QString()
                                     << QList<XlsFormRow> {};
    QTest::newRow("missing choice list")
        << u"missinglist"_s << int(XlsFormProblem::MissingChoiceList) << u"assets"_s
        << QList<XlsFormRow> { { 8, u"select_multiple assets"_s, u"assets"_s } };
    QTest::newRow("two questions of one name")
        << u"duplicate"_s << int(XlsFormProblem::DuplicateName) << u"village"_s
        << QList<XlsFormRow> { { 4, u"text"_s, u"village"_s }, { 12, u"text"_s, u"village"_s } };
    QTest::newRow("not a workbook") << u"text"_s << int(XlsFormProblem::NotWorkbook) << QString()
                                    << QList<XlsFormRow> {};
    QTest::newRow("damaged workbook")
        << u"cut"_s << int(XlsFormProblem::Damaged) << QString() << QList<XlsFormRow> {};
    QTest::newRow("cut XML") << u"badxml"_s << int(XlsFormProblem::Damaged) << QString()
                             << QList<XlsFormRow> {};
    QTest::newRow("packed too tightly")
        << u"bomb"_s << int(XlsFormProblem::Damaged) << QString() << QList<XlsFormRow> {};
    QTest::newRow("no such file") << u"none"_s << int(XlsFormProblem::Unreadable) << QString()
                                  << QList<XlsFormRow> {};
}

void TestXlsForm::refusesWhatItCannotTake()
{
    QFETCH(QString, kind);
    QFETCH(int, problem);
    QFETCH(QString, detail);
    QFETCH(QList<XlsFormRow>, rows);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"form.xlsx"_s);
    if (kind == u"text"_s) {
        writeBytes(path, "type,name,label\r\ntext,name,Name\r\n");
    } else if (kind == u"cut"_s) {
        xlsforms(u"household"_s, path);
        writeBytes(path, readBytes(path).first(readBytes(path).size() / 2));
    } else if (kind != u"none"_s) {
        xlsforms(kind, path);
    }
    const auto read = readXlsForm(path);
    QVERIFY(!read.ok());
    QCOMPARE(int(read.error().kind), problem);
    if (!detail.isEmpty())
        QCOMPARE(read.error().detail, detail);
    QCOMPARE(read.error().rows, rows);
}

void TestXlsForm::exportRefusesAndWritesNothing()
{
    TestProgramFolder folder;
    const QList<FormMethod> form {
        withQuestionSettings(textFieldMethod(u"Mail"_s, u"30"_s, {}, {}), asked(false, AnswerKind::Email)),
        lineRuleMethod(),
        textFieldMethod(u"Name"_s, u"30"_s, {}, {}),
    };
    const QString path = folder.path() + u"/kept.xlsx"_s;
    writeBytes(path, "kept");
    const auto unsayable = writeXlsForm(form, u"f"_s, folder.path(), path);
    QVERIFY(!unsayable.ok());
    QCOMPARE(unsayable.error().kind, XlsFormExportProblem::Unsayable);
    QCOMPARE(unsayable.error().elements, (QStringList { u"Text Field - Mail"_s, u"Line - Horizontal"_s }));
    QCOMPARE(readBytes(path), QByteArray("kept"));

    // The places the answers' exports refuse are refused here too.
    const QList<FormMethod> sayable = form.mid(2);
    for (const QString& place :
        QStringList { folder.path() + u"/HTML/f.xlsx"_s, folder.path() + u"/formAnswers.mdb"_s,
            folder.path() + u"/no folder/f.xlsx"_s, folder.path() + u"/HTML"_s }) {
        const QByteArray before = readBytes(place);
        const auto refused = writeXlsForm(sayable, u"f"_s, folder.path(), place);
        QVERIFY2(!refused.ok(), qPrintable(place));
        QCOMPARE(refused.error().kind, XlsFormExportProblem::Failed);
        QVERIFY2(refused.error().detail.contains(u"cannot be written"_s), qPrintable(refused.error().detail));
        QCOMPARE(readBytes(place), before);
    }
    QCOMPARE(QDir(folder.path() + u"/HTML"_s).entryList(QDir::Files | QDir::Hidden).filter(u".xlsx"_s), {});
}

void TestXlsForm::commandLineWritesTheForm()
{
    TestProgramFolder folder;
    QVERIFY(FormBuilder(folder.path(), u"poll"_s)
                .title(u"Poll"_s)
                .radioButtons(u"Vote"_s, { u"Yes"_s, u"No"_s })
                .submitButton()
                .write());
    const auto run = [&](const QString& form, const QString& output) {
        QProcess exporter;
        exporter.start(QStringLiteral(QUENLOW_PROGRAM_DIR "/quenlow-export"),
            { u"--app-folder"_s, folder.path(), u"--database"_s, folder.database(), u"--form"_s, form,
                u"--format"_s, u"xlsform"_s, u"--output"_s, output });
        exporter.waitForFinished(30000);
        return std::pair(exporter.exitCode(), QString::fromUtf8(exporter.readAllStandardError()));
    };
    const QString path = folder.path() + u"/poll.xlsx"_s;
    QCOMPARE(run(u"poll.html"_s, path), std::pair(0, QString()));
    const auto read = readXlsForm(path);
    QVERIFY(read.ok());
    QCOMPARE(read->title, u"Poll"_s);
    QCOMPARE(described(read->elements),
        (QStringList { described(radioButtonsMethod(u"Vote"_s, { u"Yes"_s, u"No"_s }, noDefaultOption())),
            described(submitButtonMethod(u"Submit Form"_s, false, u"Reset Form"_s)) }));

    const auto unknown = run(u"nosuch.html"_s, folder.path() + u"/x.xlsx"_s);
    QCOMPARE(unknown.first, 1);
    QVERIFY2(unknown.second.contains(u"The form 'nosuch.html' is unknown"_s), qPrintable(unknown.second));
    QVERIFY(!QFile::exists(folder.path() + u"/x.xlsx"_s));
}

QTEST_GUILESS_MAIN(TestXlsForm)
#include "tst_xlsform.moc"
