// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/RecordingMessages.h"
#include "database/AnswersStore.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QVariantMap>

namespace quenlow::test {

/// A fresh program folder for one test: HTML/, Collections/, Reports/ and,
/// unless asked otherwise, an empty answers database. The database is the
/// folder's file, or, when QUENLOW_TEST_STORE=postgresql (the suites that run
/// on both stores are registered twice), a fresh database on the test run's
/// PostgreSQL cluster. Installs a RecordingMessages for its lifetime; a box
/// that appears with no queued answer fails the test.
class TestProgramFolder
{
public:
    explicit TestProgramFolder(bool withDatabase = true);
    ~TestProgramFolder();

    QString path() const { return m_dir.path(); }
    QString html(const QString& file) const { return path() + QStringLiteral("/HTML/") + file; }
    QString collection(const QString& formName) const
    {
        return path() + QStringLiteral("/Collections/") + formName + QStringLiteral("Collection.txt");
    }
    /// Where the folder's answers are stored: give it to the code under test.
    QString database() const { return m_database; }
    /// True when the answers are on a database server this run.
    static bool onServerStore();

    RecordingMessages& messages() { return m_messages; }
    /// Texts of the boxes shown so far.
    QStringList messageTexts() const { return m_messages.texts(); }
    /// Lets boxes appear without an answer (OK / No) instead of failing the test.
    void allowUnanswered(bool allow = true) { m_allowUnanswered = allow; }

private:
    QTemporaryDir m_dir;
    QString m_database;
    RecordingMessages m_messages;
    bool m_allowUnanswered = false;
};

/// The answers store of the TestProgramFolder at `appFolder` (the folder's
/// own file for any other folder).
QString storeLocationOf(const QString& appFolder);

/// The bytes of a file ("" when it cannot be read).
QByteArray readBytes(const QString& path);
/// Writes bytes to a file, creating its folder.
void writeBytes(const QString& path, const QByteArray& bytes);

/// The answers store at `location` (the one database() names, or another
/// kind's): tests reach the answers only through it. Null, and a test
/// failure, when it cannot be opened.
std::shared_ptr<AnswersStore> openStore(const QString& location);
/// The names of `table`'s columns, in order.
QStringList columnNames(const QString& location, const QString& table);
/// Every row of `table` as column name -> value (null where nothing was
/// answered), in arrival order.
QList<QVariantMap> tableRows(const QString& location, const QString& table);

/// A self-signed certificate for 127.0.0.1 and its key, made with openssl in
/// `folder` as cert.pem and key.pem; false (the test failed) when it cannot be.
bool makeTestCertificate(const QString& folder, QString* certificate, QString* key);

} // namespace quenlow::test
