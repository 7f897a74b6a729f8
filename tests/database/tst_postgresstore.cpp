// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswersStore.h"
#include "support/PostgresFixture.h"

#include <QProcess>
#include <QTest>

#include <thread>

using namespace quenlow;

// What only the server store has to get right: its names, its connection,
// its bookkeeping. Everything both stores do is in tst_answersstore.
class TestPostgresStore : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QString why;
        m_location = test::freshPostgresLocation(&why);
        QVERIFY2(!m_location.isEmpty(), qPrintable(why));
    }

    void openTellsAMissingStoreFromAnUnreachableServer()
    {
        QVERIFY(openAnswersStore(m_location).failedWith(Error::NotFound)); // no database
        auto made = createAnswersStore(m_location);
        QVERIFY2(made, qPrintable(made ? QString() : made.error().detail));
        QVERIFY(createAnswersStore(m_location).failedWith(Error::Duplicate));
        QVERIFY(openAnswersStore(m_location));

        // A database without the store's tables is no store.
        const QString other = test::freshPostgresLocation(nullptr);
        QVERIFY(psql(other.left(other.lastIndexOf(QLatin1Char('/'))) + QStringLiteral("/postgres"),
            QStringLiteral("CREATE DATABASE %1").arg(other.mid(other.lastIndexOf(QLatin1Char('/')) + 1))));
        QVERIFY(openAnswersStore(other).failedWith(Error::NotFound));

        QVERIFY(openAnswersStore(QStringLiteral("postgresql://nobody@127.0.0.1:1/x")).failedWith(Error::Io));
        // A password never shows in messages.
        QString secret = m_location;
        secret.replace(QStringLiteral("postgres@"), QStringLiteral("postgres:s3cret@"));
        const auto withPassword = openAnswersStore(secret);
        QVERIFY(withPassword);
        QVERIFY(!(*withPassword)->location().contains(QLatin1String("s3cret")));
        QVERIFY(!shownLocation(secret + QStringLiteral("?password=s3cret&sslmode=disable"))
                     .contains(QLatin1String("s3cret")));
    }

    void namesLongerThanTheServerTakesStayApart()
    {
        auto store = createAnswersStore(m_location).value();
        const QString table = AnswersStore::tableFor(QString(70, QLatin1Char('F')));
        const QString a = QString(60, QChar(0x00e9)) + QStringLiteral("ends"); // 128 bytes
        const QString b = QString(60, QChar(0x00e9)) + QStringLiteral("Ends"); // the same folded
        const QString c = QString(60, QChar(0x00e9)) + QStringLiteral("else");
        QVERIFY(store->createTable(table, QStringLiteral("Form Question")));
        QVERIFY(store->createTable(table.toLower(), QStringLiteral("X")).failedWith(Error::Duplicate));
        QVERIFY(store->addColumn(table, a, AnswersStore::ColumnKind::Memo, QString()));
        QVERIFY(store->addColumn(table, b, AnswersStore::ColumnKind::Text, QString())
                    .failedWith(Error::Duplicate));
        QVERIFY(store->addColumn(table, c, AnswersStore::ColumnKind::Text, QString()));
        QCOMPARE(store->tables().valueOr({}), QStringList { table });
        const auto columns = store->columns(table).valueOr({});
        QCOMPARE(columns,
            (QList<AnswersStore::Column> {
                { QStringLiteral("Form Question"), AnswersStore::ColumnKind::Text },
                { a, AnswersStore::ColumnKind::Memo }, { c, AnswersStore::ColumnKind::Text } }));
        AnswersStore::NewRow row;
        row.table = table.toUpper();
        row.values = { { b, QStringLiteral("to a") }, { c, QStringLiteral("to c") } };
        const auto stored = store->insertRows({ row });
        QVERIFY(stored && stored->first().outcome == AnswersStore::Inserted::Stored);
        QCOMPARE(store->readRows(table, { a, c }, -1, 5).value().first().values,
            QVariantList({ QStringLiteral("to a"), QStringLiteral("to c") }));
        QVERIFY(store->renameColumn(table, a, b));
        QCOMPARE(store->columns(table).value().at(1).name, b);
    }

    void theNextCallAfterALostConnectionReconnects()
    {
        auto store = createAnswersStore(m_location).value();
        const QString table = AnswersStore::tableFor(QStringLiteral("survey"));
        QVERIFY(store->createTable(table, QStringLiteral("Mood")));
        AnswersStore::NewRow row;
        row.table = table;
        row.values = { { QStringLiteral("Mood"), QStringLiteral("glad") } };
        row.token = QStringLiteral("t1");
        QVERIFY(store->insertRows({ row }));
        QCOMPARE(store->orderRows(table, { QStringLiteral("Mood"), false, {}, {} }).valueOr(-1), 1);
        // As when the server restarts: every session of the database ends.
        const QString database = m_location.mid(m_location.lastIndexOf(QLatin1Char('/')) + 1);
        const auto restart = [&] {
            return psql(m_location,
                QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = '%1' "
                               "AND pid <> pg_backend_pid()")
                    .arg(database));
        };
        QVERIFY(restart());
        // The order of rows shown lived in the old session.
        QCOMPARE(store->orderedRows(table, { QStringLiteral("Mood") }, 0, 5).valueOr({}).size(), 1);
        QVERIFY(restart());
        row.token = QStringLiteral("t2");
        const auto again = store->insertRows({ row });
        QVERIFY2(again, qPrintable(again ? QString() : again.error().detail));
        QCOMPARE(again->first().outcome, AnswersStore::Inserted::Stored);
        QCOMPARE(store->rowCount(table).valueOr(-1), 2);
    }

    void publishedFormsComeBackByteForByte()
    {
        auto store = createAnswersStore(m_location).value();
        QVERIFY(store->keepsPublications());
        AnswersStore::Publication form;
        form.form = QStringLiteral("survey");
        form.title = QStringLiteral("Ça va?");
        form.showsAnswersTable = true;
        form.page = QByteArray("<html>\xc3\xa9\0</html>", 16);
        form.questions = { { QStringLiteral("Mood"), QStringLiteral("Text Box"), {}, {}, {}, {} },
            { QStringLiteral("Why"), QStringLiteral("Memo"), {}, {}, {}, {} } };
        form.backgroundImage = QStringLiteral("back.png");
        form.backgroundBytes = QByteArray("\x89PNG\r\n\x1a\n\0\xff\x00", 11);
        QVERIFY(store->publish(form));
        form.title = QStringLiteral("Again");
        QVERIFY(store->publish(form)); // replaces
        const auto back = store->publication(QStringLiteral("survey"));
        QVERIFY(back && *back);
        QCOMPARE((*back)->title, form.title);
        QCOMPARE((*back)->page, form.page);
        QCOMPARE((*back)->questions, form.questions);
        QCOMPARE((*back)->showsAnswersTable, true);
        QCOMPARE((*back)->backgroundBytes, form.backgroundBytes);
        const auto file = store->publishedFile(QStringLiteral("back.png"));
        QVERIFY(file && *file);
        QCOMPARE((*file)->bytes, form.backgroundBytes);
        QCOMPARE((*file)->contentType, QByteArray("image/png"));
        QVERIFY(!store->publication(QStringLiteral("other")).value());
        // A form renamed or deleted is no longer served; its image stays for the others.
        QVERIFY(store->unpublish(QStringLiteral("survey")));
        QVERIFY(!store->publication(QStringLiteral("survey")).value());
        QVERIFY(store->publishedFile(form.backgroundImage).valueOr({}));

        // Asked at once from two processes' connections: one key.
        QByteArray keys[2];
        std::thread other([&] { keys[1] = openAnswersStore(m_location).value()->sharedKey().valueOr({}); });
        keys[0] = store->sharedKey().valueOr({});
        other.join();
        QCOMPARE(keys[0].size(), 32);
        QCOMPARE(keys[0], keys[1]);
        QCOMPARE(store->sharedKey().valueOr({}), keys[0]);
    }

private:
    static bool psql(const QString& url, const QString& sql)
    {
        QProcess p;
        p.start(QStringLiteral("psql"),
            { QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-v"),
                QStringLiteral("ON_ERROR_STOP=1"), url, QStringLiteral("-c"), sql });
        return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

    QString m_location;
};

QTEST_GUILESS_MAIN(TestPostgresStore)
#include "tst_postgresstore.moc"
