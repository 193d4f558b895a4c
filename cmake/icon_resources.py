#!/usr/bin/env python3
"""Writes an icon file (.ico) as the resources of a Windows program's icon.

    icon_resources.py ICON.ico OUTPUT.rc GROUP FIRST

Each image of the icon becomes an icon resource (RT_ICON), numbered from FIRST in the file's own
order, and the directory that names them becomes icon group GROUP (RT_GROUP_ICON); OUTPUT.rc
compiles them in as raw resources, from files written beside it. windres' ICON statement would
do the same but numbers the images itself, counting from 1 across the whole program.

The directory in the file and the one in a program differ only in how an entry finds its image:
an offset into the file there, a resource number here.
"""

import os
import struct
import sys

RT_ICON = 3
RT_GROUP_ICON = 14
PNG = b"\x89PNG\r\n\x1a\n"


def fail(icon, message):
    sys.exit(f"icon_resources.py: {icon}: {message}")


def images(icon, data):
    """The icon's images in the file's order: (width, height, colours, planes, bits, bytes)."""
    if len(data) < 6:
        fail(icon, "too short for an icon file")
    reserved, kind, count = struct.unpack_from("<HHH", data)
    if reserved != 0 or kind != 1 or count == 0:
        fail(icon, "not an icon file (a cursor, or no images)")
    if len(data) < 6 + 16 * count:
        fail(icon, f"its directory of {count} images is cut short")
    for n in range(count):
        width, height, colours, _, planes, bits, size, offset = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * n)
        image = data[offset:offset + size]
        if size == 0 or len(image) != size:
            fail(icon, f"image {n + 1} lies outside the file")
        # Writers may leave the planes and the bit depth to be read from the image itself, as
        # Windows does; a program's directory must say them.
        if image.startswith(PNG):
            planes, bits = planes or 1, bits or 32
        elif len(image) >= 40 and struct.unpack_from("<I", image)[0] == 40:
            planes = planes or struct.unpack_from("<H", image, 12)[0]
            bits = bits or struct.unpack_from("<H", image, 14)[0]
        else:
            fail(icon, f"image {n + 1} is neither a bitmap nor a PNG")
        yield width, height, colours, planes, bits, image


def main():
    if len(sys.argv) != 5:
        sys.exit("usage: icon_resources.py ICON.ico OUTPUT.rc GROUP FIRST")
    icon, rc, group, first = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    with open(icon, "rb") as f:
        found = list(images(icon, f.read()))
    if first + len(found) - 1 > 0xFFFF:
        fail(icon, f"{len(found)} images do not fit from resource {first} on")

    folder = os.path.dirname(os.path.abspath(rc))
    os.makedirs(folder, exist_ok=True)
    directory = struct.pack("<HHH", 0, 1, len(found))
    lines = [
        f"// Icon group {group}: the images of {os.path.basename(icon)} as icons {first} to"
        f" {first + len(found) - 1}.",
        "// Written by cmake/icon_resources.py.",
    ]
    for n, (width, height, colours, planes, bits, image) in enumerate(found):
        number = first + n
        path = os.path.join(folder, f"icon-{number}.bin")
        with open(path, "wb") as f:
            f.write(image)
        directory += struct.pack("<BBBBHHIH", width, height, colours, 0, planes, bits,
                                 len(image), number)
        lines.append(f'{number} {RT_ICON} "{path}" // {width or 256} x {height or 256}, '
                     f"{bits} bits")
    path = os.path.join(folder, f"icon-group-{group}.bin")
    with open(path, "wb") as f:
        f.write(directory)
    lines.append(f'{group} {RT_GROUP_ICON} "{path}"')
    with open(rc, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
