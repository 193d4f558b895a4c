#include "qt/fonts.h"

#include "core/typefaces.h"
#include "qt/conversions.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>

namespace gd {

void installFonts()
{
    // Wine ships a Tahoma with the original's metrics; fontconfig does not search its folder.
    bool tahoma = false;
    for (const char* file :
        { "/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf" })
        if (QFile::exists(QString::fromLatin1(file)))
            tahoma = QFontDatabase::addApplicationFont(QString::fromLatin1(file)) >= 0 || tahoma;
    for (const FaceSubstitutes& row : kFaceSubstitutes) {
        if (row.face == "Tahoma" && tahoma)
            continue;
        QStringList substitutes;
        for (std::string_view face : row.substitutes)
            substitutes.append(toQString(face));
        QFont::insertSubstitutions(toQString(row.face), substitutes);
    }
}

} // namespace gd
