// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "platform/WordDocument.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <zip.h>

using namespace quenlow;
using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray part(const QString& path, const char* name)
{
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!archive)
        return {};
    QByteArray data;
    zip_stat_t stat;
    if (zip_stat(archive, name, 0, &stat) == 0) {
        zip_file_t* file = zip_fopen(archive, name, 0);
        data.resize(qsizetype(stat.size));
        zip_fread(file, data.data(), stat.size);
        zip_fclose(file);
    }
    zip_close(archive);
    return data;
}

QImage picture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return image;
}

} // namespace

class TestWordPictures : public QObject
{
    Q_OBJECT

private slots:
    void picturesAreAddedToNewAndOpenedDocuments()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + u"/report.doc"_s;
        {
            WordDocument document;
            document.newDocument();
            document.typeText(u"Before"_s);
            document.addTable(1, 2);
            document.typeText(u"cell"_s);
            // Added while a table is being filled: below the table, not in a cell.
            QVERIFY(document.addPicture(picture(640, 480), u"A <chart> & \"title\""_s));
            document.typeText(u"After"_s);
            QVERIFY(!document.addPicture(QImage()));
            QVERIFY(document.saveAs(path));
            const QString xml = document.documentXml();
            QVERIFY(xml.indexOf(u"</w:tbl>"_s) < xml.indexOf(u"<w:drawing>"_s));
            QVERIFY(xml.contains(u"descr=\"A &lt;chart&gt; &amp; &quot;title&quot;\""_s));
            // 640 pixels at 96 an inch.
            QVERIFY(xml.contains(u"cx=\"6096000\" cy=\"4572000\""_s));
        }
        QVERIFY(QImage::fromData(part(path, "word/media/report-picture1.png")).size() == QSize(640, 480));
        QVERIFY(part(path, "word/_rels/document.xml.rels").contains("Id=\"rIdReportPicture1\""));
        QVERIFY(part(path, "[Content_Types].xml").contains("Extension=\"png\""));

        {
            WordDocument document;
            QVERIFY(document.open(path));
            QCOMPARE(document.content().tables().value(0).cellText(0, 0), u"cell"_s);
            QVERIFY(document.addPicture(picture(2000, 1000)));
            QVERIFY(document.save());
            // New names, the first picture's kept; narrowed to the text width, in proportion.
            const QString xml = document.documentXml();
            QVERIFY(xml.contains(u"r:embed=\"rIdReportPicture1\""_s));
            QVERIFY(xml.contains(u"r:embed=\"rIdReportPicture2\""_s));
            QVERIFY(xml.contains(u"<wp:docPr id=\"2\""_s));
            QVERIFY(xml.contains(u"cx=\"6120130\" cy=\"3060065\""_s));
        }
        QVERIFY(!part(path, "word/media/report-picture1.png").isEmpty());
        QVERIFY(!part(path, "word/media/report-picture2.png").isEmpty());
        const QByteArray types = part(path, "[Content_Types].xml");
        QCOMPARE(types.count("Extension=\"png\""), 1);
        const QByteArray relationships = part(path, "word/_rels/document.xml.rels");
        QVERIFY(relationships.contains("Target=\"styles.xml\""));
        QCOMPARE(relationships.count("relationships/image"), 2);
    }
};

QTEST_MAIN(TestWordPictures)
#include "tst_wordpictures.moc"
