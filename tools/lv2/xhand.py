#!/usr/bin/env python3
"""A hand and an eye on the X server in $DISPLAY, through libX11 and libXtst
alone (no xdotool on this machine):

  xhand.py click X Y [BUTTON]      press and release at root (X, Y)
  xhand.py double X Y              a double-click of the left button there
  xhand.py shot X Y W H FILE.png   the root's pixels in that box as a PNG
"""
import ctypes
import struct
import sys
import time
import zlib

x11 = ctypes.CDLL("libX11.so.6")
xtst = ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                      ctypes.c_ulong]
xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]


class XImage(ctypes.Structure):
    # The leading fields of Xlib's XImage, as far as the pixels need.
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


x11.XGetImage.restype = ctypes.POINTER(XImage)
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                          ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]


def click(display, x, y, button, pause=0.1):
    xtst.XTestFakeMotionEvent(display, -1, x, y, 0)
    x11.XSync(display, 0)
    time.sleep(pause)
    xtst.XTestFakeButtonEvent(display, button, 1, 0)
    x11.XSync(display, 0)
    time.sleep(pause)
    xtst.XTestFakeButtonEvent(display, button, 0, 0)
    x11.XSync(display, 0)


def shot(display, x, y, w, h, path):
    image = x11.XGetImage(display, x11.XDefaultRootWindow(display), x, y, w, h, 0xFFFFFFFF, 2)
    if not image or image.contents.bits_per_pixel != 32:
        sys.exit("xhand: cannot read the screen")
    img = image.contents
    rows = []
    for row in range(h):
        line = ctypes.string_at(ctypes.addressof(img.data.contents) + row * img.bytes_per_line,
                                w * 4)
        rgb = bytearray(w * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = line[2::4], line[1::4], line[0::4]
        rows.append(b"\0" + bytes(rgb))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(b"".join(rows), 9)))
        out.write(chunk(b"IEND", b""))


def main(args):
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("xhand: no X server in $DISPLAY")
    if args[:1] == ["click"] and len(args) in (3, 4):
        click(display, int(args[1]), int(args[2]), int(args[3]) if len(args) == 4 else 1)
    elif args[:1] == ["double"] and len(args) == 3:
        for _ in range(2):
            click(display, int(args[1]), int(args[2]), 1, 0.03)
    elif args[:1] == ["shot"] and len(args) == 6:
        shot(display, *(int(a) for a in args[1:5]), args[5])
    else:
        sys.exit(__doc__)
    x11.XCloseDisplay(display)


if __name__ == "__main__":
    main(sys.argv[1:])
