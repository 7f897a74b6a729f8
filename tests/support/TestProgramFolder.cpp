// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "support/TestProgramFolder.h"

#include "database/AnswerColumns.h"
#include "support/PostgresFixture.h"

#include <QHash>

#include <mutex>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

namespace quenlow::test {

namespace {

std::mutex g_foldersMutex;
QHash<QString, QString> g_storeOfFolder;

} // namespace

bool TestProgramFolder::onServerStore()
{
    return qgetenv("QUENLOW_TEST_STORE") == "postgresql";
}

QString storeLocationOf(const QString& appFolder)
{
    std::lock_guard lock(g_foldersMutex);
    return g_storeOfFolder.value(QDir::cleanPath(appFolder), answersStoreIn(appFolder));
}

TestProgramFolder::TestProgramFolder(bool withDatabase)
{
    QDir root(m_dir.path());
    root.mkpath(QStringLiteral("HTML"));
    root.mkpath(QStringLiteral("Collections"));
    root.mkpath(QStringLiteral("Reports"));
    m_database = answersStoreIn(path());
    if (onServerStore()) {
        QString why;
        m_database = freshPostgresLocation(&why);
        if (m_database.isEmpty())
            qFatal("%s", qPrintable(why));
    }
    {
        std::lock_guard lock(g_foldersMutex);
        g_storeOfFolder.insert(QDir::cleanPath(path()), m_database);
    }
    if (withDatabase) {
        if (const Result<void> made = createDatabase(database()); !made)
            qFatal("cannot create the test database: %s", qPrintable(made.error().detail));
    }
    m_messages.onUnanswered = [this](const RecordingMessages::Box& box) {
        if (!m_allowUnanswered)
            QTest::qFail(
                qPrintable(QStringLiteral("unexpected message box: ") + box.text), __FILE__, __LINE__);
    };
    Messages::install(&m_messages);
}

TestProgramFolder::~TestProgramFolder()
{
    Messages::install(nullptr);
    std::lock_guard lock(g_foldersMutex);
    g_storeOfFolder.remove(QDir::cleanPath(path()));
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
}

std::shared_ptr<AnswersStore> openStore(const QString& location)
{
    auto store = openAnswersStore(location);
    if (!store) {
        QTest::qFail(qPrintable(QStringLiteral("cannot open the answers store: ") + store.error().detail),
            __FILE__, __LINE__);
        return nullptr;
    }
    return std::move(store).value();
}

QStringList columnNames(const QString& location, const QString& table)
{
    QStringList names;
    if (const auto store = openStore(location)) {
        for (const auto& column : store->columns(table).valueOr({}))
            names.append(column.name);
    }
    return names;
}

QList<QVariantMap> tableRows(const QString& location, const QString& table)
{
    QList<QVariantMap> rows;
    const QStringList names = columnNames(location, table);
    const auto store = openStore(location);
    for (const AnswersStore::Row& row :
        store ? store->readRows(table, names, -1, 1 << 30).valueOr({}) : QList<AnswersStore::Row> {}) {
        QVariantMap values;
        for (qsizetype i = 0; i < names.size(); ++i)
            values.insert(names.at(i), row.values.value(i));
        rows.append(values);
    }
    return rows;
}

bool makeTestCertificate(const QString& folder, QString* certificate, QString* key)
{
    *certificate = folder + QStringLiteral("/cert.pem");
    *key = folder + QStringLiteral("/key.pem");
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
        { QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
            QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-days"),
            QStringLiteral("1"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
            QStringLiteral("-keyout"), *key, QStringLiteral("-out"), *certificate });
    if (!openssl.waitForFinished(30000) || openssl.exitStatus() != QProcess::NormalExit
        || openssl.exitCode() != 0) {
        QTest::qFail("openssl could not make a test certificate", __FILE__, __LINE__);
        return false;
    }
    return true;
}

} // namespace quenlow::test
