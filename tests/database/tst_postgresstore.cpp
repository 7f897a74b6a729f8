// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswersStore.h"
#include "support/PostgresFixture.h"

#include <QProcess>
#include <QTest>

#include <thread>

using namespace Qt::Literals::StringLiterals;
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
        QVERIFY(psql(other.left(other.lastIndexOf(QLatin1Char('/'))) + u"/postgres"_s,
            u"CREATE DATABASE %1"_s.arg(other.mid(other.lastIndexOf(QLatin1Char('/')) + 1))));
        QVERIFY(openAnswersStore(other).failedWith(Error::NotFound));

        QVERIFY(openAnswersStore(u"postgresql://nobody@127.0.0.1:1/x"_s).failedWith(Error::Io));
        // A password never shows in messages.
        QString secret = m_location;
        secret.replace(u"postgres@"_s, u"postgres:s3cret@"_s);
        const auto withPassword = openAnswersStore(secret);
        QVERIFY(withPassword);
        QVERIFY(!(*withPassword)->location().contains(QLatin1String("s3cret")));
        QVERIFY(
            !shownLocation(secret + u"?password=s3cret&sslmode=disable"_s).contains(QLatin1String("s3cret")));
    }

    void namesLongerThanTheServerTakesStayApart()
    {
        auto store = createAnswersStore(m_location).value();
        const QString table = AnswersStore::tableFor(QString(70, QLatin1Char('F')));
        const QString a = QString(60, QChar(0x00e9)) + u"ends"_s; // 128 bytes
        const QString b = QString(60, QChar(0x00e9)) + u"Ends"_s; // the same folded
        const QString c = QString(60, QChar(0x00e9)) + u"else"_s;
        QVERIFY(store->createTable(table, u"Form Question"_s));
        QVERIFY(store->createTable(table.toLower(), u"X"_s).failedWith(Error::Duplicate));
        QVERIFY(store->addColumn(table, a, AnswersStore::ColumnKind::Memo, QString()));
        QVERIFY(store->addColumn(table, b, AnswersStore::ColumnKind::Text, QString())
                    .failedWith(Error::Duplicate));
        QVERIFY(store->addColumn(table, c, AnswersStore::ColumnKind::Text, QString()));
        QCOMPARE(store->tables().valueOr({}), QStringList { table });
        const auto columns = store->columns(table).valueOr({});
        QCOMPARE(columns,
            (QList<AnswersStore::Column> { { u"Form Question"_s, AnswersStore::ColumnKind::Text },
                { a, AnswersStore::ColumnKind::Memo }, { c, AnswersStore::ColumnKind::Text } }));
        AnswersStore::NewRow row;
        row.table = table.toUpper();
        row.values = { { b, u"to a"_s }, { c, u"to c"_s } };
        const auto stored = store->insertRows({ row });
        QVERIFY(stored && stored->first().outcome == AnswersStore::Inserted::Stored);
        QCOMPARE(store->readRows(table, { a, c }, -1, 5).value().first().values,
            QVariantList({ u"to a"_s, u"to c"_s }));
        QVERIFY(store->renameColumn(table, a, b));
        QCOMPARE(store->columns(table).value().at(1).name, b);
    }

    void theNextCallAfterALostConnectionReconnects()
    {
        auto store = createAnswersStore(m_location).value();
        const QString table = AnswersStore::tableFor(u"survey"_s);
        QVERIFY(store->createTable(table, u"Mood"_s));
        AnswersStore::NewRow row;
        row.table = table;
        row.values = { { u"Mood"_s, u"glad"_s } };
        row.token = u"t1"_s;
        QVERIFY(store->insertRows({ row }));
        QCOMPARE(store->orderRows(table, { u"Mood"_s, false, {}, {} }).valueOr(-1), 1);
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
        QCOMPARE(store->orderedRows(table, { u"Mood"_s }, 0, 5).valueOr({}).size(), 1);
        QVERIFY(restart());
        row.token = u"t2"_s;
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
        form.form = u"survey"_s;
        form.title = u"Ça va?"_s;
        form.showsAnswersTable = true;
        form.page = QByteArray("<html>\xc3\xa9\0</html>", 16);
        form.questions
            = { { u"Mood"_s, u"Text Box"_s, {}, {}, {}, {} }, { u"Why"_s, u"Memo"_s, {}, {}, {}, {} } };
        form.backgroundImage = u"back.png"_s;
        form.backgroundBytes = QByteArray("\x89PNG\r\n\x1a\n\0\xff\x00", 11);
        QVERIFY(store->publish(form));
        form.title = u"Again"_s;
        QVERIFY(store->publish(form)); // replaces
        const auto back = store->publication(u"survey"_s);
        QVERIFY(back && *back);
        QCOMPARE((*back)->title, form.title);
        QCOMPARE((*back)->page, form.page);
        QCOMPARE((*back)->questions, form.questions);
        QCOMPARE((*back)->showsAnswersTable, true);
        QCOMPARE((*back)->backgroundBytes, form.backgroundBytes);
        const auto file = store->publishedFile(u"back.png"_s);
        QVERIFY(file && *file);
        QCOMPARE((*file)->bytes, form.backgroundBytes);
        QCOMPARE((*file)->contentType, QByteArray("image/png"));
        QVERIFY(!store->publication(u"other"_s).value());
        // A form renamed or deleted is no longer served; its image stays for the others.
        QVERIFY(store->unpublish(u"survey"_s));
        QVERIFY(!store->publication(u"survey"_s).value());
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

    // A renamed form's former names are published with it, so every server
    // of the store leads their addresses to it, until a form bears the name.
    void formerNamesLeadToTheRenamedForm()
    {
        auto store = createAnswersStore(m_location).value();
        AnswersStore::Publication form;
        form.title = u"Staff"_s;
        form.page = "<html></html>";
        const auto publishAs = [&](const QString& name, const QStringList& former) {
            form.form = name;
            form.formerNames = former;
            return bool(store->publish(form));
        };
        const auto renamed = [&](const QString& former) { return store->renamedForm(former).value(); };
        QVERIFY(publishAs(u"survey"_s, {}));
        QCOMPARE(renamed(u"survey"_s), std::nullopt);
        // survey, staff poll, then poll, as the designer renames: the new name first, then the old one goes.
        QVERIFY(publishAs(u"staff poll"_s, { u"survey"_s }));
        QVERIFY(store->unpublish(u"survey"_s));
        QCOMPARE(renamed(u"survey"_s), u"staff poll"_s);
        QVERIFY(publishAs(u"poll"_s, { u"survey"_s, u"staff poll"_s }));
        QVERIFY(store->unpublish(u"staff poll"_s));
        QCOMPARE(renamed(u"survey"_s), u"poll"_s);
        QCOMPARE(renamed(u"staff poll"_s), u"poll"_s);
        QCOMPARE(store->publication(u"poll"_s).value()->formerNames,
            QStringList({ u"staff poll"_s, u"survey"_s }));
        // Another server's connection sees them too.
        QCOMPARE(openAnswersStore(m_location).value()->renamedForm(u"survey"_s).value(), u"poll"_s);

        // A new form takes a name: it is that form's, also once the renamed one is published again.
        QVERIFY(publishAs(u"survey"_s, {}));
        QCOMPARE(renamed(u"survey"_s), std::nullopt);
        QVERIFY(publishAs(u"poll"_s, { u"staff poll"_s }));
        QVERIFY(store->unpublish(u"survey"_s));
        QCOMPARE(renamed(u"survey"_s), std::nullopt);
        // Renamed back to a former name; deleted, it leaves no address behind.
        QVERIFY(publishAs(u"staff poll"_s, { u"poll"_s }));
        QVERIFY(store->unpublish(u"poll"_s));
        QCOMPARE(renamed(u"staff poll"_s), std::nullopt);
        QCOMPARE(renamed(u"poll"_s), u"staff poll"_s);
        QVERIFY(store->unpublish(u"staff poll"_s));
        QCOMPARE(renamed(u"poll"_s), std::nullopt);
    }

private:
    static bool psql(const QString& url, const QString& sql)
    {
        QProcess p;
        p.start(u"psql"_s, { u"-X"_s, u"-q"_s, u"-v"_s, u"ON_ERROR_STOP=1"_s, url, u"-c"_s, sql });
        return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

    QString m_location;
};

QTEST_GUILESS_MAIN(TestPostgresStore)
#include "tst_postgresstore.moc"
