// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "support/FormBuilder.h"

#include "core/TextFile.h"
#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "model/Backgrounds.h"
#include "model/CollectionFile.h"
#include "model/FormHeader.h"
#include "model/FormSession.h"
#include "model/MethodCollection.h"
#include "model/OwnedColumns.h"
#include "model/PageWriter.h"
#include "model/Publication.h"
#include "support/TestProgramFolder.h"

#include <QTest>

namespace quenlow::test {

FormBuilder::FormBuilder(const QString& appFolder, const QString& name)
    : m_folder(appFolder)
    , m_name(name)
    , m_title(name)
    , m_location(storeLocationOf(appFolder))
    , m_store(m_location)
{
}

FormBuilder& FormBuilder::title(const QString& title)
{
    m_title = title;
    return *this;
}

FormBuilder& FormBuilder::background(int choice)
{
    m_background = choice;
    return *this;
}

FormBuilder& FormBuilder::showsAnswersTable(bool allowed)
{
    m_allowTable = allowed;
    return *this;
}

FormBuilder& FormBuilder::databaseLocation(const QString& location)
{
    m_location = location;
    return *this;
}

FormBuilder& FormBuilder::answersIn(const QString& location)
{
    m_store = location;
    return *this;
}

FormMethod FormBuilder::header(qint16 counter) const
{
    HeaderSettings s;
    s.formName = m_name;
    s.title = m_title;
    s.letterSize = QStringLiteral("7");
    s.justification = QStringLiteral("Centre");
    s.background = backgroundImageFor(backgroundChoices().value(m_background));
    s.databaseLocation = m_location;
    s.userViewTable = m_allowTable;
    FormMethod record = headerRecord(s, m_background, counter);
    setFormSettings(record, m_settings);
    return record;
}

bool FormBuilder::write()
{
    return writeTable() && writeFiles();
}

bool FormBuilder::openIn(FormSession& session)
{
    if (!writeTable())
        return false;
    session.resetOpenForm();
    session.setOpenFormName(m_name);
    session.setOpenPageFile(pageFile());
    session.changeableCollection().append(
        header(session.elementCounter()), QStringLiteral("HTML Header (Can't Remove/Move)"));
    for (const FormMethod& e : m_elements)
        session.changeableCollection().append(e);
    session.setHtmlName(session.openPageFile());
    if (!writeFormPage(session, session.openPageFile())) {
        QTest::qFail("cannot write the form's files", __FILE__, __LINE__);
        return false;
    }
    session.setSelectedRow(0);
    return true;
}

bool FormBuilder::writeTable()
{
    const auto store = openStore(m_store);
    if (!store || !store->createTable(tableName(), QStringLiteral("Form Question")))
        return false;
    for (const FormMethod& e : m_elements) {
        for (const OwnedColumn& column : answerColumnsOf(e)) {
            if (!store->addColumn(tableName(), column.name,
                    column.memo ? AnswersStore::ColumnKind::Memo : AnswersStore::ColumnKind::Text,
                    QString())) {
                QTest::qFail(
                    qPrintable(QStringLiteral("cannot add the column ") + column.source), __FILE__, __LINE__);
                return false;
            }
        }
    }
    return true;
}

bool FormBuilder::writeFiles()
{
    const auto store = openStore(m_store);
    if (!store)
        return false;
    MethodCollection collection;
    collection.append(header());
    for (const FormMethod& e : m_elements)
        collection.append(e);
    const FileResult c = writeFileAtomically(
        m_folder + QStringLiteral("/Collections/") + m_name + QStringLiteral("Collection.txt"),
        encodeText(serializeCollection(collection)));
    const FileResult p = writeFileAtomically(
        m_folder + QStringLiteral("/HTML/") + pageFile(), encodeText(buildFormPage(collection)));
    if (!c || !p)
        QTest::qFail("cannot write the form's files", __FILE__, __LINE__);
    // A database server's store serves the forms published into it.
    if (c && p && store->keepsPublications()
        && !store->publish(
            publicationOf(m_name, collection.methods(), m_folder + QStringLiteral("/HTML/")))) {
        QTest::qFail("cannot publish the form", __FILE__, __LINE__);
        return false;
    }
    return c && p;
}

} // namespace quenlow::test
