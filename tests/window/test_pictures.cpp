// The picture files the window description carries, as Qt loads them: each at the size it is
// listed with, the icon's images with their masks, and the theme's PNG icons pixel for pixel the
// icon's own. (Their bytes are checked in tests/logic/test_assets.)

#include "picture_files.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTest>

using namespace gd;

namespace {

QString qtPath(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

QByteArray readAll(const char* picture)
{
    QFile f(qtPath(picturePath(picture)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// One row per entry of a table, named after it.
template <typename Table> void addRows(const Table& table)
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(std::size(table)); ++i)
        QTest::newRow(table[i].name) << i;
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT

private slots:
    void bitmaps_data() { addRows(kBitmapFiles); }
    void bitmaps()
    {
        QFETCH(int, index);
        const BitmapFile& row = kBitmapFiles[index];
        QImage image;
        QVERIFY(image.loadFromData(readAll(row.file), "BMP"));
        QCOMPARE(image.size(), QSize(row.width, row.height));
        QVERIFY(!image.hasAlphaChannel());
    }

    void jpegs_data() { addRows(kJpegFiles); }
    void jpegs()
    {
        QFETCH(int, index);
        const JpegFile& row = kJpegFiles[index];
        QImage image;
        QVERIFY(image.loadFromData(readAll(row.file), "JPEG"));
        QCOMPARE(image.size(), QSize(row.width, row.height));
    }

    void iconImages()
    {
        QImageReader reader(qtPath(picturePath("glimmerdeck.ico")));
        QCOMPARE(reader.imageCount(), 13);
        for (int i = 0; i < 13; ++i) {
            QVERIFY(reader.jumpToImage(i));
            const QImage image = reader.read();
            QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
            QCOMPARE(image.size(), QSize(kIconEntries[i].size, kIconEntries[i].size));
            // The masks must leave something to see, and leave the corners clear.
            QVERIFY(image.hasAlphaChannel());
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
        }
    }

    void themeIconsMatchTheIcon_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < 13; ++i) {
            if (kIconEntries[i].bitsPerPixel == 32)
                QTest::addRow("%d px", kIconEntries[i].size) << i;
        }
    }
    void themeIconsMatchTheIcon()
    {
        QFETCH(int, index);
        const int size = kIconEntries[index].size;
        const QString png = qtPath(sourceDir("share/icons/hicolor"))
            + QStringLiteral("/%1x%1/apps/org.quillmoor.Glimmerdeck.png").arg(size);
        QImage themed(png);
        QVERIFY2(!themed.isNull(), qPrintable(png));

        QImageReader reader(qtPath(picturePath("glimmerdeck.ico")));
        QVERIFY(reader.jumpToImage(index));
        const QImage fromIcon = reader.read();
        QCOMPARE(themed.convertToFormat(QImage::Format_ARGB32),
            fromIcon.convertToFormat(QImage::Format_ARGB32));
    }
};

QTEST_GUILESS_MAIN(TestPictures)
#include "test_pictures.moc"
