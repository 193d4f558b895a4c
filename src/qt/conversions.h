#pragma once

// The model's units and values as Qt takes them: twips to pixels, description colours, the
// model's Latin-1 texts, a control's font.

#include "model/control.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <string_view>

namespace gd {

// Twips to pixels for one axis.
struct Scale {
    double tppX = 15, tppY = 15;
    QRect rect(double left, double top, double width, double height) const;
};

// A description colour; a system colour (&H800000nn) comes from designedPalette().
QColor toQColor(Colour colour);
// The model's texts are Latin-1, as the tutorials' language keeps them.
QString toQString(std::string_view text);
QFont fontOf(const Control& control);

} // namespace gd
