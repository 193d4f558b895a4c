#include "qt/palette.h"

#include <iterator>

namespace gd {

// The window's system colours and everything Qt draws in it (button text, frames, scroll bars,
// the selection) come from one fixed palette: Qt's own, the one a desktop without a platform
// theme shows. The description fixes half of the window's colours itself (the dark form, the
// silver card and buttons, the red headings); a desktop's dark palette would change the other
// half and pair near-white text with the silver. Windows of the desktop's own (message boxes,
// menus, tool tips) keep the desktop's palette: they have no fixed colours to clash with.
const QPalette& designedPalette()
{
    static const QPalette palette = [] {
        struct Entry {
            QPalette::ColorRole role;
            QRgb enabled, disabled; // active and inactive are the same
        };
        // clang-format off
        static const Entry entries[] = {
            // role                        enabled   disabled
            { QPalette::WindowText,       0x000000, 0xbebebe },
            { QPalette::Button,           0xefefef, 0xefefef },
            { QPalette::Light,            0xffffff, 0xffffff },
            { QPalette::Midlight,         0xcacaca, 0xcacaca },
            { QPalette::Dark,             0x9f9f9f, 0xbebebe },
            { QPalette::Mid,              0xb8b8b8, 0xb8b8b8 },
            { QPalette::Text,             0x000000, 0xbebebe },
            { QPalette::BrightText,       0xffffff, 0xffffff },
            { QPalette::ButtonText,       0x000000, 0xbebebe },
            { QPalette::Base,             0xffffff, 0xefefef },
            { QPalette::Window,           0xefefef, 0xefefef },
            { QPalette::Shadow,           0x767676, 0xb1b1b1 },
            { QPalette::Highlight,        0x308cc6, 0x919191 },
            { QPalette::HighlightedText,  0xffffff, 0xffffff },
            { QPalette::Link,             0x0000ff, 0x0000ff },
            { QPalette::LinkVisited,      0xff00ff, 0xff00ff },
            { QPalette::AlternateBase,    0xf7f7f7, 0xf7f7f7 },
            { QPalette::NoRole,           0x000000, 0x000000 },
            { QPalette::ToolTipBase,      0xffffdc, 0xffffdc },
            { QPalette::ToolTipText,      0x000000, 0x000000 },
        };
        // clang-format on
        static_assert(std::size(entries) == QPalette::NColorRoles - 1); // all but PlaceholderText
        // Every role of every group is set, so a change of the desktop's palette while the
        // program runs changes nothing in the window either.
        QPalette p;
        for (const Entry& e : entries) {
            p.setColor(QPalette::Active, e.role, QColor::fromRgb(e.enabled));
            p.setColor(QPalette::Inactive, e.role, QColor::fromRgb(e.enabled));
            p.setColor(QPalette::Disabled, e.role, QColor::fromRgb(e.disabled));
        }
        p.setColor(QPalette::PlaceholderText, QColor(0, 0, 0, 128)); // in every group
        return p;
    }();
    return palette;
}

} // namespace gd
