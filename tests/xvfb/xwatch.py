#!/usr/bin/python3
"""Watches for a top-level window from before it exists: when it is mapped, and every opacity it
is given from then on, straight from the X server's events.

  xwatch.py NAME SECONDS

Start it before the program: it prints "ready" once it listens, then one line per event with the
time it arrived, "<seconds since the epoch> map" for the first window named NAME to be mapped and
"<seconds since the epoch> opacity <alpha 0..255>" for its _NET_WM_WINDOW_OPACITY (the value it
has at the map, then each change). It stops after SECONDS. (xprop and xwininfo start a process a
look, 10 to 100 ms apart on a busy machine; this sees each change as it happens.) It needs a
screen without a window manager, which would map a frame of its own around the window.
"""

import ctypes
import select
import sys
import time

name, seconds = sys.argv[1].encode(), float(sys.argv[2])

x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XConnectionNumber.argtypes = [ctypes.c_void_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
x11.XPending.argtypes = [ctypes.c_void_p]
x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
x11.XGetWindowProperty.argtypes = [
    ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long, ctypes.c_int,
    ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_int),
    ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_ulong),
    ctypes.POINTER(ctypes.c_void_p)]

CREATE_NOTIFY, MAP_NOTIFY, PROPERTY_NOTIFY = 16, 19, 28
SUBSTRUCTURE_NOTIFY_MASK, PROPERTY_CHANGE_MASK = 1 << 19, 1 << 22

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("xwatch.py: cannot open the display")
root = x11.XDefaultRootWindow(display)
opacity_atom = x11.XInternAtom(display, b"_NET_WM_WINDOW_OPACITY", 0)
x11.XSelectInput(display, root, SUBSTRUCTURE_NOTIFY_MASK)
x11.XFlush(display)
print("ready", flush=True)


def opacity(window):
    kind, fmt = ctypes.c_ulong(), ctypes.c_int()
    count, after, data = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_void_p()
    x11.XGetWindowProperty(display, window, opacity_atom, 0, 1, 0, 0, ctypes.byref(kind),
                           ctypes.byref(fmt), ctypes.byref(count), ctypes.byref(after),
                           ctypes.byref(data))
    if not data or count.value == 0:
        return None
    return (ctypes.cast(data, ctypes.POINTER(ctypes.c_ulong))[0] & 0xFFFFFFFF) >> 24


def named(window):
    text = ctypes.c_char_p()
    return x11.XFetchName(display, window, ctypes.byref(text)) and text.value == name


# The event as longs: type, serial, send_event, display, then the fields of each kind.
event = (ctypes.c_long * 24)()
watched = None
last = None
end = time.time() + seconds
while time.time() < end:
    if not x11.XPending(display):
        select.select([x11.XConnectionNumber(display)], [], [], max(0.0, end - time.time()))
        continue
    x11.XNextEvent(display, event)
    now = time.time()
    kind = event[0] & 0xFFFFFFFF
    if kind == CREATE_NOTIFY and watched is None:
        # Listened to from its creation, before the program can give it an opacity to watch.
        x11.XSelectInput(display, event[5], PROPERTY_CHANGE_MASK)
    elif kind == MAP_NOTIFY and watched is None and named(event[5]):
        watched = event[5]
        print("%.4f map" % now, flush=True)
        last = opacity(watched)
        if last is not None:
            print("%.4f opacity %d" % (now, last), flush=True)
    elif kind == PROPERTY_NOTIFY and event[4] == watched and event[5] == opacity_atom:
        value = opacity(watched)
        if value is not None and value != last:
            last = value
            print("%.4f opacity %d" % (now, value), flush=True)
