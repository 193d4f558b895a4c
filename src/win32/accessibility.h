#pragma once

// What a screen reader is told about the window on Windows, through Microsoft Active
// Accessibility, from the core's names table (core/accessible_texts.h). The system's own objects
// serve wherever they can (the push buttons are named by their captions, which are their windows'
// texts); where a window needs more, it answers WM_GETOBJECT with one of these, which takes what
// the system's object says and adds to it: the window's name ("Glimmerdeck", while its caption
// stays "Form1" on the task bar), a listing's name from the caption above it, a picture box's
// name and what it is, and the windowless controls a container draws as its children, among
// them "_" and "X" as the push buttons "Minimise" and "Close Glimmerdeck". A control out of its
// container's view is no child.

#include <windows.h>

#include <string>

namespace gd {

class Container;
class Control;
class View;

// The answer to WM_GETOBJECT for a container's client area (the form, a picture box), and for a
// listing's edit box; 0 for any other object asked for, which the caller leaves to the system.
LRESULT accessibleContainer(Container& container, WPARAM wParam, LPARAM lParam);
LRESULT accessibleListing(View& listing, WPARAM wParam, LPARAM lParam);

// A windowless control took the focus: assistive technology follows it there.
void accessibleFocus(Container& container, const Control& control);

// The window going away: the objects made for it answer nothing more.
void forgetAccessible();

} // namespace gd
