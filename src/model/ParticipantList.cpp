// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/ParticipantList.h"

#include "database/Participants.h"

#include <QFile>
#include <QSet>
#include <QStringDecoder>

namespace quenlow {

namespace {

struct Record {
    int line = 0;
    QStringList fields;
};

// The line of the first byte that is not UTF-8: decoded line by line.
int firstBadLine(const QByteArray& bytes)
{
    int line = 1;
    for (const QByteArray& text : bytes.split('\n')) {
        QStringDecoder strict(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        // With its line break back, a sequence cut short at the end of the line is an error too.
        const QString decoded = strict.decode(text + '\n');
        if (strict.hasError())
            return line;
        ++line;
    }
    return line;
}

QChar separatorOf(const QString& text)
{
    const QString firstLine = text.left(text.indexOf(QLatin1Char('\n')));
    if (firstLine.contains(QLatin1Char(',')))
        return QLatin1Char(',');
    if (firstLine.contains(QLatin1Char(';')))
        return QLatin1Char(';');
    if (firstLine.contains(QLatin1Char('\t')))
        return QLatin1Char('\t');
    return QLatin1Char(',');
}

ParticipantsResult<QList<Record>> recordsOf(const QString& text)
{
    const QChar separator = separatorOf(text);
    QList<Record> records;
    Record current { 1, {} };
    QString field;
    bool quoted = false, fieldStarted = false;
    int line = 1, quoteLine = 0;
    const auto endRecord = [&] {
        current.fields.append(field);
        records.append(current);
        current = Record { line, {} };
        field.clear();
        fieldStarted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    field.append(c);
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field.append(c);
            }
        } else if (c == QLatin1Char('"') && !fieldStarted) {
            quoted = fieldStarted = true;
            quoteLine = line;
        } else if (c == separator) {
            current.fields.append(field);
            field.clear();
            fieldStarted = false;
        } else if (c == QLatin1Char('\n')) {
            if (field.endsWith(QLatin1Char('\r')))
                field.chop(1);
            ++line;
            endRecord();
        } else {
            field.append(c);
            fieldStarted = true;
        }
    }
    if (quoted)
        return ParticipantsProblem { ParticipantsProblem::UnclosedQuote, quoteLine, {}, {} };
    // A last line without its line break still counts; the break after the last line adds none.
    if (!field.isEmpty() || !current.fields.isEmpty())
        endRecord();
    return records;
}

bool blank(const Record& record)
{
    return std::all_of(
        record.fields.cbegin(), record.fields.cend(), [](const QString& f) { return f.trimmed().isEmpty(); });
}

} // namespace

ParticipantsResult<QList<Participant>> readParticipantsCsv(const QByteArray& bytes)
{
    QStringDecoder strict(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = strict.decode(bytes);
    if (strict.hasError())
        return ParticipantsProblem { ParticipantsProblem::NotUtf8, firstBadLine(bytes), {}, {} };
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const auto records = recordsOf(text);
    if (!records)
        return records.error();
    if (records->size() < 2 || (records->size() == 2 && blank(records->at(1))))
        return ParticipantsProblem { ParticipantsProblem::NoRows, 0, {}, {} };

    QStringList columns;
    for (const QString& c : records->first().fields)
        columns.append(c.trimmed());
    for (qsizetype i = 0; i < columns.size(); ++i) {
        for (qsizetype j = 0; j < i; ++j) {
            if (columns.at(i).compare(columns.at(j), Qt::CaseInsensitive) == 0)
                return ParticipantsProblem { ParticipantsProblem::RepeatedColumn, 1, columns.at(i), {} };
        }
    }
    qsizetype nameColumn = 0;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (columns.at(i).compare(QLatin1StringView("name"), Qt::CaseInsensitive) == 0)
            nameColumn = i;
    }

    QList<Participant> people;
    QHash<QString, int> lineOfName;
    for (qsizetype r = 1; r < records->size(); ++r) {
        const Record& record = records->at(r);
        if (blank(record))
            return ParticipantsProblem { ParticipantsProblem::EmptyLine, record.line, {}, {} };
        if (record.fields.size() > columns.size())
            return ParticipantsProblem { ParticipantsProblem::ExtraFields, record.line, {}, {} };
        Participant person;
        person.name = record.fields.value(nameColumn).trimmed();
        for (qsizetype i = 0; i < columns.size(); ++i) {
            if (i != nameColumn)
                person.attributes.append({ columns.at(i), record.fields.value(i).trimmed() });
        }
        if (!person.name.isEmpty()) {
            if (lineOfName.contains(person.name))
                return ParticipantsProblem { ParticipantsProblem::RepeatedName, record.line, person.name,
                    {} };
            lineOfName.insert(person.name, record.line);
        }
        people.append(std::move(person));
    }
    return people;
}

namespace {

ParticipantsProblem storeProblem(const Error& e)
{
    return { e.kind == Error::NotFound ? ParticipantsProblem::NoForm : ParticipantsProblem::Store, 0, {},
        e.detail };
}

// Gives each of `people` a new code and adds them to the form's participants.
ParticipantsResult<int> addWithCodes(
    const QString& location, const QString& formName, QList<Participant> people, bool namesKnown)
{
    const auto store = openAnswersStore(location);
    if (!store)
        return storeProblem(store.error());
    const QString table = AnswersStore::tableFor(formName);
    const auto already = participantsOf(**store, table);
    if (!already)
        return storeProblem(already.error());
    QSet<QString> taken;
    QSet<QString> names;
    for (const Participant& p : *already) {
        taken.insert(p.code);
        if (!p.name.isEmpty())
            names.insert(p.name);
    }
    if (namesKnown) {
        for (const Participant& p : std::as_const(people)) {
            if (names.contains(p.name))
                return ParticipantsProblem { ParticipantsProblem::RepeatedName, 0, p.name, {} };
        }
    }
    const auto key = (*store)->sharedKey();
    if (!key)
        return storeProblem(key.error());
    const QStringList codes = makeParticipantCodes(*key, table, people.size(), taken);
    for (qsizetype i = 0; i < people.size(); ++i)
        people[i].code = codes.at(i);
    if (const auto added = addParticipants(**store, table, people); !added)
        return storeProblem(added.error());
    return int(people.size());
}

} // namespace

ParticipantsResult<int> importParticipants(
    const QString& location, const QString& formName, const QString& csvFile)
{
    QFile file(csvFile);
    if (!file.open(QIODevice::ReadOnly))
        return ParticipantsProblem { ParticipantsProblem::Unreadable, 0, {}, file.errorString() };
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return ParticipantsProblem { ParticipantsProblem::Unreadable, 0, {}, file.errorString() };
    auto people = readParticipantsCsv(bytes);
    if (!people)
        return people.error();
    return addWithCodes(location, formName, std::move(people).value(), true);
}

ParticipantsResult<int> addUnnamedParticipants(const QString& location, const QString& formName, int count)
{
    return addWithCodes(location, formName, QList<Participant>(qMax(count, 0)), false);
}

QByteArray notAnsweredCsv(const QList<Participant>& people)
{
    const auto field = [](const QString& value) -> QString {
        // Quoted where a reader would take it apart.
        if (value.contains(QLatin1Char(',')) || value.contains(QLatin1Char('"'))
            || value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')))
            return QLatin1Char('"') + QString(value).replace(QLatin1Char('"'), QStringLiteral("\"\""))
                + QLatin1Char('"');
        return value;
    };
    QStringList attributeNames;
    for (const Participant& p : people) {
        for (const auto& attribute : p.attributes) {
            if (!attributeNames.contains(attribute.first))
                attributeNames.append(attribute.first);
        }
    }
    QStringList header { QStringLiteral("name"), QStringLiteral("code") };
    for (const QString& name : std::as_const(attributeNames))
        header.append(field(name));
    QString out = header.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    for (const Participant& p : people) {
        if (p.answered)
            continue;
        QStringList line { field(p.name), p.code };
        for (const QString& name : std::as_const(attributeNames)) {
            QString value;
            for (const auto& attribute : p.attributes) {
                if (attribute.first == name)
                    value = attribute.second;
            }
            line.append(field(value));
        }
        out += line.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

} // namespace quenlow
