// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/FormStates.h"

#include "core/TextFile.h"
#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "model/CollectionFile.h"
#include "model/FormSession.h"
#include "model/MethodCollection.h"
#include "model/Publication.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace quenlow {

namespace {

const QString kCollectionSuffix = QStringLiteral("Collection.txt");

FormSettings reopened(FormSettings settings, bool accepting)
{
    settings.acceptingAnswers = accepting;
    if (accepting) {
        settings.closingTime = {};
        settings.answerLimit.reset();
    }
    return settings;
}

} // namespace

QList<FormOverview> formOverviews(const FormSession& session)
{
    QList<FormOverview> forms;
    const auto store = openAnswersStore(session.databasePath());
    const QStringList files
        = QDir(session.collectionsFolder())
              .entryList({ QLatin1Char('*') + kCollectionSuffix }, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        const QString name = file.chopped(kCollectionSuffix.size());
        if (name.isEmpty() || !QFileInfo::exists(session.htmlFolder() + name + QStringLiteral(".html")))
            continue;
        // The open form as it is now, which may be ahead of its file.
        const bool isOpenForm = session.isFormOpen() && formNameOf(session.htmlName()) == name;
        const QList<FormMethod> methods = isOpenForm
            ? session.collection().methods()
            : readCollectionFile(session.collectionsFolder() + file).methods;
        const std::optional<HeaderFacts> facts = headerFacts(methods);
        if (!facts)
            continue;
        FormOverview form { name, facts->title, facts->settings, std::nullopt, std::nullopt };
        form.quotaCounts.resize(form.settings.quotas.size());
        if (store) {
            const QString table = AnswersStore::tableFor(name);
            if (const auto exists = (*store)->tableExists(table); exists && *exists) {
                if (const auto count = (*store)->rowCount(table))
                    form.answers = *count;
                for (qsizetype i = 0; i < form.settings.quotas.size(); ++i) {
                    const FormQuota& quota = form.settings.quotas.at(i);
                    if (const auto counted
                        = (*store)->countMatches(table, columnNameFor(quota.question), { quota.answer });
                        counted && counted->size() == 1)
                        form.quotaCounts[i] = counted->first();
                }
            } else if (exists) {
                form.answers = 0;
                form.quotaCounts.fill(qint64(0));
            }
            if (const auto invited = participationOf(**store, table); invited && invited->invited > 0)
                form.participation = *invited;
        }
        forms.append(form);
    }
    return forms;
}

QString formStateText(const FormOverview& form, const QDateTime& now)
{
    // Shown in the designer's windows, in the person's language.
    const auto shown = [](const char* text) { return QCoreApplication::translate("FormStates", text); };
    const FormSettings& s = form.settings;
    if (!s.acceptingAnswers)
        return shown(QT_TRANSLATE_NOOP("FormStates", "Closed"));
    if (s.closingTime.isValid() && now >= s.closingTime)
        return shown(QT_TRANSLATE_NOOP("FormStates", "Closed since %1"))
            .arg(QLocale().toString(s.closingTime.toLocalTime(), QLocale::ShortFormat));
    if (s.answerLimit && form.answers && *form.answers >= *s.answerLimit)
        return shown(QT_TRANSLATE_NOOP("FormStates", "Full (%1 answers)")).arg(*s.answerLimit);
    if (s.closingTime.isValid())
        return shown(QT_TRANSLATE_NOOP("FormStates", "Open until %1"))
            .arg(QLocale().toString(s.closingTime.toLocalTime(), QLocale::ShortFormat));
    return shown(QT_TRANSLATE_NOOP("FormStates", "Open"));
}

QStringList quotaCountTexts(const FormOverview& form)
{
    QStringList texts;
    for (qsizetype i = 0; i < form.settings.quotas.size(); ++i) {
        const FormQuota& quota = form.settings.quotas.at(i);
        const QString counted = i < form.quotaCounts.size() && form.quotaCounts.at(i).has_value()
            ? QString::number(form.quotaCounts.at(i).value_or(0))
            : QStringLiteral("?");
        texts.append(QCoreApplication::translate("FormStates", "%1 %2 of %3")
                         .arg(quota.answer, counted, QString::number(quota.limit)));
    }
    return texts;
}

Result<void> setAcceptingAnswers(FormSession& session, const QString& formName, bool accepting)
{
    if (session.isFormOpen() && formNameOf(session.htmlName()) == formName) {
        // Through the history like any change to the open form, so that undoing
        // an earlier change never brings back the state it had then.
        Result<void> outcome;
        session.recordChange(
            // The Edit menu names the change in the person's language.
            QCoreApplication::translate("FormStates",
                accepting ? QT_TRANSLATE_NOOP("FormStates", "Open Form for Answers")
                          : QT_TRANSLATE_NOOP("FormStates", "Close Form for Answers")),
            [&] {
                QList<FormMethod> methods = session.collection().methods();
                if (methods.isEmpty() || !headerFacts(methods)) {
                    outcome = Error { Error::NotFound, QStringLiteral("the form has no header") };
                    return false;
                }
                FormMethod header = methods.first();
                setFormSettings(header, reopened(formSettingsOf(header), accepting));
                session.changeableCollection().replace(0, header);
                const QString path = session.collectionFilePath(formName);
                const FileResult written
                    = writeFileAtomically(path, encodeText(serializeCollection(session.collection())));
                if (!written) {
                    outcome = written.error();
                    return false;
                }
                return true;
            });
        if (!outcome)
            return outcome;
        return publishOpenForm(session);
    }
    const QString path = session.collectionFilePath(formName);
    ParsedCollection parsed = readCollectionFile(path);
    if (!parsed.ok())
        return Error { Error::NotFound, parsed.error };
    if (parsed.methods.isEmpty() || !headerFacts(parsed.methods))
        return Error { Error::NotFound, QStringLiteral("the form has no header") };
    FormMethod& header = parsed.methods.first();
    setFormSettings(header, reopened(formSettingsOf(header), accepting));
    MethodCollection collection;
    collection.setMethods(parsed.methods);
    if (const FileResult written = writeFileAtomically(path, encodeText(serializeCollection(collection)));
        !written)
        return written.error();
    return publishForm(session, formName, parsed.methods);
}

} // namespace quenlow
