#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

namespace genassets {

// 24-bit bottom-up Windows bitmap with the plain 40-byte information header.
QByteArray encodeBmp24(const QImage& image);

struct IconImage {
    QImage image;     // straight-alpha ARGB32, square
    int bitsPerPixel; // 4, 8 or 32
};

// Windows icon file; every image is an uncompressed DIB with its AND mask.
QByteArray encodeIco(const QList<IconImage>& images);

enum class JfifDensity {
    AspectOnly, // units 0, 1:1
    Dpi96,
};

struct JpegFile {
    QByteArray bytes;
    int quality = 0;
    int padding = 0; // bytes taken up by the comment segment
};

// Encodes a baseline JFIF file of exactly exactSize bytes: the best quality that fits, then a
// comment segment right after APP0 fills the rest. Returns an empty file when nothing fits.
JpegFile encodeJpegExact(const QImage& image, qsizetype exactSize, JfifDensity density);

} // namespace genassets
