# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes playlist files in the player's own format, for the scripts."""
import struct


def _count(n):
    return struct.pack("<H", n) if n < 0xFFFF else struct.pack("<HI", 0xFFFF, n)


def _text(text):
    units = text.encode("utf-16-le", "surrogatepass")
    n = len(units) // 2
    if n < 0xFF:
        length = struct.pack("<B", n)
    elif n < 0xFFFE:
        length = b"\xFF" + struct.pack("<H", n)
    else:
        length = b"\xFF\xFF\xFF" + struct.pack("<I", n)
    return b"\xFF\xFE\xFF" + length + units


def encode(rows):
    """rows: (file name, folder, duration) tuples."""
    out = [_count(len(rows))]
    for i, (name, folder, duration) in enumerate(rows):
        out.append(struct.pack("<HHH", 0xFFFF, 2, 12) + b"CPlaylistRow" if i == 0 else b"\x01\x80")
        out.append(_text(name) + _text(folder) + _text(folder + "/" + name) + _text(duration))
    return b"".join(out)
