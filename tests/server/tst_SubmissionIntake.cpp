// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// From a post to what is stored or why it is refused, without a store or a socket.
#include "ServerFixture.h"
#include "support/TestProgramFolder.h"

#include "server/FormSource.h"
#include "server/PageTokens.h"
#include "server/SubmissionIntake.h"

#include <QTest>

using namespace quenlow;
using namespace quenlow::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// The folder's forms, standing in for a store that can be asked again: the
// form it gives then is `newer` when set.
class AskedAgainSource final : public FormSource
{
public:
    explicit AskedAgainSource(const QString& folder)
        : m_folder(formsInFolder(folder))
    {
    }
    Result<std::optional<File>> file(QByteArrayView path, std::chrono::milliseconds wait) override
    {
        return m_folder->file(path, wait);
    }
    Result<std::optional<PublishedForm>> form(const QString& name, std::chrono::milliseconds wait) override
    {
        if (busy && wait.count() == 0)
            return Error { Error::Busy, {} };
        return m_folder->form(name, wait);
    }
    bool readsAgain() const override { return true; }
    Result<std::optional<PublishedForm>> formReadAgain(
        const QString& name, std::chrono::milliseconds wait) override
    {
        ++askedAgain;
        if (newer)
            return std::optional<PublishedForm>(*newer);
        return m_folder->form(name, wait);
    }

    std::optional<PublishedForm> newer;
    bool busy = false;
    int askedAgain = 0;

private:
    std::unique_ptr<FormSource> m_folder;
};

HttpRequest postOf(
    const QByteArray& body, const QByteArray& contentType = "application/x-www-form-urlencoded")
{
    HttpRequest post;
    post.method = "POST";
    post.path = "/scripts/save.asp";
    post.contentType = contentType;
    post.body = body;
    return post;
}

// "name=value|…" after the hidden fields of the "survey" page.
QByteArray surveyPost(const QString& written, const QString& extra = {})
{
    QList<QPair<QString, QString>> fields { { u"tableName"_s, u"tbl_survey"_s },
        { u"DBLocation"_s, u"C:\\Forms\\formAnswers.mdb"_s } };
    for (const QString& field : written.split(u'|', Qt::SkipEmptyParts))
        fields.append({ field.section(u'=', 0, 0), field.section(u'=', 1) });
    for (const QString& field : extra.split(u'|', Qt::SkipEmptyParts))
        fields.append({ field.section(u'=', 0, 0), field.section(u'=', 1) });
    return urlEncoded(fields);
}

// What a taken post would store, "field=value|…" ("<null>" for no value), or
// "refused:<kind>".
QString outcomeOf(const Result<Accepted, Refusal>& taken)
{
    if (!taken)
        return u"refused:"_s + QString::number(int(taken.error().kind));
    QStringList stored;
    for (const Answer& a : taken->submission.answers)
        stored.append(a.field + u'=' + a.value.value_or(u"<null>"_s));
    return stored.join(u'|');
}

QString refused(Refusal::Kind kind)
{
    return u"refused:"_s + QString::number(int(kind));
}

/// The body of a post to `table` of the fields written "NAME=VALUE|NAME=VALUE".
QByteArray writtenPost(const QString& table, const QString& written)
{
    QList<QPair<QString, QString>> fields { { u"tableName"_s, table } };
    for (const QString& field : written.split(u'|', Qt::SkipEmptyParts))
        fields.append({ field.section(u'=', 0, 0), field.section(u'=', 1) });
    return urlEncoded(fields);
}

} // namespace

class TestSubmissionIntake : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void decidesEachPost_data();
    void decidesEachPost();
    void leavesTheAnswersAsPlacedAndKeepsWhatWasTyped();
    void checksTheTokenForItsFormAlone();
    void takesWhatWasTypedAfterOther();
    void takesWhatWasTypedAfterAGroupsOther();
    void asksTheStoreAgainForAPageOfAnotherVersion();
    void givesTheQuotasTheAnswersFallInto();
    void takesOnlyWhatCanBeACode_data();
    void takesOnlyWhatCanBeACode();
    void takesARankingOnlyWhole_data();
    void takesARankingOnlyWhole();

private:
    Result<Accepted, Refusal> take(const HttpRequest& post, IntakeManner manner = {});

    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<AskedAgainSource> m_forms;
    SubmissionTokens m_tokens { "key" };
    bool m_open = true;
};

void TestSubmissionIntake::init()
{
    m_folder = std::make_unique<TestProgramFolder>();
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s)
                .title(u"Staff Survey"_s)
                .textField(u"Name"_s, {}, u"5"_s)
                .textField(u"Age"_s)
                .asks(false, AnswerKind::Number, u"0"_s, u"130"_s)
                .checkBox(u"Tea"_s)
                .radioButtons(u"Colour"_s, { u"Red"_s, u"Green"_s })
                .menu(u"Team"_s, { u"Sales"_s, u"R&D"_s })
                .submitButton()
                .write());
    m_forms = std::make_unique<AskedAgainSource>(m_folder->path());
    m_open = true;
}

void TestSubmissionIntake::cleanup()
{
    m_forms.reset();
    m_folder.reset();
}

Result<Accepted, Refusal> TestSubmissionIntake::take(const HttpRequest& post, IntakeManner manner)
{
    const SubmissionIntake intake(*m_forms, m_tokens, [this](const PublishedForm&) { return m_open; });
    return intake.take(post, manner);
}

void TestSubmissionIntake::decidesEachPost_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<QString>("outcome");
    const QByteArray form = "application/x-www-form-urlencoded";
    const QByteArray valid = surveyPost(u"Name Type=Text Field|Name=Ann"_s);

    QTest::newRow("every kind, a box unticked and a menu unchosen")
        << surveyPost(u"Name Type=Text Field|Name=Ann|Age Type=Text Field|Age=41|Tea Type=Check Box|"
                      "Colour Type=Radio Buttons|Colour=Green|Team Type=Menu|Team="_s)
        << form << u"Name=Ann|Age=41|Tea=Not Checked|Colour=Green|Team=<null>"_s;
    QTest::newRow("a number in its one spelling")
        << surveyPost(u"Age Type=Text Field|Age=3,5"_s) << form << u"Age=3.5"_s;
    const auto multipart
        = multipartBody({ { u"tableName"_s, u"tbl_survey"_s, {} }, { u"Name Type"_s, u"Text Field"_s, {} },
            { u"Name"_s, u"Bo"_s, {} }, { u"photo"_s, u"GIF89a"_s, u"a.gif"_s } });
    QTest::newRow("multipart, a file part left out") << multipart.first << multipart.second << u"Name=Bo"_s;

    QTest::newRow("bad escape") << valid + "&x=%zz" << form << refused(Refusal::Unreadable);
    QTest::newRow("not UTF-8") << valid + "&x=caf%E9" << form << refused(Refusal::Unreadable);
    QTest::newRow("an encoded surrogate is not UTF-8")
        << valid + "&x=%ED%A0%80" << form << refused(Refusal::Unreadable);
    QTest::newRow("an overlong slash is not UTF-8")
        << valid + "&x=%C0%AF" << form << refused(Refusal::Unreadable);
    QTest::newRow("escape cut short") << valid + "&x=ab%4" << form << refused(Refusal::Unreadable);
    QTest::newRow("non-standard %u escape") << valid + "&x=%u00e9" << form << refused(Refusal::Unreadable);
    QTest::newRow("bad escape in a name") << valid + "&%G1=x" << form << refused(Refusal::Unreadable);
    QTest::newRow("NUL in a value") << valid + "&x=a%00b" << form << refused(Refusal::HoldsNul);
    QTest::newRow("NUL in a name") << valid + "&Name%00+Type=Text+Field" << form
                                   << refused(Refusal::HoldsNul);
    QTest::newRow("NUL as sent in a value")
        << valid + QByteArray("&x=a\0b", 7) << form << refused(Refusal::HoldsNul);
    const auto nulPart = multipartBody({ { u"tableName"_s, u"tbl_survey"_s, {} },
        { u"Name Type"_s, u"Text Field"_s, {} }, { u"Name"_s, u"B"_s + QChar(0) + u"o"_s, {} } });
    QTest::newRow("NUL in a multipart value")
        << nulPart.first << nulPart.second << refused(Refusal::HoldsNul);
    QTest::newRow("multipart cut short")
        << QByteArray("--x\r\nContent-Disposition: form-data; name=\"tableName\"\r\n\r\ntbl_survey")
        << QByteArray("multipart/form-data; boundary=x") << refused(Refusal::Unreadable);
    QTest::newRow("multipart naming another boundary")
        << QByteArray(
               "--x\r\nContent-Disposition: form-data; name=\"tableName\"\r\n\r\ntbl_survey\r\n--x--\r\n")
        << QByteArray("multipart/form-data; boundary=y") << refused(Refusal::Unreadable);
    QTest::newRow("the table's name only")
        << QByteArray("tableName=tbl_survey") << form << refused(Refusal::NoQuestion);
    QTest::newRow("plain text") << valid << QByteArray("text/plain") << refused(Refusal::UnsupportedType);
    QTest::newRow("no table") << QByteArray("Name=Ann") << form << refused(Refusal::NoFormNamed);
    QTest::newRow("another table") << QByteArray("tableName=tbl_other&Name=Ann") << form
                                   << refused(Refusal::UnknownForm);
    QTest::newRow("not a form's table")
        << QByteArray("tableName=sqlite_master&Name=Ann") << form << refused(Refusal::UnknownForm);
    QTest::newRow("hidden fields only") << surveyPost({}) << form << refused(Refusal::NoQuestion);
    QTest::newRow("nothing answered")
        << surveyPost(u"Name Type=Text Field|Name= |Tea Type=Check Box|Team Type=Menu|Team="_s) << form
        << refused(Refusal::NothingAnswered);
    QTest::newRow("a question the form lacks")
        << surveyPost(u"Name Type=Text Field|Name=Ann|Shoe Type=Text Field|Shoe=44"_s) << form
        << refused(Refusal::FormChanged);
    QTest::newRow("an option the form does not offer")
        << surveyPost(u"Colour Type=Radio Buttons|Colour=Blue"_s) << form << refused(Refusal::RuleProblems);
    QTest::newRow("more characters than the box holds, an emoji counting one")
        << surveyPost(u"Name Type=Text Field|Name=Sixsix"_s) << form << refused(Refusal::RuleProblems);
    QTest::newRow("five emoji fit a box of five")
        << surveyPost(u"Name Type=Text Field|Name=😀😀😀😀😀"_s) << form << u"Name=😀😀😀😀😀"_s;
    QTest::newRow("a number out of its range")
        << surveyPost(u"Age Type=Text Field|Age=200"_s) << form << refused(Refusal::RuleProblems);
}

void TestSubmissionIntake::decidesEachPost()
{
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, contentType);
    QFETCH(QString, outcome);
    QCOMPARE(outcomeOf(take(postOf(body, contentType))), outcome);
}

void TestSubmissionIntake::leavesTheAnswersAsPlacedAndKeepsWhatWasTyped()
{
    // A refused post brings back what was typed, as typed, with a note beside
    // the question at fault; the stored answers are never the posted ones
    // changed in place.
    const auto taken = take(postOf(surveyPost(u"Name Type=Text Field|Name=Ann|Age Type=Text Field|Age=3,5x|"
                                              "Colour Type=Radio Buttons|Colour=Red"_s)));
    QVERIFY(taken.failedWith(Refusal::RuleProblems));
    const Refusal& refusal = taken.error();
    QVERIFY(refusal.form);
    QCOMPARE(refusal.form->name, u"survey"_s);
    QCOMPARE(refusal.notes.size(), 1);
    QCOMPARE(refusal.notes.first().name, u"Age"_s);
    QVERIFY(refusal.kept.contains(FormField { u"Age"_s, u"3,5x"_s }));
    QVERIFY(refusal.kept.contains(FormField { u"Name"_s, u"Ann"_s }));

    m_open = false;
    QVERIFY(take(postOf(surveyPost(u"Name Type=Text Field|Name=Ann"_s))).failedWith(Refusal::Closed));
}

void TestSubmissionIntake::takesWhatWasTypedAfterOther()
{
    QuestionSettings other;
    other.otherAnswer = true;
    QVERIFY(FormBuilder(m_folder->path(), u"poll"_s)
                .radioButtons(u"Colour"_s, { u"Red"_s, u"Green"_s })
                .asks(other)
                .menu(u"Team"_s, { u"Sales"_s, u"Ops"_s })
                .asks(other)
                .submitButton()
                .write());
    const auto post
        = [this](const QString& written) { return take(postOf(writtenPost(u"tbl_poll"_s, written))); };
    const QString colour = u"Colour Type=Radio Buttons|Colour="_s;
    QCOMPARE(
        outcomeOf(post(colour + u"Other:|Colour Other= Teal |Team Type=Menu|Team=Other:|Team Other=Web"_s)),
        u"Colour=Teal|Team=Web"_s);
    QCOMPARE(outcomeOf(post(colour + u"Red|Colour Other=typed, then Red chosen"_s)), u"Colour=Red"_s);
    // Only the "Other:" choice takes a text of its own: the service decides, whatever the page let through.
    QCOMPARE(outcomeOf(post(colour + u"Teal"_s)), refused(Refusal::RuleProblems));
    QCOMPARE(outcomeOf(post(colour + u"Other:|Colour Other="_s + QString(256, u'x'))),
        refused(Refusal::RuleProblems));
    const auto empty = post(colour + u"Other:|Colour Other= "_s);
    QVERIFY(empty.failedWith(Refusal::RuleProblems));
    QCOMPARE(empty.error().notes,
        (FormFields { { u"Colour"_s, respondentText(RespondentText::TypeOtherAnswer) } }));
    // Sent back as it was: the choice taken, the box as typed.
    QVERIFY(empty.error().kept.contains(FormField { u"Colour"_s, u"Other:"_s }));
    QVERIFY(empty.error().kept.contains(FormField { u"Colour Other"_s, u" "_s }));
}

void TestSubmissionIntake::takesWhatWasTypedAfterAGroupsOther()
{
    QuestionSettings group;
    group.questionText = u"Topics"_s;
    group.rules.required = true;
    QuestionSettings first = group;
    first.otherAnswer = true;
    QVERIFY(FormBuilder(m_folder->path(), u"topics"_s)
                .textField(u"Name"_s)
                .checkBox(u"Maths"_s)
                .asks(first)
                .checkBox(u"Art"_s)
                .asks(group)
                .submitButton()
                .write());
    const auto post
        = [this](const QString& written) { return take(postOf(writtenPost(u"tbl_topics"_s, written))); };
    const QString boxes = u"Name Type=Text Field|Name=Ann|Maths Type=Check Box|Art Type=Check Box|"
                          "Topics: Other Type=Check Box|"_s;
    QCOMPARE(outcomeOf(post(boxes + u"Maths=on|Topics: Other=Other:|Topics: Other Other= Chess "_s)),
        u"Name=Ann|Maths=Checked|Art=Not Checked|Topics: Other=Chess"_s);
    // Not ticked: nothing typed there; typed without the tick (no script ticked it): taken all the same.
    QCOMPARE(outcomeOf(post(boxes + u"Art=on|Topics: Other Other="_s)),
        u"Name=Ann|Maths=Not Checked|Art=Checked|Topics: Other=<null>"_s);
    // The typed answer alone answers the required group.
    QCOMPARE(outcomeOf(post(boxes + u"Topics: Other Other=Go"_s)),
        u"Name=Ann|Maths=Not Checked|Art=Not Checked|Topics: Other=Go"_s);
    QCOMPARE(outcomeOf(post(boxes)), refused(Refusal::RuleProblems));
    // Ticked with nothing typed: refused, its note at the "Other:" box, the tick and the box sent back.
    const auto empty = post(boxes + u"Maths=on|Topics: Other=Other:|Topics: Other Other= "_s);
    QVERIFY(empty.failedWith(Refusal::RuleProblems));
    QCOMPARE(empty.error().notes,
        (FormFields { { u"Topics: Other"_s, respondentText(RespondentText::TypeOtherAnswer) } }));
    QVERIFY(empty.error().kept.contains(FormField { u"Topics: Other"_s, u"Other:"_s }));
    QVERIFY(empty.error().kept.contains(FormField { u"Topics: Other Other"_s, u" "_s }));
    QVERIFY(empty.error().kept.contains(FormField { u"Maths"_s, u"on"_s }));
    QCOMPARE(outcomeOf(post(boxes + u"Topics: Other=on|Topics: Other Other="_s + QString(256, u'x'))),
        refused(Refusal::RuleProblems));
}

void TestSubmissionIntake::takesARankingOnlyWhole_data()
{
    QTest::addColumn<QString>("posted");
    QTest::addColumn<QString>("outcome");
    const QString fruitTypes = u"Apple Type=Ranking|Pear Type=Ranking|Plum Type=Ranking|"_s;
    const QString sportTypes = u"Golf Type=Ranking|Polo Type=Ranking|"_s;
    const QString fruitNote = u"refused at Apple: Please give each option a different place from 1 to 3."_s;
    const QString sportNote = u"refused at Golf: Please give each option a different place from 1 to 2."_s;
    QTest::newRow("each place once, in any order") << fruitTypes + u"Apple=2|Pear=3|Plum=1|"_s + sportTypes
            + u"Golf=2|Polo=1"_s << u"Apple=2|Pear=3|Plum=1|Golf=2|Polo=1"_s;
    QTest::newRow("a ranking not required left wholly unranked") << fruitTypes + u"Apple=1|Pear=2|Plum=3|"_s
            + sportTypes + u"Golf=|Polo="_s << u"Apple=1|Pear=2|Plum=3|Golf=<null>|Polo=<null>"_s;
    QTest::newRow("a ranking not required, its menus not posted at all")
        << fruitTypes + u"Apple=3|Pear=2|Plum=1"_s << u"Apple=3|Pear=2|Plum=1"_s;
    QTest::newRow("a required ranking left unranked")
        << fruitTypes + u"Apple=|Pear=|Plum=|"_s + sportTypes + u"Golf=1|Polo=2"_s << fruitNote;
    QTest::newRow("one place twice") << fruitTypes + u"Apple=1|Pear=1|Plum=2"_s << fruitNote;
    QTest::newRow("a place beyond the options") << fruitTypes + u"Apple=1|Pear=2|Plum=4"_s << fruitNote;
    QTest::newRow("no place 0") << fruitTypes + u"Apple=0|Pear=1|Plum=2"_s << fruitNote;
    QTest::newRow("a place in another spelling") << fruitTypes + u"Apple=01|Pear=2|Plum=3"_s << fruitNote;
    QTest::newRow("not a number") << fruitTypes + u"Apple=first|Pear=2|Plum=3"_s << fruitNote;
    QTest::newRow("a required ranking in part") << fruitTypes + u"Apple=1|Pear=2|Plum="_s << fruitNote;
    QTest::newRow("one not required in part")
        << fruitTypes + u"Apple=1|Pear=2|Plum=3|"_s + sportTypes + u"Golf=1|Polo="_s << sportNote;
    QTest::newRow("one not required, one menu posted")
        << fruitTypes + u"Apple=1|Pear=2|Plum=3|Golf Type=Ranking|Golf=2"_s << sportNote;
}

void TestSubmissionIntake::takesARankingOnlyWhole()
{
    QFETCH(QString, posted);
    QFETCH(QString, outcome);
    QVERIFY(FormBuilder(m_folder->path(), u"order"_s)
                .ranking(u"Which fruit do you like best?"_s, { u"Apple"_s, u"Pear"_s, u"Plum"_s })
                .asks(true)
                .ranking(u"And which sport?"_s, { u"Golf"_s, u"Polo"_s })
                .submitButton()
                .write());
    QList<QPair<QString, QString>> fields { { u"tableName"_s, u"tbl_order"_s } };
    for (const QString& field : posted.split(u'|', Qt::SkipEmptyParts))
        fields.append({ field.section(u'=', 0, 0), field.section(u'=', 1) });
    const auto taken = take(postOf(urlEncoded(fields)));
    if (taken || !taken.failedWith(Refusal::RuleProblems)) {
        QCOMPARE(outcomeOf(taken), outcome);
        return;
    }
    // One note for the ranking, at its first option; the places come back as posted.
    QCOMPARE(taken.error().notes.size(), 1);
    const FormField& note = taken.error().notes.first();
    QCOMPARE(u"refused at "_s + note.name + u": "_s + note.value, outcome);
    for (const auto& [name, value] : std::as_const(fields)) {
        if (name == u"Apple"_s)
            QVERIFY(taken.error().kept.contains(FormField { name, value }));
    }
}

void TestSubmissionIntake::checksTheTokenForItsFormAlone()
{
    const QString mine = m_tokens.issue(u"tbl_survey"_s);
    const QString others = m_tokens.issue(u"tbl_other"_s);
    const QString field = submissionTokenField();
    auto taken = take(postOf(surveyPost(u"Name Type=Text Field|Name=Ann"_s, field + u'=' + mine)));
    QVERIFY(taken);
    QCOMPARE(taken->submission.token, mine);
    QCOMPARE(taken->submission.table, u"tbl_survey"_s);
    // Another form's token, or one made up, tells no repeats: taken as tokenless.
    taken = take(postOf(surveyPost(u"Name Type=Text Field|Name=Ann"_s, field + u'=' + others)));
    QVERIFY(taken);
    QVERIFY(taken->submission.token.isEmpty());
    // A refused page goes back with its own token, so corrected answers replace.
    taken = take(postOf(surveyPost(u"Name Type=Text Field|Name=Sixsix"_s, field + u'=' + mine)));
    QVERIFY(taken.failedWith(Refusal::RuleProblems));
    QCOMPARE(taken.error().token, mine);
}

void TestSubmissionIntake::asksTheStoreAgainForAPageOfAnotherVersion()
{
    const QString version = formVersionField();
    const QByteArray post = surveyPost(u"Name Type=Text Field|Name=Ann"_s, version + u"=0123abcd"_s);
    // A thread that must not wait is told what to wait for, and asks nothing.
    IntakeManner notWaiting { std::chrono::milliseconds(0), false, false };
    auto taken = take(postOf(post), notWaiting);
    QVERIFY(taken.failedWith(Refusal::NotYetKnown));
    QCOMPARE(taken.error().wait, Refusal::Wait::ReadAgain);
    QCOMPARE(taken.error().waitFor, u"survey"_s);
    QCOMPARE(m_forms->askedAgain, 0);
    // Once read again, the form as it is then is taken as it is.
    notWaiting.formReadAgain = true;
    QVERIFY(take(postOf(post), notWaiting));
    QCOMPARE(m_forms->askedAgain, 0);
    // A thread that may wait asks the store itself, and places on its answer.
    auto newer = m_forms->form(u"survey"_s, std::chrono::milliseconds(1000));
    QVERIFY(newer && *newer);
    PublishedForm renamed = **newer;
    renamed.title = u"Newer"_s;
    m_forms->newer = renamed;
    taken = take(postOf(post));
    QVERIFY(taken);
    QCOMPARE(m_forms->askedAgain, 1);
    QCOMPARE(taken->form.title, u"Newer"_s);
    // A form not in memory yet: the same, told to wait for the lookup.
    m_forms->busy = true;
    notWaiting.formReadAgain = false;
    taken = take(postOf(post), notWaiting);
    QVERIFY(taken.failedWith(Refusal::NotYetKnown));
    QCOMPARE(taken.error().wait, Refusal::Wait::LookUp);
}

// The store counts a quota only for a row that falls into it: the intake
// names each by the question's field.
void TestSubmissionIntake::givesTheQuotasTheAnswersFallInto()
{
    FormSettings settings;
    settings.quotas
        = { { u"Colour"_s, u"Red"_s, 5 }, { u"Team"_s, u"R&D"_s, 2 }, { u"Colour"_s, u"Green"_s, 1 } };
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s)
                .settings(settings)
                .radioButtons(u"Colour"_s, { u"Red"_s, u"Green"_s })
                .menu(u"Team"_s, { u"Sales"_s, u"R&D"_s })
                .submitButton()
                .writeFiles());
    const auto quotas = [this](const QString& answers) {
        QStringList fallen;
        const auto taken = take(postOf(surveyPost(answers)));
        for (const SubmissionQuota& q : taken.valueOr(Accepted {}).submission.quotas)
            fallen.append(u"%1=%2<=%3"_s.arg(q.field, q.answer).arg(q.limit));
        return fallen;
    };
    QCOMPARE(quotas(u"Colour Type=Radio Buttons|Colour=Red|Team Type=Menu|Team=R&D"_s),
        (QStringList { u"Colour=Red<=5"_s, u"Team=R&D<=2"_s }));
    QCOMPARE(quotas(u"Colour Type=Radio Buttons|Colour=Green|Team Type=Menu|Team=Sales"_s),
        QStringList { u"Colour=Green<=1"_s });
    QCOMPARE(quotas(u"Team Type=Menu|Team=Sales"_s), QStringList());
}

// A form only invited people answer: the code posted counts, typed as people
// type it; what cannot be a code is refused before the store is asked.
void TestSubmissionIntake::takesOnlyWhatCanBeACode_data()
{
    QTest::addColumn<bool>("anonymous");
    QTest::addColumn<QString>("extra");
    QTest::addColumn<QString>("outcome");
    const QString unknown = refused(Refusal::UnknownCode);
    QTest::newRow("no code") << false << QString() << unknown;
    QTest::newRow("an empty code") << false << u"participantCode="_s << unknown;
    QTest::newRow("too short") << false << u"participantCode=ACDE347"_s << unknown;
    QTest::newRow("a letter the codes never use") << false << u"participantCode=ACDE347B"_s << unknown;
    QTest::newRow("as typed on a phone") << false << u"participantCode= acde-34 79"_s << u"ACDE3479 named"_s;
    QTest::newRow("anonymous") << true << u"participantCode=ACDE3479"_s << u"ACDE3479 anonymous"_s;
    QTest::newRow("the first code counts")
        << false << u"participantCode=FGHJ3479|participantCode=ACDE3479"_s << u"FGHJ3479 named"_s;
}

void TestSubmissionIntake::takesOnlyWhatCanBeACode()
{
    QFETCH(bool, anonymous);
    QFETCH(QString, extra);
    QFETCH(QString, outcome);
    FormSettings invited;
    invited.invitedOnly = true;
    invited.anonymousAnswers = anonymous;
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s).settings(invited).textField(u"Name"_s).writeFiles());
    const auto taken = take(postOf(surveyPost(u"Name Type=Text Field|Name=Ann"_s, extra)));
    const QString got = !taken
        ? outcomeOf(taken)
        : taken->submission.participantCode + (taken->submission.anonymous ? u" anonymous"_s : u" named"_s);
    QCOMPARE(got, outcome);
    if (taken)
        QCOMPARE(outcomeOf(taken), u"Name=Ann"_s); // the code is no answer
}

QTEST_GUILESS_MAIN(TestSubmissionIntake)
#include "tst_SubmissionIntake.moc"
