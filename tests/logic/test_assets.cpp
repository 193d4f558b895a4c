// The picture files the window description carries, read back from the source tree: each one
// must keep the exact form (format, size, depth, header fields, byte count) it is listed with,
// and Qt must still be able to load it.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QtTest>

namespace {

QString sourceDir(const char* relative)
{
    return QDir(QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() + "/../.." + relative)
        .absolutePath();
}

QString assetPath(const QString& name) { return sourceDir("/src/pictures") + '/' + name; }

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

quint32 u16(const QByteArray& b, qsizetype at)
{
    return quint8(b[at]) | quint32(quint8(b[at + 1])) << 8;
}

quint32 u32(const QByteArray& b, qsizetype at) { return u16(b, at) | u16(b, at + 2) << 16; }

quint32 u16be(const QByteArray& b, qsizetype at)
{
    return quint32(quint8(b[at])) << 8 | quint8(b[at + 1]);
}

qint32 s32(const QByteArray& b, qsizetype at) { return qint32(u32(b, at)); }

int stride(int width, int bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

struct IconEntry {
    int size, bitsPerPixel, bytes;
};

// clang-format off
const IconEntry iconEntries[] = {
    { 48, 4, 1640 }, { 32, 4, 744 }, { 24, 4, 488 }, { 16, 4, 296 },
    { 48, 8, 3752 }, { 32, 8, 2216 }, { 24, 8, 1736 }, { 16, 8, 1384 },
    { 128, 32, 67624 }, { 48, 32, 9640 }, { 32, 32, 4264 }, { 24, 32, 2440 }, { 16, 32, 1128 },
};
// clang-format on

} // namespace

class TestAssets : public QObject {
    Q_OBJECT

private slots:
    void folderHoldsOnlyThePictures();
    void bitmaps_data();
    void bitmaps();
    void jpegs_data();
    void jpegs();
    void iconDirectory();
    void iconImages();
    void themeIconsMatchTheIcon_data();
    void themeIconsMatchTheIcon();
};

void TestAssets::folderHoldsOnlyThePictures()
{
    // Every file in the folder is compiled into the program, so a stray one costs memory.
    const QStringList found = QDir(sourceDir("/src/pictures")).entryList(QDir::Files);
    const QStringList expected = { "account_hover.bmp", "account_normal.bmp", "desktop.bmp",
        "desktop_icons.jpg", "framebutton.bmp", "gadgets.bmp", "glimmerdeck.ico", "ornament.bmp",
        "smiley.jpg", "titlestrip.bmp" };
    QCOMPARE(
        QSet<QString>(found.begin(), found.end()), QSet<QString>(expected.begin(), expected.end()));
}

void TestAssets::bitmaps_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("bytes");

    QTest::newRow("title strip") << "titlestrip.bmp" << 71 << 47 << 10206;
    QTest::newRow("ornament") << "ornament.bmp" << 71 << 69 << 14958;
    QTest::newRow("frame button") << "framebutton.bmp" << 128 << 128 << 49206;
    QTest::newRow("account, resting") << "account_normal.bmp" << 138 << 139 << 57878;
    QTest::newRow("account, highlighted") << "account_hover.bmp" << 140 << 139 << 58434;
    QTest::newRow("desktop") << "desktop.bmp" << 314 << 177 << 167142;
    QTest::newRow("gadgets") << "gadgets.bmp" << 74 << 176 << 39478;
}

void TestAssets::bitmaps()
{
    QFETCH(QString, name);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, bytes);

    const QByteArray b = readAll(assetPath(name));
    QCOMPARE(b.size(), bytes);
    QCOMPARE(bytes, 14 + 40 + stride(width, 24) * height);

    QCOMPARE(b.left(2), QByteArray("BM"));
    QCOMPARE(u32(b, 2), quint32(bytes));
    QCOMPARE(u32(b, 6), 0u);
    QCOMPARE(u32(b, 10), 54u); // no colour table between header and pixels
    QCOMPARE(u32(b, 14), 40u);
    QCOMPARE(s32(b, 18), width);
    QCOMPARE(s32(b, 22), height); // positive: bottom-up rows
    QCOMPARE(u16(b, 26), 1u);
    QCOMPARE(u16(b, 28), 24u);
    QCOMPARE(u32(b, 30), 0u);
    QCOMPARE(u32(b, 38), 0u);
    QCOMPARE(u32(b, 42), 0u);
    QCOMPARE(u32(b, 46), 0u);

    QImage image;
    QVERIFY(image.loadFromData(b, "BMP"));
    QCOMPARE(image.size(), QSize(width, height));
    QVERIFY(!image.hasAlphaChannel());
}

void TestAssets::jpegs_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("bytes");
    QTest::addColumn<int>("densityUnit");
    QTest::addColumn<int>("density");

    QTest::newRow("spinning picture, aspect 1:1") << "smiley.jpg" << 50 << 50 << 3195 << 0 << 1;
    QTest::newRow("sliding box, 96 dpi") << "desktop_icons.jpg" << 314 << 177 << 9756 << 1 << 96;
}

void TestAssets::jpegs()
{
    QFETCH(QString, name);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, bytes);
    QFETCH(int, densityUnit);
    QFETCH(int, density);

    const QByteArray b = readAll(assetPath(name));
    QCOMPARE(b.size(), bytes);
    QVERIFY(b.startsWith("\xff\xd8"));
    QVERIFY(b.endsWith("\xff\xd9"));

    // JFIF APP0 comes first.
    QCOMPARE(u16be(b, 2), 0xffe0u);
    QCOMPARE(u16be(b, 4), 16u);
    QCOMPARE(b.mid(6, 5), QByteArray("JFIF\0", 5));
    QCOMPARE(int(quint8(b[11])), 1);
    QCOMPARE(int(quint8(b[12])), 1);
    QCOMPARE(int(quint8(b[13])), densityUnit);
    QCOMPARE(int(u16be(b, 14)), density);
    QCOMPARE(int(u16be(b, 16)), density);

    // Walk the segments up to the scan: exactly one frame header, and it must be baseline.
    qsizetype at = 2;
    int frames = 0;
    while (at + 4 <= b.size()) {
        QCOMPARE(quint8(b[at]), quint8(0xff));
        const int marker = quint8(b[at + 1]);
        const qsizetype length = u16be(b, at + 2);
        QVERIFY(length >= 2 && at + 2 + length <= b.size());
        const bool frame = marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8
            && marker != 0xcc;
        if (frame) {
            ++frames;
            QCOMPARE(marker, 0xc0);
            QCOMPARE(int(quint8(b[at + 4])), 8);
            QCOMPARE(int(u16be(b, at + 5)), height);
            QCOMPARE(int(u16be(b, at + 7)), width);
            QCOMPARE(int(quint8(b[at + 9])), 3);
        }
        if (marker == 0xda)
            break;
        at += 2 + length;
    }
    QCOMPARE(frames, 1);

    QImage image;
    QVERIFY(image.loadFromData(b, "JPEG"));
    QCOMPARE(image.size(), QSize(width, height));
}

void TestAssets::iconDirectory()
{
    const QByteArray b = readAll(assetPath("glimmerdeck.ico"));
    QCOMPARE(b.size(), 97566);
    QCOMPARE(u16(b, 0), 0u);
    QCOMPARE(u16(b, 2), 1u);
    QCOMPARE(u16(b, 4), 13u);

    // Images follow the directory back to back, in directory order, and fill the file.
    quint32 offset = 6 + 16 * 13;
    for (int i = 0; i < 13; ++i) {
        const IconEntry& e = iconEntries[i];
        const qsizetype d = 6 + 16 * i;
        const QString where = QStringLiteral("entry %1").arg(i);
        QVERIFY2(quint8(b[d]) == e.size && quint8(b[d + 1]) == e.size, qPrintable(where));
        QVERIFY2(quint8(b[d + 2]) == (e.bitsPerPixel == 4 ? 16 : 0), qPrintable(where));
        QVERIFY2(b[d + 3] == 0, qPrintable(where));
        QVERIFY2(u16(b, d + 4) == 1 && u16(b, d + 6) == quint32(e.bitsPerPixel), qPrintable(where));
        QVERIFY2(u32(b, d + 8) == quint32(e.bytes), qPrintable(where));
        QVERIFY2(u32(b, d + 12) == offset, qPrintable(where));
        offset += quint32(e.bytes);
    }
    QCOMPARE(offset, quint32(b.size()));
}

void TestAssets::iconImages()
{
    const QByteArray b = readAll(assetPath("glimmerdeck.ico"));
    QCOMPARE(b.size(), 97566);

    for (int i = 0; i < 13; ++i) {
        const IconEntry& e = iconEntries[i];
        const qsizetype dib = u32(b, 6 + 16 * i + 12);
        const QString where
            = QStringLiteral("image %1 (%2 px, %3 bit)").arg(i).arg(e.size).arg(e.bitsPerPixel);
        // An uncompressed DIB: the height counts the colour bitmap and the AND mask.
        QVERIFY2(u32(b, dib) == 40, qPrintable(where));
        QVERIFY2(s32(b, dib + 4) == e.size && s32(b, dib + 8) == 2 * e.size, qPrintable(where));
        QVERIFY2(u16(b, dib + 12) == 1, qPrintable(where));
        QVERIFY2(u16(b, dib + 14) == quint32(e.bitsPerPixel), qPrintable(where));
        QVERIFY2(u32(b, dib + 16) == 0, qPrintable(where));
        const int paletteBytes = e.bitsPerPixel == 32 ? 0 : 4 << e.bitsPerPixel;
        const int expected = 40 + paletteBytes + stride(e.size, e.bitsPerPixel) * e.size
            + stride(e.size, 1) * e.size;
        QVERIFY2(expected == e.bytes, qPrintable(where));
    }

    QImageReader reader(assetPath("glimmerdeck.ico"));
    QCOMPARE(reader.imageCount(), 13);
    for (int i = 0; i < 13; ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(image.size(), QSize(iconEntries[i].size, iconEntries[i].size));
        // The masks must leave something to see, and leave the corners clear.
        QVERIFY(image.hasAlphaChannel());
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
    }
}

void TestAssets::themeIconsMatchTheIcon_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < 13; ++i) {
        if (iconEntries[i].bitsPerPixel == 32)
            QTest::addRow("%d px", iconEntries[i].size) << i;
    }
}

void TestAssets::themeIconsMatchTheIcon()
{
    QFETCH(int, index);
    const int size = iconEntries[index].size;
    const QString png = sourceDir("/share/icons/hicolor")
        + QStringLiteral("/%1x%1/apps/org.quillmoor.Glimmerdeck.png").arg(size);
    QImage themed(png);
    QVERIFY2(!themed.isNull(), qPrintable(png));

    QImageReader reader(assetPath("glimmerdeck.ico"));
    QVERIFY(reader.jumpToImage(index));
    const QImage fromIcon = reader.read();
    QCOMPARE(themed.convertToFormat(QImage::Format_ARGB32),
        fromIcon.convertToFormat(QImage::Format_ARGB32));
}

QTEST_GUILESS_MAIN(TestAssets)
#include "test_assets.moc"
