#include "qt/conversions.h"

#include "core/colours.h"
#include "qt/palette.h"

#include <QPalette>

namespace gd {

QColor toQColor(Colour colour)
{
    if (isSchemeColour(colour)) {
        const QPalette& palette = designedPalette();
        switch (schemeIndex(colour)) {
        case 0x05: return palette.color(QPalette::Base);
        case 0x08: return palette.color(QPalette::Text);
        case 0x0F: return palette.color(QPalette::Button);
        case 0x12: return palette.color(QPalette::ButtonText);
        default: return palette.color(QPalette::Window);
        }
    }
    const Rgb rgb = rgbOf(colour);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QString toQString(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QString displayText(std::string_view text)
{
    return toQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QFont fontOf(const Control& control)
{
    QFont font(toQString(control.fontName()));
    font.setPointSizeF(control.fontSize());
    font.setBold(control.fontBold());
    return font;
}

} // namespace gd
