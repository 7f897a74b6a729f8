// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/Participants.h"

#include "core/IsoMoment.h"
#include "database/Participants_p.h"
#include "database/PostgresAnswersStore.h"
#include "database/Receipts.h"
#include "database/SqliteAnswersStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>

#include <algorithm>
#include <cstring>

namespace quenlow {

namespace {

// The receipts' alphabet: read off a card or a phone, none is taken for another.
constexpr char kAlphabet[] = "3479ACDEFGHJKMNPQRTWXY6";
constexpr int kBase = sizeof(kAlphabet) - 1;
constexpr int kLength = 8;

QString codeOf(const QByteArray& digest)
{
    quint64 n = 0;
    for (int i = 0; i < 8; ++i)
        n = (n << 8) | quint8(digest.at(i));
    QString code;
    for (int i = 0; i < kLength; ++i) {
        code.append(QLatin1Char(kAlphabet[n % kBase]));
        n /= kBase;
    }
    return code;
}

} // namespace

QStringList makeParticipantCodes(
    const QByteArray& key, const QString& table, qsizetype count, QSet<QString> taken)
{
    QStringList codes;
    codes.reserve(count);
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, key);
    const QByteArray prefix = QByteArrayLiteral("participant:") + table.toUtf8() + ':';
    QByteArray nonce(16, Qt::Uninitialized);
    while (codes.size() < count) {
        QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(nonce.data()), nonce.size() / 4);
        mac.reset();
        mac.addData(prefix);
        mac.addData(nonce);
        const QString code = codeOf(mac.result());
        if (taken.contains(code))
            continue;
        taken.insert(code);
        codes.append(code);
    }
    return codes;
}

namespace {

Error noParticipants()
{
    return Error { Error::Other, QStringLiteral("this answers store keeps no participants") };
}

} // namespace

// Asked of the engine, as the receipts' key is: the interface of every
// store stays as the service and the windows know it.
Result<void> addParticipants(AnswersStore& store, const QString& table, const QList<Participant>& people)
{
    if (auto* sqlite = dynamic_cast<SqliteAnswersStore*>(&store))
        return sqlite->addParticipants(table, people);
    if (auto* postgres = dynamic_cast<PostgresAnswersStore*>(&store))
        return postgres->addParticipants(table, people);
    return noParticipants();
}

Result<QList<Participant>> participantsOf(AnswersStore& store, const QString& table)
{
    if (auto* sqlite = dynamic_cast<SqliteAnswersStore*>(&store))
        return sqlite->participants(table);
    if (auto* postgres = dynamic_cast<PostgresAnswersStore*>(&store))
        return postgres->participants(table);
    return noParticipants();
}

Result<void> removeParticipants(AnswersStore& store, const QString& table, const QStringList& codes)
{
    if (auto* sqlite = dynamic_cast<SqliteAnswersStore*>(&store))
        return sqlite->removeParticipants(table, codes);
    if (auto* postgres = dynamic_cast<PostgresAnswersStore*>(&store))
        return postgres->removeParticipants(table, codes);
    return noParticipants();
}

Result<Participation> participationOf(AnswersStore& store, const QString& table)
{
    if (auto* sqlite = dynamic_cast<SqliteAnswersStore*>(&store))
        return sqlite->participation(table);
    if (auto* postgres = dynamic_cast<PostgresAnswersStore*>(&store))
        return postgres->participation(table);
    return noParticipants();
}

QString normalizedCode(const QString& typed)
{
    return normalizedReceipt(typed);
}

bool isParticipantCode(const QString& code)
{
    return code.size() == kLength && std::all_of(code.cbegin(), code.cend(), [](QChar c) {
        return c.unicode() < 128 && std::strchr(kAlphabet, char(c.unicode())) && c.unicode() != 0;
    });
}

Result<QHash<qint64, Participant>> participantsByAnswer(AnswersStore& store, const QString& table)
{
    if (auto* sqlite = dynamic_cast<SqliteAnswersStore*>(&store))
        return sqlite->participantsByAnswer(table);
    if (auto* postgres = dynamic_cast<PostgresAnswersStore*>(&store))
        return postgres->participantsByAnswer(table);
    return noParticipants();
}

Result<CodeState> participantCodeState(AnswersStore& store, const QString& table, const QString& code)
{
    if (!isParticipantCode(code))
        return CodeState::Unknown;
    if (auto* sqlite = dynamic_cast<SqliteAnswersStore*>(&store))
        return sqlite->participantCodeState(table, code);
    if (auto* postgres = dynamic_cast<PostgresAnswersStore*>(&store))
        return postgres->participantCodeState(table, code);
    return noParticipants();
}

namespace participants {

CodeState codeStateOf(qint64 looked)
{
    return looked < 0 ? CodeState::Unknown : looked == 0 ? CodeState::NotAnswered : CodeState::Answered;
}

} // namespace participants

namespace participants {

QByteArray attributesText(const QList<std::pair<QString, QString>>& attributes)
{
    QJsonArray pairs;
    for (const auto& [name, value] : attributes)
        pairs.append(QJsonArray { name, value });
    return QJsonDocument(pairs).toJson(QJsonDocument::Compact);
}

QList<std::pair<QString, QString>> attributesFrom(const QByteArray& text)
{
    QList<std::pair<QString, QString>> attributes;
    const QJsonArray pairs = QJsonDocument::fromJson(text).array();
    for (const QJsonValue& pair : pairs)
        attributes.append({ pair.toArray().at(0).toString(), pair.toArray().at(1).toString() });
    return attributes;
}

QString answeredText(const std::optional<QDateTime>& moment)
{
    // Without a moment (anonymous answers) only that the code was used is kept.
    return moment ? QString::fromLatin1(isoMomentUtc(*moment)) : QStringLiteral("answered");
}

std::optional<QDateTime> answeredFrom(const QString& text)
{
    QDateTime moment = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!moment.isValid())
        return std::nullopt;
    return moment.toUTC();
}

} // namespace participants

} // namespace quenlow
