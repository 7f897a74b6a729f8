// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/FormSettings.h"

#include "model/FormMethod.h"

namespace quenlow {

namespace {

const QString kShowResults = QStringLiteral("ShowResults");
const QString kAcceptingAnswers = QStringLiteral("AcceptingAnswers");
const QString kClosingTime = QStringLiteral("ClosingTime");
const QString kAnswerLimit = QStringLiteral("AnswerLimit");
const QString kThankYouText = QStringLiteral("ThankYouText");
const QString kOfferAnotherAnswer = QStringLiteral("OfferAnotherAnswer");
const QString kFormLanguage = QStringLiteral("FormLanguage");
// A quota is three lines in this order, one such group per quota.
const QString kQuota = QStringLiteral("Quota");
const QString kQuotaAnswer = QStringLiteral("QuotaAnswer");
const QString kQuotaLimit = QStringLiteral("QuotaLimit");
const QString kInvitedOnly = QStringLiteral("InvitedOnly");
const QString kAnonymousAnswers = QStringLiteral("AnonymousAnswers");
// A closing time is kept in UTC ("2026-12-24T17:30Z"), so that a service in
// another time zone closes the form at the same moment. Files written before
// carry the designer's local time without a zone, and are read as such.
const QString kLocalTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm");
const QString kUtcTimeFormat = QStringLiteral("yyyy-MM-dd'T'HH:mm'Z'");

QDateTime closingTimeFrom(const QString& value)
{
    if (!value.endsWith(QLatin1Char('Z')))
        return QDateTime::fromString(value, kLocalTimeFormat);
    return QDateTime::fromString(value, Qt::ISODate).toUTC();
}

// A line break would end the value's line in the file.
QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

QString yesNo(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

bool FormSettings::isOpen(const QDateTime& now, std::optional<qint64> stored) const
{
    if (!acceptingAnswers)
        return false;
    if (closingTime.isValid() && now >= closingTime)
        return false;
    return !(answerLimit && stored && *stored >= *answerLimit);
}

bool isFormSettingKey(const QString& key)
{
    return key == kShowResults || key == kAcceptingAnswers || key == kClosingTime || key == kAnswerLimit
        || key == kThankYouText || key == kOfferAnotherAnswer || key == kFormLanguage || key == kQuota
        || key == kQuotaAnswer || key == kQuotaLimit || key == kInvitedOnly || key == kAnonymousAnswers;
}

FormSettings formSettingsOf(const QList<std::pair<QString, QString>>& lines)
{
    FormSettings s;
    // A quota's answer and limit belong to the question line before them; a
    // group left incomplete by a hand edit is no quota.
    std::optional<FormQuota> quota;
    const auto endQuota = [&s, &quota] {
        if (quota && !quota->question.isEmpty() && quota->limit > 0)
            s.quotas.append(*quota);
        quota.reset();
    };
    for (const auto& [key, value] : lines) {
        const QString v = value.trimmed();
        if (key == kShowResults)
            s.showResults = v == QLatin1String("1");
        else if (key == kAcceptingAnswers)
            s.acceptingAnswers = v != QLatin1String("0");
        else if (key == kClosingTime)
            s.closingTime = closingTimeFrom(v);
        else if (key == kAnswerLimit) {
            bool ok = false;
            const qint64 n = v.toLongLong(&ok);
            s.answerLimit = ok && n >= 0 ? std::optional<qint64>(n) : std::nullopt;
        } else if (key == kThankYouText)
            s.thankYouText = value;
        else if (key == kOfferAnotherAnswer)
            s.offerAnotherAnswer = v == QLatin1String("1");
        else if (key == kFormLanguage)
            s.language = formLanguageFromTag(v).value_or(FormLanguage::English);
        else if (key == kQuota) {
            endQuota();
            quota = FormQuota { value, {}, 0 };
        } else if (key == kQuotaAnswer && quota)
            quota->answer = value;
        else if (key == kQuotaLimit && quota) {
            bool ok = false;
            const qint64 n = v.toLongLong(&ok);
            quota->limit = ok ? n : 0;
            endQuota();
        } else if (key == kInvitedOnly)
            s.invitedOnly = v == QLatin1String("1");
        else if (key == kAnonymousAnswers)
            s.anonymousAnswers = v == QLatin1String("1");
    }
    endQuota();
    return s;
}

FormSettings formSettingsOf(const FormMethod& header)
{
    return formSettingsOf(header.settings);
}

QList<std::pair<QString, QString>> formSettingLines(const FormSettings& s)
{
    const FormSettings defaults;
    QList<std::pair<QString, QString>> lines;
    if (s.showResults != defaults.showResults)
        lines.append({ kShowResults, yesNo(s.showResults) });
    if (s.acceptingAnswers != defaults.acceptingAnswers)
        lines.append({ kAcceptingAnswers, yesNo(s.acceptingAnswers) });
    if (s.closingTime.isValid())
        lines.append({ kClosingTime, s.closingTime.toUTC().toString(kUtcTimeFormat) });
    if (s.answerLimit)
        lines.append({ kAnswerLimit, QString::number(*s.answerLimit) });
    // A line break would end the value's line in the file.
    if (!s.thankYouText.isEmpty())
        lines.append({ kThankYouText,
            QString(s.thankYouText)
                .replace(QLatin1Char('\r'), QLatin1Char(' '))
                .replace(QLatin1Char('\n'), QLatin1Char(' ')) });
    if (s.offerAnotherAnswer != defaults.offerAnotherAnswer)
        lines.append({ kOfferAnotherAnswer, yesNo(s.offerAnotherAnswer) });
    if (s.language != defaults.language)
        lines.append({ kFormLanguage, languageTag(s.language) });
    for (const FormQuota& quota : s.quotas) {
        lines.append({ kQuota, oneLine(quota.question) });
        lines.append({ kQuotaAnswer, oneLine(quota.answer) });
        lines.append({ kQuotaLimit, QString::number(quota.limit) });
    }
    if (s.invitedOnly)
        lines.append({ kInvitedOnly, yesNo(true) });
    if (s.anonymousAnswers)
        lines.append({ kAnonymousAnswers, yesNo(true) });
    return lines;
}

void setFormSettings(FormMethod& header, const FormSettings& settings)
{
    header.settings = formSettingLines(settings);
}

QString formSettingsText(const FormSettings& settings)
{
    return keyLinesText(formSettingLines(settings));
}

FormSettings formSettingsFromText(const QString& text)
{
    return formSettingsOf(keyLinesFromText(text));
}

} // namespace quenlow
