#include "qt/pictures.h"

#include "qt/conversions.h"

#include <QFile>
#include <QIconEngine>
#include <QImageReader>

#include <utility>

namespace gd {

QString assetPath(std::string_view file) { return QStringLiteral(":/assets/") + toQString(file); }

namespace {

// Points a reader at a compiled-in picture, in the format its name gives. Left to guess, Qt
// loads every image plugin it has (SVG and all) to ask each whether it knows the file, even a
// bitmap it reads itself: milliseconds before the first frame, for nothing.
void openAsset(QImageReader& reader, std::string_view file)
{
    const QString path = assetPath(file);
    reader.setFileName(path);
    reader.setFormat(path.section(QLatin1Char('.'), -1).toLatin1());
    reader.setAutoDetectImageFormat(false);
}

// An icon read from its file when it is first asked for. Under X11 it is, as the window is created,
// for the window manager; a platform that shows no window icons (offscreen) never asks, and there
// the file is never decoded at all.
class DeferredIconEngine : public QIconEngine {
public:
    explicit DeferredIconEngine(QString file)
        : m_file(std::move(file))
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    // Sizes asked for here are in device pixels already: the icon is not to scale them again.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, 1.0, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return pixmap(size, mode, state).size();
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return m_icon ? m_icon->isNull() : !QFile::exists(m_file); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon& icon()
    {
        if (!m_icon)
            m_icon = QIcon(m_file);
        return *m_icon;
    }

    QString m_file;
    std::optional<QIcon> m_icon;
};

} // namespace

QIcon loadIcon(std::string_view file) { return QIcon(new DeferredIconEngine(assetPath(file))); }

const QPixmap& Picture::pixmap() const
{
    if (!m_pixmap) {
        m_pixmap.emplace();
        if (!m_file.empty()) {
            QImageReader reader;
            openAsset(reader, m_file);
            m_pixmap = QPixmap::fromImage(reader.read());
        }
    }
    return *m_pixmap;
}

QSize Picture::size() const
{
    if (!m_pixmap && !m_file.empty()) {
        QImageReader reader;
        openAsset(reader, m_file);
        const QSize size = reader.size();
        if (size.isValid())
            return size;
    }
    return pixmap().size();
}

} // namespace gd
