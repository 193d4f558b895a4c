#pragma once

// The pictures the description names, compiled into the program: read when first needed, in the
// format their file names give.

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <optional>
#include <string_view>

namespace gd {

// Where a picture the description names lies among the program's compiled-in assets.
QString assetPath(std::string_view file);
// An icon among the assets, decoded only once something asks to see it.
QIcon loadIcon(std::string_view file);

// A picture the description names, decoded when it is first drawn: most wait in panels that
// may never be opened.
class Picture {
public:
    explicit Picture(std::string_view file)
        : m_file(file)
    {
    }
    const QPixmap& pixmap() const;
    // Read from the file's header where its format allows, without decoding it.
    QSize size() const;

private:
    std::string_view m_file;
    mutable std::optional<QPixmap> m_pixmap;
};

} // namespace gd
