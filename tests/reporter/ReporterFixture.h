// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/TextFile.h"
#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "model/CollectionFile.h"
#include "model/FormSession.h"
#include "model/OwnedColumns.h"
#include "support/FormBuilder.h"
#include "support/ModalStep.h"
#include "support/TestProgramFolder.h"

#include <QListWidget>
#include <QTest>

namespace quenlow::test {

/// A form held in a session, with its answers table, built without the
/// designer's windows: questions go straight into the element list and the
/// table, answers straight into the store.
class ReporterFixture
{
public:
    explicit ReporterFixture(const QString& formName = QStringLiteral("survey"))
        : session(folder.path())
    {
        session.setAnswersStore(folder.database());
        if (!FormBuilder(folder.path(), formName).openIn(session))
            qFatal("cannot create the form");
    }

    QString table() const { return QStringLiteral("tbl_") + session.openFormName(); }
    std::shared_ptr<AnswersStore> store() const { return openStore(folder.database()); }

    /// Appends an element to the form; question kinds also get their column,
    /// holding `olderRowsText` in the answers already there.
    void add(ElementKind kind, const QString& instruction, const QStringList& options = {},
        const QString& olderRowsText = {})
    {
        FormMethod method;
        method.kind = kind;
        method.userInstruction = instruction;
        if (holdsOptionList(kind))
            method.attribute6List = options;
        append(method);
        if (isQuestionKind(kind)
            && !store()->addColumn(table(), columnNameFor(instruction),
                hasMemoColumn(kind) ? AnswersStore::ColumnKind::Memo : AnswersStore::ColumnKind::Text,
                olderRowsText))
            qFatal("cannot add the column");
    }

    /// Appends a whole record (a scale, a question with settings), with its column.
    void add(const FormMethod& question)
    {
        append(question);
        for (const OwnedColumn& column : answerColumnsOf(question)) {
            if (!store()->addColumn(table(), column.name, AnswersStore::ColumnKind::Text, {}))
                qFatal("cannot add the column");
        }
    }
    /// Writes the form's collection file as it stands.
    void writeCollection()
    {
        writeBytes(
            folder.collection(session.openFormName()), encodeText(serializeCollection(session.collection())));
    }
    /// Stores one answer: question texts (fitted to their column names here) and values.
    void answer(const QList<QPair<QString, QString>>& values) { answerMany({ values }); }
    void answerMany(const QList<QList<QPair<QString, QString>>>& answers)
    {
        QList<AnswersStore::NewRow> rows;
        for (const auto& values : answers) {
            rows.append({ table(), {}, {}, {}, {} });
            for (const auto& [question, value] : values)
                rows.last().values.append({ columnNameFor(question), value });
        }
        if (!store()->insertRows(rows))
            qFatal("cannot store the answers");
    }
    /// `count` answers to `question`: `pattern` with the numbers from `first` on.
    void answerNumbered(const QString& question, int first, int count, const QString& pattern)
    {
        QList<QList<QPair<QString, QString>>> answers;
        for (int i = first; i < first + count; ++i)
            answers.append({ { question, pattern.arg(i) } });
        answerMany(answers);
    }
    /// Deletes the answers whose `question` holds `value`, as the answers tab does.
    void deleteAnswers(const QString& question, const QString& value)
    {
        QList<qint64> ids;
        for (const AnswersStore::Row& row :
            store()->readRows(table(), { columnNameFor(question) }, -1, 1 << 30).valueOr({})) {
            if (row.values.value(0).toString() == value)
                ids.append(row.id);
        }
        QVERIFY(store()->deleteRows(table(), ids));
    }

    /// Presses `button` of `form` and saves what it added to the report by
    /// closing the preview with Yes to the save question.
    void addAndSave(QWidget& form, const QString& button)
    {
        folder.messages().queueAnswer(MessageAnswer::Ok); // "If the added ... is as desired ..."
        folder.messages().queueAnswer(MessageAnswer::Yes); // "Do you want to save the changes ...?"
        ModalStep preview(QStringLiteral("DocumentPreview"), [](QWidget* w) { click(w, "CloseDocument"); });
        click(&form, button);
    }

    TestProgramFolder folder;
    FormSession session;

private:
    void append(const FormMethod& method) { session.changeableCollection().append(method); }
};

} // namespace quenlow::test
