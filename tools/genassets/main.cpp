// genassets: draws every picture Glimmerdeck carries and writes them in the forms the window
// description expects. The output is the same, byte for byte, on every run.
//
//   genassets [--hicolor DIR] [--contact-sheet FILE] OUTDIR

#include "contactsheet.h"
#include "encoders.h"
#include "pictures.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QStringList>

#include <cstdio>

using namespace genassets;

namespace {

constexpr int iconBitDepths[] = { 4, 4, 4, 4, 8, 8, 8, 8, 32, 32, 32, 32, 32 };
constexpr int iconSizes[] = { 48, 32, 24, 16, 48, 32, 24, 16, 128, 48, 32, 24, 16 };

bool fail(const QString& message)
{
    std::fprintf(stderr, "genassets: %s\n", qPrintable(message));
    return false;
}

bool writeFile(const QString& path, const QByteArray& bytes, qsizetype expectedSize)
{
    // The window description states every file's size; a drawing change that breaks one
    // must stop here, not in the program.
    if (bytes.size() != expectedSize)
        return fail(QStringLiteral("%1: %2 bytes instead of %3")
                        .arg(path)
                        .arg(bytes.size())
                        .arg(expectedSize));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        return fail(QStringLiteral("cannot write %1").arg(path));
    return true;
}

bool writeJpeg(const QString& path, const QImage& image, qsizetype size, JfifDensity density)
{
    const JpegFile jpeg = encodeJpegExact(image, size, density);
    if (jpeg.bytes.isEmpty())
        return fail(QStringLiteral("%1: no JPEG quality fits in %2 bytes").arg(path).arg(size));
    std::printf("%s: quality %d, %d bytes of comment\n", qPrintable(QFileInfo(path).fileName()),
        jpeg.quality, jpeg.padding);
    return writeFile(path, jpeg.bytes, size);
}

bool writeAssets(const QDir& out, const QList<QImage>& iconImages)
{
    QList<IconImage> icon;
    for (int i = 0; i < int(std::size(iconSizes)); ++i)
        icon.append({ iconImages[i], iconBitDepths[i] });

    const struct {
        const char* name;
        QImage image;
        qsizetype size;
    } bitmaps[] = {
        { "titlestrip.bmp", drawTitleStrip(), 10206 },
        { "ornament.bmp", drawOrnament(), 14958 },
        { "framebutton.bmp", drawFrameButton(), 49206 },
        { "account_normal.bmp", drawAccountButton(false), 57878 },
        { "account_hover.bmp", drawAccountButton(true), 58434 },
        { "desktop.bmp", drawDesktop(false), 167142 },
        { "gadgets.bmp", drawGadgets(), 39478 },
    };
    bool ok = writeFile(out.filePath("glimmerdeck.ico"), encodeIco(icon), 97566);
    for (const auto& b : bitmaps)
        ok = writeFile(out.filePath(QString::fromLatin1(b.name)), encodeBmp24(b.image), b.size)
            && ok;
    ok = writeJpeg(out.filePath("smiley.jpg"), drawSmiley(), 3195, JfifDensity::AspectOnly) && ok;
    ok = writeJpeg(out.filePath("desktop_icons.jpg"), drawDesktop(true), 9756, JfifDensity::Dpi96)
        && ok;
    return ok;
}

// The desktop entry's icon theme gets the icon's own 32-bit images, pixel for pixel.
bool writeHicolor(const QDir& root, const QList<QImage>& iconImages)
{
    bool ok = true;
    for (int i = 0; i < int(std::size(iconSizes)); ++i) {
        if (iconBitDepths[i] != 32)
            continue;
        const int s = iconSizes[i];
        const QString dir = root.filePath(QStringLiteral("%1x%1/apps").arg(s));
        if (!QDir().mkpath(dir)) {
            ok = fail(QStringLiteral("cannot create %1").arg(dir));
            continue;
        }
        const QString path = dir + QStringLiteral("/org.quillmoor.Glimmerdeck.png");
        QImageWriter writer(path, "png");
        writer.setCompression(9);
        if (!writer.write(iconImages[i]))
            ok = fail(QStringLiteral("cannot write %1: %2").arg(path, writer.errorString()));
    }
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
    // Only the contact sheet needs fonts, but a display is never needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QString outDir, hicolorDir, sheetPath;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--hicolor") && i + 1 < args.size())
            hicolorDir = args[++i];
        else if (args[i] == QLatin1String("--contact-sheet") && i + 1 < args.size())
            sheetPath = args[++i];
        else if (!args[i].startsWith(QLatin1Char('-')) && outDir.isEmpty())
            outDir = args[i];
        else
            outDir.clear(), i = int(args.size());
    }
    if (outDir.isEmpty()) {
        std::fprintf(stderr, "usage: genassets [--hicolor DIR] [--contact-sheet FILE] OUTDIR\n");
        return 2;
    }
    if (!QDir().mkpath(outDir)) {
        fail(QStringLiteral("cannot create %1").arg(outDir));
        return 1;
    }

    QList<QImage> iconImages;
    for (int i = 0; i < int(std::size(iconSizes)); ++i) {
        iconImages.append(drawIcon(
            iconSizes[i], iconBitDepths[i] == 4 ? IconStyle::Palette16 : IconStyle::Smooth));
    }

    bool ok = writeAssets(QDir(outDir), iconImages);
    if (!hicolorDir.isEmpty())
        ok = writeHicolor(QDir(hicolorDir), iconImages) && ok;
    if (ok && !sheetPath.isEmpty()) {
        if (!contactSheet(outDir).save(sheetPath, "png"))
            ok = fail(QStringLiteral("cannot write %1").arg(sheetPath));
    }
    return ok ? 0 : 1;
}
