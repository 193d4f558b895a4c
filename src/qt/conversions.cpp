#include "qt/conversions.h"

#include "qt/palette.h"

#include <QPalette>

#include <algorithm>
#include <cmath>

namespace gd {

QRect Scale::rect(double left, double top, double width, double height) const
{
    // Both edges are rounded, so neighbours that touch in twips touch in pixels.
    const int x1 = static_cast<int>(std::lround(left / tppX));
    const int y1 = static_cast<int>(std::lround(top / tppY));
    const int x2 = static_cast<int>(std::lround((left + width) / tppX));
    const int y2 = static_cast<int>(std::lround((top + height) / tppY));
    return QRect(x1, y1, std::max(0, x2 - x1), std::max(0, y2 - y1));
}

QColor toQColor(Colour colour)
{
    if (colour & 0x80000000u) {
        const QPalette& palette = designedPalette();
        switch (colour & 0xFF) {
        case 0x05: return palette.color(QPalette::Base);
        case 0x08: return palette.color(QPalette::Text);
        case 0x0F: return palette.color(QPalette::Button);
        case 0x12: return palette.color(QPalette::ButtonText);
        default: return palette.color(QPalette::Window);
        }
    }
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QString toQString(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QFont fontOf(const Control& control)
{
    QFont font(toQString(control.fontName()));
    font.setPointSizeF(control.fontSize());
    font.setBold(control.fontBold());
    return font;
}

} // namespace gd
