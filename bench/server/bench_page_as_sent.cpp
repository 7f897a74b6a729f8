// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// bench_page_as_sent [--times N] [--part published|again]
//
// The work of one form page as the service sends it, without sockets: a
// 42-question page as the designer writes it (text fields with rules, text
// areas with a hint, boxes asked as one question, option buttons, menus, and
// scales asked only after an answer), sent N times as it is published and N
// times again with every answer put back, a notice and two notes. Prints the
// median time of each and a digest of the pages, so two builds can be
// compared; for a count of instructions run it under
// `valgrind --tool=callgrind` with --times 0 and --times N and divide the
// difference by 2N.
#include "model/FormHeader.h"
#include "model/Fragments.h"
#include "model/MethodCollection.h"
#include "model/PageWriter.h"
#include "model/QuestionSettings.h"
#include "model/RespondentTexts.h"
#include "server/FormFields.h"
#include "server/PageAsSent.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace quenlow;

namespace {

QuestionSettings rules(bool required, AnswerKind kind = AnswerKind::AnyText, const QString& minimum = {},
    const QString& maximum = {})
{
    QuestionSettings s;
    s.rules = { required, kind, minimum, maximum };
    return s;
}

// Six blocks of seven questions, written by the page writer.
QByteArray benchPage(FormFields* answers)
{
    MethodCollection collection;
    HeaderSettings header;
    header.formName = QStringLiteral("bench");
    header.title = QStringLiteral("Room survey");
    header.letterSize = QStringLiteral("5");
    header.justification = QStringLiteral("Centre");
    header.background = QStringLiteral("paper.jpg");
    header.databaseLocation = QStringLiteral("/srv/answers/formAnswers.mdb");
    collection.append(headerRecord(header, 1, 0));
    const QStringList colours
        = { QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue"), QStringLiteral("Other") };
    for (int i = 0; i < 6; ++i) {
        const QString n = QString::number(i);
        QuestionSettings box = rules(false);
        box.questionText = QStringLiteral("What do you drink? ") + n;
        QuestionSettings afterYes = rules(true);
        afterYes.condition = { QStringLiteral("Coming ") + n, QStringLiteral("Yes") };
        const FormMethod block[] = {
            withQuestionSettings(textFieldMethod(QStringLiteral("Age ") + n, QStringLiteral("30"), {}, {}),
                rules(true, AnswerKind::WholeNumber, QStringLiteral("0"), QStringLiteral("120"))),
            withQuestionSettings(textAreaMethod(QStringLiteral("Comments ") + n, QStringLiteral("5"),
                                     QStringLiteral("40"), QStringLiteral("Anything you would like to say.")),
                rules(false)),
            withQuestionSettings(checkBoxMethod(QStringLiteral("Tea ") + n, true, false), box),
            withQuestionSettings(checkBoxMethod(QStringLiteral("Coffee ") + n, true, false), box),
            withQuestionSettings(radioButtonsMethod(QStringLiteral("Coming ") + n,
                                     { QStringLiteral("Yes"), QStringLiteral("No") }, noDefaultOption()),
                rules(true)),
            withQuestionSettings(pullDownMenuMethod(QStringLiteral("Colour ") + n, QStringLiteral("1"),
                                     colours, noDefaultOption()),
                rules(false)),
            withQuestionSettings(scaleMethod(QStringLiteral("Rate ") + n,
                                     { 1, 5, QStringLiteral("poor"), QStringLiteral("great") }),
                afterYes),
        };
        for (const FormMethod& m : block)
            collection.append(m);
        *answers += { { QStringLiteral("Age ") + n, QStringLiteral("4") + n },
            { QStringLiteral("Comments ") + n, QStringLiteral("Fine & dandy, <thanks>") },
            { QStringLiteral("Tea ") + n, QStringLiteral("on") },
            { QStringLiteral("Coming ") + n, QStringLiteral("Yes") },
            { QStringLiteral("Colour ") + n, QStringLiteral("Blue") },
            { QStringLiteral("Rate ") + n, QStringLiteral("4") } };
    }
    collection.append(submitButtonMethod(QStringLiteral("Send"), true, QStringLiteral("Clear")));
    return buildFormPage(collection).toUtf8();
}

const QString kToken = QStringLiteral("00112233445566778899aabbccddeeff00112233445566778899aabbccddeeff");
const QString kVersion = QStringLiteral("0123456789abcdef");

QByteArray published(const QByteArray& page)
{
    return pageAsSent({ .designerPage = page,
        .formName = QStringLiteral("bench"),
        .token = kToken,
        .language = FormLanguage::English,
        .version = kVersion });
}

QByteArray sentAgain(const QByteArray& page, const FormFields& answers, const FormFields& notes)
{
    return pageAsSent({ .designerPage = page,
        .formName = QStringLiteral("bench"),
        .token = kToken,
        .language = FormLanguage::English,
        .version = kVersion,
        .answers = answers,
        .notice = respondentText(RespondentText::FormChangedNotice, FormLanguage::English),
        .questionNotes = notes,
        .fromPostAddress = true });
}

template <typename Build> double medianMicroseconds(int times, Build&& build, QCryptographicHash& digest)
{
    std::vector<double> took;
    for (int i = 0; i < times; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QByteArray page = build();
        took.push_back(double(timer.nsecsElapsed()) / 1000.0);
        if (i == 0)
            digest.addData(page);
    }
    if (took.empty())
        return 0;
    std::nth_element(took.begin(), took.begin() + qsizetype(took.size() / 2), took.end());
    return took[took.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int times = 1000;
    const QStringList args = app.arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--times")); at >= 0 && at + 1 < args.size())
        times = args.at(at + 1).toInt();
    FormFields answers;
    const QByteArray page = benchPage(&answers);
    const FormFields notes = { { QStringLiteral("Age 2"), QStringLiteral("Give a whole number.") },
        { QStringLiteral("Rate 5"), QStringLiteral("An answer is required.") } };
    QCryptographicHash digest(QCryptographicHash::Sha256);
    // One part alone, for a count of its instructions.
    const qsizetype partAt = args.indexOf(QStringLiteral("--part"));
    const QString part = partAt >= 0 && partAt + 1 < args.size() ? args.at(partAt + 1) : QString();
    const double publish = part == QLatin1StringView("again")
        ? 0
        : medianMicroseconds(
            times, [&] { return published(page); }, digest);
    const double again = part == QLatin1StringView("published")
        ? 0
        : medianMicroseconds(
            times, [&] { return sentAgain(page, answers, notes); }, digest);
    std::printf("page of %lld bytes, %d times each\npublished: %.1f us median\nagain with answers: %.1f us "
                "median\ndigest %s\n",
        static_cast<long long>(page.size()), times, publish, again, digest.result().toHex().constData());
    return 0;
}
