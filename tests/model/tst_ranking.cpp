// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswersStore.h"
#include "model/CollectionFile.h"
#include "model/ElementOperations.h"
#include "model/FormSession.h"
#include "model/Fragments.h"
#include "model/OwnedColumns.h"
#include "model/Publication.h"
#include "model/RankingQuestion.h"
#include "support/FormFixture.h"
#include "support/TestProgramFolder.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quenlow;
using namespace quenlow::test;

namespace {

const QString kTable = u"tbl_survey"_s;

} // namespace

class TestRanking : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<FormSession> m_session;

    QStringList columns() const { return columnNames(m_folder->database(), kTable); }

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

    // The record keeps its options in its list and reads back as written; it
    // owns a column per option, named by it, titled "QUESTION: OPTION",
    // taking the places 1 to N; each option is posted as a question carrying
    // how many the ranking has.
    void recordAndColumns()
    {
        QuestionSettings settings;
        settings.rules.required = true;
        settings.shuffleOptions = true;
        const FormMethod ranking = withQuestionSettings(
            rankingMethod(u"Which do you like best?"_s, { u"Tea"_s, u"Coffee"_s, u"Cocoa"_s }), settings);
        QVERIFY(insertMethod(*m_session, ranking));
        const QString text = serializeCollection(m_session->collection());
        QVERIFY(text.contains(u"Method Type\r\nRanking\r\n"_s));
        QVERIFY(text.endsWith(u"Attribute 6\r\n[next]\r\nTea\r\n[next]\r\nCoffee\r\n[next]\r\nCocoa\r\n"_s));
        const ParsedCollection parsed = parseCollection(text);
        QVERIFY2(parsed.ok(), qPrintable(parsed.error));
        QCOMPARE(parsed.methods.at(1), ranking);
        QCOMPARE(ranking.rowText(), u"Ranking - Which do you like best?"_s);
        QCOMPARE(columns(), QStringList({ u"Form Question"_s, u"Tea"_s, u"Coffee"_s, u"Cocoa"_s }));

        const QList<OwnedColumn> owned = answerColumnsOf(ranking);
        QCOMPARE(owned.size(), 3);
        QCOMPARE(owned.at(1).name, u"Coffee"_s);
        QCOMPARE(owned.at(1).label, u"Which do you like best?: Coffee"_s);
        QCOMPARE(owned.at(1).role, OwnedColumn::Role::RankPlace);
        QCOMPARE(owned.at(1).values, QStringList({ u"1"_s, u"2"_s, u"3"_s }));

        const QList<PostedQuestion> posted = postedQuestions(QList<FormMethod> { ranking });
        QCOMPARE(posted.size(), 3);
        QCOMPARE(posted.at(2).field, u"Cocoa"_s);
        QCOMPARE(posted.at(2).kind, ElementKind::Ranking);
        QCOMPARE(posted.at(2).maxLength, 3);
        QCOMPARE(posted.at(2).settings.questionText, u"Which do you like best?"_s);
        QVERIFY(posted.at(0).settings.rules.required && posted.at(0).settings.shuffleOptions);
        // Without script: a menu of the places beside each option, required when the ranking is.
        QVERIFY(ranking.htmlCode.contains(u"<div class='qrank-item'><input type=hidden name='Tea Type' "
                                          "value='Ranking'><label>Tea <select name='Tea' required>"
                                          "<option>1<option>2<option>3</select></label></div>"_s));
    }

    // Each option is a question of the form: its name must be free; an edit
    // keeps the answers of the options it keeps, and a removal takes every column.
    void columnsFollowTheOptions()
    {
        FormSession& session = *m_session;
        QVERIFY(insertMethod(session, element(ElementKind::TextField, u"Tea"_s)));
        QVERIFY(insertMethod(session, rankingMethod(u"Q"_s, { u"Coffee"_s, u"tea"_s }))
                    .tells(Notice::Kind::QuestionTaken));
        QCOMPARE(columns(), QStringList({ u"Form Question"_s, u"Tea"_s }));
        QVERIFY(insertMethod(session, rankingMethod(u"Q"_s, { u"Coffee"_s, u"Cocoa"_s })));
        AnswersStore::NewRow row { kTable, {}, {}, {}, {} };
        row.values = { { u"Coffee"_s, u"2"_s }, { u"Cocoa"_s, u"1"_s } };
        QVERIFY(openStore(m_folder->database())->insertRows({ row }));
        QVERIFY(updateMethod(session, rankingMethod(u"Q"_s, { u"Cocoa"_s, u"Coffee"_s, u"Juice"_s }), 2));
        QCOMPARE(
            columns(), QStringList({ u"Form Question"_s, u"Tea"_s, u"Coffee"_s, u"Cocoa"_s, u"Juice"_s }));
        const auto stored = openStore(m_folder->database())->readRows(kTable, { u"Coffee"_s }, -1, 10);
        QVERIFY(stored);
        QCOMPARE(stored->constFirst().values.value(0).toString(), u"2"_s);
        session.setSelectedRow(2);
        QVERIFY(removeSelected(session, true));
        QCOMPARE(columns(), QStringList({ u"Form Question"_s, u"Tea"_s }));
    }
};

QTEST_GUILESS_MAIN(TestRanking)
#include "tst_ranking.moc"
