#pragma once

// The model's values as Qt takes them: pixel rectangles, description colours, the model's
// Latin-1 texts, a control's font.

#include "core/scale.h"
#include "model/control.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <string_view>

namespace gd {

inline QRect toQRect(PixelRect r) { return QRect(r.x, r.y, r.width, r.height); }
inline PixelRect fromQRect(const QRect& r) { return { r.x(), r.y(), r.width(), r.height() }; }

// A description colour; a system colour (&H800000nn) comes from designedPalette().
QColor toQColor(Colour colour);
// The model's texts are Latin-1, as the tutorials' language keeps them.
QString toQString(std::string_view text);
// A text as Qt widgets show and copy it: with the platform's line breaks, not CR LF.
QString displayText(std::string_view text);
QFont fontOf(const Control& control);

} // namespace gd
