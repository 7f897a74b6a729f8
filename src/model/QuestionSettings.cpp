// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/QuestionSettings.h"
#include "model/ElementKind.h"

#include "model/FormMethod.h"
#include "model/ScaleQuestion.h"

#include <QStringList>

namespace quenlow {

namespace {

const QString kAnswerRequired = QStringLiteral("AnswerRequired");
const QString kAnswerKind = QStringLiteral("AnswerKind");
const QString kMinimumValue = QStringLiteral("MinimumValue");
const QString kMaximumValue = QStringLiteral("MaximumValue");
const QString kAskOnlyIf = QStringLiteral("AskOnlyIf");
const QString kAskOnlyIfAnswer = QStringLiteral("AskOnlyIfAnswer");
const QString kQuestionText = QStringLiteral("QuestionText");
const QString kShuffleOptions = QStringLiteral("ShuffleOptions");
const QString kOtherAnswer = QStringLiteral("OtherAnswer");

// A line break would end the value's line in the file.
QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

} // namespace

bool isQuestionSettingKey(const QString& key)
{
    return key == kAnswerRequired || key == kAnswerKind || key == kMinimumValue || key == kMaximumValue
        || key == kAskOnlyIf || key == kAskOnlyIfAnswer || key == kQuestionText || key == kShuffleOptions
        || key == kOtherAnswer;
}

QuestionSettings questionSettingsOf(const QList<std::pair<QString, QString>>& lines)
{
    QuestionSettings s;
    for (const auto& [key, value] : lines) {
        if (key == kAnswerRequired)
            s.rules.required = value.trimmed() == QLatin1String("1");
        else if (key == kAnswerKind)
            s.rules.kind = answerKindFromName(value.trimmed()).value_or(AnswerKind::AnyText);
        else if (key == kMinimumValue)
            s.rules.minimum = value.trimmed();
        else if (key == kMaximumValue)
            s.rules.maximum = value.trimmed();
        else if (key == kAskOnlyIf)
            s.condition.question = value;
        else if (key == kAskOnlyIfAnswer)
            s.condition.answer = value;
        else if (key == kQuestionText)
            s.questionText = value;
        else if (key == kShuffleOptions)
            s.shuffleOptions = value.trimmed() == QLatin1String("1");
        else if (key == kOtherAnswer)
            s.otherAnswer = value.trimmed() == QLatin1String("1");
    }
    // Limits only mean something for the kinds that have them, in their spelling.
    for (QString* limit : { &s.rules.minimum, &s.rules.maximum })
        *limit = canonicalLimit(s.rules.kind, *limit).value_or(QString());
    if (s.condition.question.isEmpty())
        s.condition = {};
    return s;
}

QuestionSettings questionSettingsOf(const FormMethod& question)
{
    return questionSettingsOf(question.settings);
}

QList<std::pair<QString, QString>> questionSettingLines(const QuestionSettings& s)
{
    QList<std::pair<QString, QString>> lines;
    if (!s.questionText.isEmpty())
        lines.append({ kQuestionText, oneLine(s.questionText) });
    if (s.rules.required)
        lines.append({ kAnswerRequired, QStringLiteral("1") });
    if (s.rules.kind != AnswerKind::AnyText)
        lines.append({ kAnswerKind, answerKindName(s.rules.kind) });
    if (!s.rules.minimum.isEmpty())
        lines.append({ kMinimumValue, s.rules.minimum });
    if (!s.rules.maximum.isEmpty())
        lines.append({ kMaximumValue, s.rules.maximum });
    if (!s.condition.always()) {
        lines.append({ kAskOnlyIf, oneLine(s.condition.question) });
        lines.append({ kAskOnlyIfAnswer, oneLine(s.condition.answer) });
    }
    if (s.shuffleOptions)
        lines.append({ kShuffleOptions, QStringLiteral("1") });
    if (s.otherAnswer)
        lines.append({ kOtherAnswer, QStringLiteral("1") });
    return lines;
}

void setQuestionSettings(FormMethod& question, const QuestionSettings& settings)
{
    QList<std::pair<QString, QString>> kept;
    for (const auto& line : question.settings) {
        if (!isQuestionSettingKey(line.first))
            kept.append(line);
    }
    question.settings = kept + questionSettingLines(settings);
}

QString questionSettingsText(const QuestionSettings& settings)
{
    return keyLinesText(questionSettingLines(settings));
}

QuestionSettings questionSettingsFromText(const QString& text)
{
    return questionSettingsOf(keyLinesFromText(text));
}

std::optional<ConditionChoice> conditionChoice(const FormMethod& m)
{
    if (m.kind == ElementKind::RadioButtons || m.kind == ElementKind::PullDownMenu)
        return ConditionChoice { m.userInstruction, m.attribute6List, false };
    if (m.kind == ElementKind::CheckBox)
        return ConditionChoice { m.userInstruction, { checkedAnswer(), notCheckedAnswer() }, true };
    if (m.kind == ElementKind::Scale)
        return ConditionChoice { m.userInstruction, scaleValues(scaleOf(m)), false };
    return std::nullopt;
}

} // namespace quenlow
