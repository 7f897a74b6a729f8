// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswersStore.h"
#include "model/CollectionFile.h"
#include "model/ElementOperations.h"
#include "model/FormSession.h"
#include "model/Fragments.h"
#include "model/OwnedColumns.h"
#include "model/Publication.h"
#include "support/FormFixture.h"
#include "support/TestProgramFolder.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quenlow;
using namespace quenlow::test;

namespace {

const QString kTable = u"tbl_survey"_s;

GridQuestion agreeGrid(const QStringList& rows)
{
    return { rows, gridPresetAnswers(GridPreset::Agree) };
}

} // namespace

class TestGrid : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<FormSession> m_session;

    QStringList columns() const { return columnNames(m_folder->database(), kTable); }
    FormMethod required(FormMethod grid) const
    {
        QuestionSettings settings;
        settings.rules.required = true;
        return withQuestionSettings(grid, settings);
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<TestProgramFolder>();
        m_session = std::make_unique<FormSession>(m_folder->path());
        createForm(*m_session, u"survey"_s);
    }
    void cleanup()
    {
        m_session.reset();
        m_folder.reset();
    }

    // The record keeps its statements in its list and its answers in key
    // lines, reads back as written, and owns a column per statement, named
    // by it and titled "QUESTION: STATEMENT".
    void recordAndColumns()
    {
        const FormMethod grid
            = required(gridMethod(u"How much do you agree?"_s, agreeGrid({ u"Pace"_s, u"Room"_s })));
        QVERIFY(insertMethod(*m_session, grid));
        const QString text = serializeCollection(m_session->collection());
        QVERIFY(text.contains(u"Method Type\r\nGrid\r\n"_s));
        QVERIFY(text.contains(u"GridAnswer\r\nStrongly disagree\r\nGridAnswer\r\nDisagree\r\n"_s));
        QVERIFY(text.endsWith(u"Attribute 6\r\n[next]\r\nPace\r\n[next]\r\nRoom\r\n"_s));
        const ParsedCollection parsed = parseCollection(text);
        QVERIFY2(parsed.ok(), qPrintable(parsed.error));
        QCOMPARE(parsed.methods.at(1), grid);
        QCOMPARE(gridOf(parsed.methods.at(1)), agreeGrid({ u"Pace"_s, u"Room"_s }));
        QVERIFY(questionSettingsOf(parsed.methods.at(1)).rules.required);

        const QList<OwnedColumn> owned = answerColumnsOf(grid);
        QCOMPARE(owned.size(), 2);
        QCOMPARE(owned.at(1).name, u"Room"_s);
        QCOMPARE(owned.at(1).label, u"How much do you agree?: Room"_s);
        QCOMPARE(owned.at(1).values, gridPresetAnswers(GridPreset::Agree));
        QCOMPARE(grid.rowText(), u"Grid - How much do you agree?"_s);

        // Published: a required question per statement, each counted over the answers.
        const QList<PostedQuestion> posted = postedQuestions(QList<FormMethod> { grid });
        QCOMPARE(posted.size(), 2);
        QCOMPARE(posted.at(0).field, u"Pace"_s);
        QCOMPARE(posted.at(0).kind, ElementKind::Grid);
        QVERIFY(posted.at(1).settings.rules.required);
        const QList<ChartedQuestion> charted = chartedQuestions(QList<FormMethod> { grid });
        QCOMPARE(charted.size(), 2);
        QCOMPARE(charted.at(1).text, u"How much do you agree?: Room"_s);
        // On the page each statement is announced as a question of its own.
        QVERIFY(grid.htmlCode.contains(u"<fieldset class='qgrid-row'><legend>Room</legend>"
                                       "<input type=hidden name='Room Type' value='Grid'>"_s));
        QVERIFY(
            grid.htmlCode.contains(u"<input name='Pace' type='radio' value='Strongly disagree' required>"_s));
    }

    // Each statement is a question of the form: its name must be free, all of
    // the grid's columns come or none; an edit keeps the answers of the
    // statements it keeps or renames, and a removal takes every column.
    void columnsFollowTheStatements()
    {
        FormSession& session = *m_session;
        QVERIFY(insertMethod(session, element(ElementKind::TextField, u"Room"_s)));
        Outcome refused = insertMethod(session, gridMethod(u"Q"_s, agreeGrid({ u"Pace"_s, u"room"_s })));
        QVERIFY(refused.tells(Notice::Kind::QuestionTaken));
        QCOMPARE(columns(), QStringList({ u"Form Question"_s, u"Room"_s }));
        refused = insertMethod(session, gridMethod(u"Q"_s, agreeGrid({ u"Pace"_s, u"PACE"_s })));
        QVERIFY(refused.tells(Notice::Kind::QuestionTaken));
        refused = insertMethod(session, gridMethod(u"Q"_s, agreeGrid({ u"Pace"_s, u"Room Type"_s })));
        QVERIFY(refused.tells(Notice::Kind::NameClash));
        QCOMPARE(columns(), QStringList({ u"Form Question"_s, u"Room"_s }));
        QCOMPARE(session.collection().count(), 2);

        QVERIFY(insertMethod(session, gridMethod(u"Q"_s, agreeGrid({ u"Pace"_s, u"Food"_s, u"Noise"_s }))));
        QCOMPARE(columns(), QStringList({ u"Form Question"_s, u"Room"_s, u"Pace"_s, u"Food"_s, u"Noise"_s }));
        // A question named like a statement is refused as any taken name.
        QVERIFY(insertMethod(session, element(ElementKind::TextField, u"Food"_s))
                    .tells(Notice::Kind::QuestionTaken));

        AnswersStore::NewRow row { kTable, {}, {}, {}, {} };
        row.values = { { u"Pace"_s, u"Agree"_s }, { u"Food"_s, u"Disagree"_s }, { u"Noise"_s, u"Agree"_s } };
        QVERIFY(openStore(m_folder->database())->insertRows({ row }));
        // Food and Noise gone, their answers kept while the table holds any; Meals added.
        QVERIFY(updateMethod(session, gridMethod(u"Q"_s, agreeGrid({ u"Pace"_s, u"Meals"_s })), 2));
        QCOMPARE(columns(),
            QStringList({ u"Form Question"_s, u"Room"_s, u"Pace"_s, u"Food"_s, u"Noise"_s, u"Meals"_s }));
        // Food back: its column and answers with it.
        QVERIFY(
            updateMethod(session, gridMethod(u"Q"_s, agreeGrid({ u"Pace"_s, u"Meals"_s, u"Food"_s })), 2));
        QCOMPARE(columns().size(), 6);
        const auto stored = openStore(m_folder->database())->readRows(kTable, { u"Food"_s }, -1, 10);
        QVERIFY(stored);
        QCOMPARE(stored->constFirst().values.value(0).toString(), u"Disagree"_s);
        // A statement meeting another question leaves the grid and its columns as they were.
        QVERIFY(updateMethod(session, gridMethod(u"Q"_s, agreeGrid({ u"Pace"_s, u"room"_s })), 2)
                    .tells(Notice::Kind::QuestionTaken));
        QCOMPARE(gridOf(session.collection().atPosition(2)).rows,
            QStringList({ u"Pace"_s, u"Meals"_s, u"Food"_s }));
        QCOMPARE(columns().size(), 6);

        session.setSelectedRow(2);
        QVERIFY(removeSelected(session, false).tells(Notice::Kind::RemoveAnswers));
        QVERIFY(removeSelected(session, true));
        QCOMPARE(columns(), QStringList({ u"Form Question"_s, u"Room"_s, u"Noise"_s }));
        // Without answers an edit drops the columns of the statements that went.
        const auto all = openStore(m_folder->database())->readRows(kTable, {}, -1, 10);
        QVERIFY(all && all->size() == 1);
        QVERIFY(openStore(m_folder->database())->deleteRows(kTable, { all->constFirst().id }));
        QVERIFY(insertMethod(session, gridMethod(u"Q"_s, agreeGrid({ u"Pace"_s, u"Food"_s }))));
        QVERIFY(updateMethod(session, gridMethod(u"Q"_s, agreeGrid({ u"Food"_s })), 2));
        QCOMPARE(columns(), QStringList({ u"Form Question"_s, u"Room"_s, u"Noise"_s, u"Food"_s }));
    }
};

QTEST_GUILESS_MAIN(TestGrid)
#include "tst_grid.moc"
