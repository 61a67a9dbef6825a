#!/usr/bin/env python3
"""Binds hyphenkit's shared library from Python with nothing but the standard library's ctypes,
as any language with a C foreign-function interface can, and checks a few results.

    tests/c_api/ctypes_binding.py /path/to/libhyphenkit.so
"""
import ctypes
import sys

lib = ctypes.CDLL(sys.argv[1])
lib.hyphenkit_hyphenator_tag.argtypes = [ctypes.c_char_p, ctypes.POINTER(ctypes.c_void_p)]
lib.hyphenkit_hyphenator_free.argtypes = [ctypes.c_void_p]
lib.hyphenkit_last_error.restype = ctypes.c_char_p
for name, unit in (("utf8", ctypes.c_char_p), ("utf16", ctypes.c_void_p)):
    function = getattr(lib, "hyphenkit_breaks_" + name)
    function.argtypes = [ctypes.c_void_p, unit, ctypes.c_size_t,
                         ctypes.POINTER(ctypes.c_size_t), ctypes.c_size_t]
    function.restype = ctypes.c_ssize_t


def hyphenator(tag):
    handle = ctypes.c_void_p()
    if lib.hyphenkit_hyphenator_tag(tag.encode(), ctypes.byref(handle)) != 0:
        raise LookupError(lib.hyphenkit_last_error().decode())
    return handle


def hyphenate(handle, word):
    """The fragments of a Python string, through its UTF-8 bytes."""
    data = word.encode()
    breaks = (ctypes.c_size_t * 64)()
    count = lib.hyphenkit_breaks_utf8(handle, data, len(data), breaks, 64)
    if count < 0:
        raise ValueError(lib.hyphenkit_last_error().decode())
    cuts = [0] + list(breaks[:count]) + [len(data)]
    return [data[a:b].decode() for a, b in zip(cuts, cuts[1:])]


def utf16_breaks(handle, word):
    """The break offsets of a Python string in UTF-16 code units, as Java and JavaScript count."""
    data = word.encode("utf-16-le")
    breaks = (ctypes.c_size_t * 64)()
    count = lib.hyphenkit_breaks_utf16(handle, data, len(data) // 2, breaks, 64)
    return list(breaks[:count])


english, german = hyphenator("en-US"), hyphenator("de")
checks = [
    (hyphenate(english, "hyphenation"), ["hy", "phen", "ation"]),
    (hyphenate(german, "Größenänderung"), ["Grö", "ßen", "än", "de", "rung"]),
    (utf16_breaks(german, "Größenänderung"), [3, 6, 8, 10]),
]
try:
    hyphenator("zh")
    checks.append(("no error", "an error"))
except LookupError as error:
    checks.append((str(error), "no patterns for the language 'zh'"))
for handle in (english, german):
    lib.hyphenkit_hyphenator_free(handle)
failed = [(got, expected) for got, expected in checks if got != expected]
for got, expected in failed:
    print("got %r, expected %r" % (got, expected))
print("ctypes binding: %d of %d checks passed" % (len(checks) - len(failed), len(checks)))
sys.exit(1 if failed else 0)
