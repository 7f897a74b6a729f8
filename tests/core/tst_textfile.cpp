// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "core/TextFile.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quenlow;

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void everyByteDecodesAndEncodesBackUnchanged()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = decodeText(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(text.at(0x80), QChar(0x20AC)); // euro sign
        QCOMPARE(text.at(0x93), QChar(0x201C));
        QCOMPARE(text.at(0xE9), QChar(0xE9));
        QCOMPARE(encodeText(text), all);
        QVERIFY(fitsWindows1252(text));
    }

    void textBeyondTheCodePageIsWrittenAsUtf8WithBom()
    {
        const QString text = u"Grüße – 你好\r\n"_s;
        QVERIFY(!fitsWindows1252(text));
        const QByteArray bytes = encodeText(text);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(decodeText(bytes), text);
    }

    // A write the system itself refuses part way (the file-size limit, as a
    // full disk would), not a test hook: the old file stays whole.
    void failedAtomicWriteLeavesTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"sub/file.txt"_s);
        QVERIFY(writeFileAtomically(path, "old contents\r\n").ok());
        FileResult result;
        {
            quenlow::test::FileSizeLimit full(8);
            result = writeFileAtomically(path, "new contents that do not fit\r\n");
        }
        QVERIFY(result.failedWith(Error::Io));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("old contents\r\n"));
        // No temporary file is left behind.
        QCOMPARE(QDir(dir.filePath(u"sub"_s)).entryList(QDir::Files), QStringList({ u"file.txt"_s }));
    }

    void unwritableFolderIsReported()
    {
        const FileResult result = writeFileAtomically(u"/proc/quenlow-cannot-write/file.txt"_s, "x");
        QVERIFY(result.failedWith(Error::Io));
        QByteArray bytes;
        QVERIFY(readWholeFile(u"/proc/quenlow-cannot-write/file.txt"_s, &bytes).failedWith(Error::NotFound));
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
