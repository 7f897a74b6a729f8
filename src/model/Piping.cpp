// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/Piping.h"

#include "model/Fragments.h"
#include "model/QuestionSettings.h"

namespace quenlow {

namespace {

// The texts of a record that a person reads and that may name an earlier answer.
QStringList textsOf(const FormMethod& m)
{
    switch (m.kind) {
    case ElementKind::PlainText:
    case ElementKind::TextField:
    case ElementKind::TextArea:
    case ElementKind::CheckBox:
    case ElementKind::Scale:
    case ElementKind::PageBreak:
    case ElementKind::Grid: // its statements name its columns: only its question
    case ElementKind::Ranking: // so do its options
        return { m.userInstruction };
    case ElementKind::RadioButtons:
    case ElementKind::PullDownMenu:
        return QStringList { m.userInstruction } + m.attribute6List;
    case ElementKind::Header:
    case ElementKind::SubmitButton:
    case ElementKind::Line:
    case ElementKind::Unknown:
        break;
    }
    return {};
}

void namesIn(const QString& text, QStringList& names)
{
    for (qsizetype open = text.indexOf(QLatin1Char('{')); open >= 0;
         open = text.indexOf(QLatin1Char('{'), open + 1)) {
        qsizetype close = open + 1;
        while (close < text.size() && text.at(close) != QLatin1Char('}') && text.at(close) != QLatin1Char('{')
            && text.at(close) != QLatin1Char('<'))
            ++close;
        if (close < text.size() && text.at(close) == QLatin1Char('}') && close > open + 1) {
            const QString name = text.sliced(open + 1, close - open - 1);
            if (!names.contains(name))
                names.append(name);
        }
    }
}

QString renamedIn(QString text, const QString& from, const QString& to)
{
    return text.replace(QLatin1Char('{') + from + QLatin1Char('}'), QLatin1Char('{') + to + QLatin1Char('}'));
}

} // namespace

QStringList pipedNames(const FormMethod& m)
{
    QStringList names;
    for (const QString& text : textsOf(m))
        namesIn(text, names);
    return names;
}

std::optional<QString> pipedFromLater(const MethodCollection& collection, const FormMethod& m, int position)
{
    const QStringList names = pipedNames(m);
    if (names.isEmpty())
        return std::nullopt;
    QStringList earlier;
    QStringList laterOrOwn { m.userInstruction };
    for (int i = 0; i < collection.count(); ++i) {
        const FormMethod& other = collection.atPosition(i);
        if (isQuestionKind(other.kind))
            (i < position ? earlier : laterOrOwn).append(other.userInstruction);
    }
    for (const QString& name : names) {
        if (!earlier.contains(name) && laterOrOwn.contains(name))
            return name;
    }
    return std::nullopt;
}

std::optional<FormMethod> withPipeRenamed(const FormMethod& m, const QString& from, const QString& to)
{
    if (!pipedNames(m).contains(from))
        return std::nullopt;
    FormMethod renamed = m;
    renamed.userInstruction = renamedIn(m.userInstruction, from, to);
    if (renamed.holdsList()) {
        for (QString& option : renamed.attribute6List)
            option = renamedIn(option, from, to);
        renamed.attribute5 = renamedIn(m.attribute5, from, to); // the option chosen by default
    }
    renamed.htmlCode = m.kind == ElementKind::PlainText
        ? plainTextFragment(renamed.userInstruction)
        : questionFragment(renamed, questionSettingsOf(renamed));
    return renamed;
}

QStringList elementsNaming(const MethodCollection& collection, const QString& question)
{
    QStringList naming;
    for (int i = 0; i < collection.count(); ++i) {
        const FormMethod& m = collection.atPosition(i);
        if (pipedNames(m).contains(question))
            naming.append(m.userInstruction);
    }
    return naming;
}

} // namespace quenlow
