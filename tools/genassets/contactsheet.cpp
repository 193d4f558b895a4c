#include "contactsheet.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QList>
#include <QPainter>

#include <algorithm>

namespace genassets {

namespace {

struct Tile {
    QImage image;
    QString caption;
    bool newRow = false;
};

QImage enlarged(const QImage& image, int factor)
{
    return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QImage onBackground(const QImage& image, QColor background)
{
    QImage out(image.size(), QImage::Format_RGB32);
    out.fill(background);
    QPainter p(&out);
    p.drawImage(0, 0, image);
    return out;
}

QImage load(const QDir& dir, const QString& name) { return QImage(dir.filePath(name)); }

// The title strip as the window shows it: stretched strip, ornament, the two frame buttons and
// their labels.
QImage titleStripAsShown(const QDir& dir)
{
    QImage out(816, 45, QImage::Format_RGB32);
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(0, 0, 816, 45), load(dir, "titlestrip.bmp"));
    p.drawImage(QRect(0, 0, 47, 43), load(dir, "ornament.bmp"));
    const QImage button = load(dir, "framebutton.bmp");
    QFont font(QStringLiteral("Sans"), 12, QFont::Bold);
    p.setFont(font);
    p.setPen(Qt::white);
    const struct {
        int left;
        const char* label;
    } buttons[] = { { 728, "_" }, { 776, "X" } };
    for (const auto& b : buttons) {
        p.drawImage(QRect(b.left, 0, 32, 32), button);
        p.drawText(QRect(b.left, 0, 32, 32), Qt::AlignCenter, QString::fromLatin1(b.label));
    }
    p.drawText(
        QRect(60, 0, 600, 32), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Glimmerdeck"));
    return out;
}

// The transition stage once both boxes have slid in.
QImage stageAsShown(const QDir& dir)
{
    QImage out(313, 169, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, load(dir, "desktop.bmp"));
    p.drawImage(QPoint(0, 0), load(dir, "desktop_icons.jpg"), QRect(0, 0, 73, 177));
    p.drawImage(QPoint(240, 0), load(dir, "gadgets.bmp"), QRect(0, 0, 73, 169));
    return out;
}

QImage inBox(const QImage& image, QSize box, QColor background)
{
    QImage out(box, QImage::Format_RGB32);
    out.fill(background);
    QPainter p(&out);
    p.drawImage(0, 0, image);
    return out;
}

} // namespace

QImage contactSheet(const QString& assetDir)
{
    const QDir dir(assetDir);
    QList<Tile> tiles;

    QImageReader icon(dir.filePath("glimmerdeck.ico"));
    const int iconCount = icon.imageCount();
    for (int i = 0; i < iconCount; ++i) {
        icon.jumpToImage(i);
        const QImage image = icon.read();
        const int depth = i < 4 ? 4 : i < 8 ? 8 : 32;
        tiles.append({ enlarged(onBackground(image, QColor(0xd0, 0xd0, 0xd0)), 2),
            QStringLiteral("ico %1 px %2 bit").arg(image.width()).arg(depth), i == 0 || i == 8 });
    }

    const char* files[] = { "titlestrip.bmp", "ornament.bmp", "framebutton.bmp",
        "account_normal.bmp", "account_hover.bmp", "smiley.jpg", "gadgets.bmp", "desktop.bmp",
        "desktop_icons.jpg" };
    bool first = true;
    for (const char* name : files) {
        const QImage image = load(dir, QString::fromLatin1(name));
        tiles.append({ enlarged(image, 2),
            QStringLiteral("%1  %2 x %3")
                .arg(QString::fromLatin1(name))
                .arg(image.width())
                .arg(image.height()),
            first });
        first = false;
    }

    tiles.append({ titleStripAsShown(dir), QStringLiteral("title strip as shown (1x)"), true });
    tiles.append({ enlarged(titleStripAsShown(dir).copy(0, 0, 200, 45), 3),
        QStringLiteral("left end, 3x"), true });
    tiles.append({ enlarged(titleStripAsShown(dir).copy(616, 0, 200, 45), 3),
        QStringLiteral("right end, 3x"), false });
    tiles.append({ enlarged(stageAsShown(dir), 2),
        QStringLiteral("transition stage, both boxes in"), true });
    tiles.append(
        { enlarged(inBox(load(dir, "smiley.jpg"), QSize(57, 57), QColor(0xf0, 0xf0, 0xf0)), 3),
            QStringLiteral("smiley in its box, 3x"), false });

    constexpr int margin = 16, gap = 24, captionHeight = 22, maxWidth = 1700;
    QList<QPoint> positions;
    int x = margin, y = margin, rowHeight = 0, sheetWidth = 0;
    for (const Tile& t : tiles) {
        if (t.newRow || x + t.image.width() > maxWidth - margin) {
            if (x > margin) {
                y += rowHeight + captionHeight + gap;
                x = margin;
                rowHeight = 0;
            }
        }
        positions.append(QPoint(x, y));
        x += t.image.width() + gap;
        rowHeight = std::max(rowHeight, t.image.height());
        sheetWidth = std::max(sheetWidth, x - gap + margin);
    }
    const int sheetHeight = y + rowHeight + captionHeight + margin;

    QImage sheet(sheetWidth, sheetHeight, QImage::Format_RGB32);
    sheet.fill(QColor(0x70, 0x70, 0x70));
    QPainter p(&sheet);
    p.setFont(QFont(QStringLiteral("Sans"), 10));
    p.setPen(Qt::white);
    for (int i = 0; i < tiles.size(); ++i) {
        p.drawImage(positions[i], tiles[i].image);
        p.drawText(QRect(positions[i].x(), positions[i].y() + tiles[i].image.height() + 2,
                       std::max(tiles[i].image.width(), 160), captionHeight - 2),
            Qt::AlignLeft | Qt::AlignTop, tiles[i].caption);
    }
    return sheet;
}

} // namespace genassets
