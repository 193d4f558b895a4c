#include "encoders.h"

#include <QBuffer>
#include <QImageWriter>

#include <limits>

namespace genassets {

namespace {

void putU16(QByteArray& out, quint32 v)
{
    out.append(char(v & 0xff));
    out.append(char((v >> 8) & 0xff));
}

void putU32(QByteArray& out, quint32 v)
{
    putU16(out, v & 0xffff);
    putU16(out, v >> 16);
}

int strideFor(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

void putInfoHeader(QByteArray& out, int width, int height, int bitsPerPixel, quint32 imageBytes)
{
    putU32(out, 40);
    putU32(out, quint32(width));
    putU32(out, quint32(height));
    putU16(out, 1);
    putU16(out, quint32(bitsPerPixel));
    putU32(out, 0); // no compression
    putU32(out, imageBytes);
    putU32(out, 0); // resolution left open, as paint programs of the time did
    putU32(out, 0);
    putU32(out, 0); // colours used: all that the depth allows
    putU32(out, 0);
}

struct Palette {
    QList<QRgb> colours;

    int nearest(QRgb c) const
    {
        int best = 0;
        int bestDistance = std::numeric_limits<int>::max();
        for (int i = 0; i < colours.size(); ++i) {
            const int dr = qRed(c) - qRed(colours[i]);
            const int dg = qGreen(c) - qGreen(colours[i]);
            const int db = qBlue(c) - qBlue(colours[i]);
            // Green weighs most to the eye, blue least.
            const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
            if (d < bestDistance) {
                bestDistance = d;
                best = i;
            }
        }
        return best;
    }
};

const Palette& paletteFor(int bitsPerPixel)
{
    static const Palette vga { {
        0xff000000,
        0xff800000,
        0xff008000,
        0xff808000,
        0xff000080,
        0xff800080,
        0xff008080,
        0xffc0c0c0,
        0xff808080,
        0xffff0000,
        0xff00ff00,
        0xffffff00,
        0xff0000ff,
        0xffff00ff,
        0xff00ffff,
        0xffffffff,
    } };
    static const Palette cube = [] {
        Palette p;
        // 6 x 7 x 6 levels: one more step of green, to which the eye is most sensitive.
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 7; ++g)
                for (int b = 0; b < 6; ++b)
                    p.colours.append(qRgb(r * 255 / 5, g * 255 / 6, b * 255 / 5));
        // The cube holds no light greys, and paper is mostly light grey.
        for (int grey : { 0x40, 0x80, 0xc0, 0xe0 })
            p.colours.append(qRgb(grey, grey, grey));
        return p;
    }();
    return bitsPerPixel == 4 ? vga : cube;
}

bool isOpaqueEnough(QRgb c) { return qAlpha(c) >= 128; }

QByteArray andMask(const QImage& image)
{
    const int stride = strideFor(image.width(), 1);
    QByteArray mask;
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (!isOpaqueEnough(line[x]))
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        mask.append(row);
    }
    return mask;
}

QByteArray iconDib(const QImage& source, int bitsPerPixel)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int size = image.width();
    const int stride = strideFor(size, bitsPerPixel);
    const QByteArray mask = andMask(image);

    QByteArray pixels;
    if (bitsPerPixel == 32) {
        for (int y = size - 1; y >= 0; --y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < size; ++x)
                putU32(pixels, qAlpha(line[x]) == 0 ? 0u : line[x]);
        }
    } else {
        const Palette& palette = paletteFor(bitsPerPixel);
        for (int y = size - 1; y >= 0; --y) {
            QByteArray row(stride, '\0');
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < size; ++x) {
                // Masked pixels stay 0 (black) so that the XOR step leaves the screen alone.
                const int index = isOpaqueEnough(line[x]) ? palette.nearest(line[x]) : 0;
                if (bitsPerPixel == 8)
                    row[x] = char(index);
                else
                    row[x / 2] = char(row[x / 2] | (x % 2 ? index : index << 4));
            }
            pixels.append(row);
        }
    }

    QByteArray dib;
    putInfoHeader(dib, size, size * 2, bitsPerPixel, quint32(pixels.size() + mask.size()));
    if (bitsPerPixel != 32) {
        for (QRgb c : paletteFor(bitsPerPixel).colours)
            putU32(dib, c & 0x00ffffff);
    }
    dib.append(pixels);
    dib.append(mask);
    return dib;
}

QByteArray encodeJpeg(const QImage& image, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setOptimizedWrite(false); // standard Huffman tables, as baseline encoders wrote them
    writer.setProgressiveScanWrite(false);
    if (!writer.write(image.convertToFormat(QImage::Format_RGB32)))
        return {};
    return bytes;
}

// Offsets inside the JFIF APP0 segment that follows the start-of-image marker.
constexpr int app0End = 20;
constexpr int densityUnitsAt = 13;

bool hasJfifApp0(const QByteArray& b)
{
    return b.size() > app0End && b.startsWith("\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01");
}

} // namespace

QByteArray encodeBmp24(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int stride = strideFor(image.width(), 24);
    const quint32 pixelBytes = quint32(stride * image.height());

    QByteArray out;
    out.append("BM");
    putU32(out, 54 + pixelBytes);
    putU32(out, 0);
    putU32(out, 54);
    putInfoHeader(out, image.width(), image.height(), 24, pixelBytes);
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            row[3 * x] = char(qBlue(line[x]));
            row[3 * x + 1] = char(qGreen(line[x]));
            row[3 * x + 2] = char(qRed(line[x]));
        }
        out.append(row);
    }
    return out;
}

QByteArray encodeIco(const QList<IconImage>& images)
{
    QList<QByteArray> dibs;
    for (const IconImage& entry : images)
        dibs.append(iconDib(entry.image, entry.bitsPerPixel));

    QByteArray out;
    putU16(out, 0);
    putU16(out, 1); // icon, not cursor
    putU16(out, quint32(images.size()));
    quint32 offset = quint32(6 + 16 * images.size());
    for (int i = 0; i < images.size(); ++i) {
        const int size = images[i].image.width();
        const int bpp = images[i].bitsPerPixel;
        out.append(char(size >= 256 ? 0 : size));
        out.append(char(size >= 256 ? 0 : size));
        out.append(char(bpp == 4 ? 16 : 0));
        out.append('\0');
        putU16(out, 1);
        putU16(out, quint32(bpp));
        putU32(out, quint32(dibs[i].size()));
        putU32(out, offset);
        offset += quint32(dibs[i].size());
    }
    for (const QByteArray& dib : dibs)
        out.append(dib);
    return out;
}

JpegFile encodeJpegExact(const QImage& image, qsizetype exactSize, JfifDensity density)
{
    // A comment segment costs at least its marker and length (4 bytes), so a file 1 to 3 bytes
    // short cannot be padded; such a quality is passed over.
    constexpr int commentOverhead = 4;
    for (int quality = 100; quality >= 1; --quality) {
        QByteArray bytes = encodeJpeg(image, quality);
        if (!hasJfifApp0(bytes))
            return {};
        const qsizetype missing = exactSize - bytes.size();
        if (missing < 0 || (missing > 0 && missing < commentOverhead))
            continue;

        if (density == JfifDensity::AspectOnly) {
            bytes[densityUnitsAt] = 0;
            bytes.replace(densityUnitsAt + 1, 4, QByteArray("\x00\x01\x00\x01", 4));
        } else {
            bytes[densityUnitsAt] = 1;
            bytes.replace(densityUnitsAt + 1, 4, QByteArray("\x00\x60\x00\x60", 4));
        }

        if (missing > 0) {
            const qsizetype payload = missing - commentOverhead;
            QByteArray comment("\xff\xfe", 2);
            comment.append(char(((payload + 2) >> 8) & 0xff));
            comment.append(char((payload + 2) & 0xff));
            QByteArray text("Glimmerdeck");
            text = text.left(payload);
            comment.append(text);
            comment.append(QByteArray(payload - text.size(), ' '));
            bytes.insert(app0End, comment);
        }
        return { bytes, quality, int(missing) };
    }
    return {};
}

} // namespace genassets
