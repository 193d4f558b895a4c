#include "qt/fonts.h"

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
    if (!tahoma)
        QFont::insertSubstitutions(QStringLiteral("Tahoma"),
            { QStringLiteral("Liberation Sans"), QStringLiteral("Arimo") });
    QFont::insertSubstitutions(
        QStringLiteral("Arial"), { QStringLiteral("Liberation Sans"), QStringLiteral("Arimo") });
    QFont::insertSubstitutions(QStringLiteral("Palatino Linotype"),
        { QStringLiteral("P052"), QStringLiteral("TeX Gyre Pagella") });
}

} // namespace gd
