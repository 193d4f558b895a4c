#!/usr/bin/python3
"""Samples what the screen shows at one pixel, as often as asked, straight from the X server.

  xsample.py X Y SECONDS INTERVAL_MS

Prints one line per sample: "<seconds since the epoch> <red> <green> <blue>". Under a
compositing manager the root window holds the composited picture, so this is what a person
sees. (ImageMagick's import takes about 120 ms a picture; this takes well under one.)
"""

import ctypes
import sys
import time

x, y, seconds, interval_ms = int(sys.argv[1]), int(sys.argv[2]), float(sys.argv[3]), float(sys.argv[4])

x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                          ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XGetPixel.restype = ctypes.c_ulong
x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("xsample.py: cannot open the display")
root = x11.XDefaultRootWindow(display)
ZPIXMAP, ALL_PLANES = 2, 0xFFFFFFFF
end = time.time() + seconds
out = []
while True:  # at least one sample
    image = x11.XGetImage(display, root, x, y, 1, 1, ALL_PLANES, ZPIXMAP)
    if image:
        pixel = x11.XGetPixel(image, 0, 0)  # a few hundred 1 x 1 images are not worth freeing
        out.append("%.4f %d %d %d" % (time.time(), (pixel >> 16) & 255, (pixel >> 8) & 255, pixel & 255))
    if time.time() >= end:
        break
    time.sleep(interval_ms / 1000.0)
print("\n".join(out))
