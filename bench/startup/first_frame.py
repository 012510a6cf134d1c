#!/usr/bin/env python3
"""Milliseconds from starting a program until a screen pixel stops being black.

usage: first_frame.py X Y COMMAND...  (prints one number; the program is left running)
"""
import ctypes
import subprocess
import sys
import time

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                          ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XGetPixel.restype = ctypes.c_ulong
x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]


def pixel(display, root, x, y):
    image = x11.XGetImage(display, root, x, y, 1, 1, 0xFFFFFFFF, 2)  # ZPixmap
    if not image:
        return 0
    # XDestroyImage is a macro; a 1x1 image per poll for a few seconds is not worth freeing.
    return x11.XGetPixel(image, 0, 0)


def main():
    x, y = int(sys.argv[1]), int(sys.argv[2])
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("no display")
    root = x11.XDefaultRootWindow(display)
    start = time.monotonic()
    subprocess.Popen(sys.argv[3:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    while time.monotonic() - start < 60:
        if pixel(display, root, x, y) != 0:
            print(int((time.monotonic() - start) * 1000))
            return
        time.sleep(0.002)
    sys.exit("no frame within 60 s")


main()
