#!/usr/bin/env python3
"""check_imports.py <program.exe>: fails when the program names, in its import table, a DLL that the loader
would look for beside the program. Only the system's own DLLs (always taken from its folder) may be loaded
when the program starts; anything else is loaded on first use, from the system folder only."""

import struct
import sys

ALLOWED = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "ole32.dll", "oleaut32.dll",
           "comdlg32.dll", "msvcrt.dll", "comctl32.dll"}


def imported_dlls(image):
    """The DLL names of a PE32+ image's import directory (data directory 1)."""
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE image")
    sections, optional_size = struct.unpack_from("<H12xH", image, pe + 6)
    optional = pe + 24
    if struct.unpack_from("<H", image, optional)[0] != 0x20B:
        raise ValueError("not a 64-bit image")
    import_rva = struct.unpack_from("<I", image, optional + 112 + 8)[0]
    table = optional + optional_size
    spans = [struct.unpack_from("<8xIIII", image, table + 40 * i) for i in range(sections)]

    def offset(rva):
        for size, address, raw_size, raw in spans:
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise ValueError("RVA %#x outside the sections" % rva)

    names, at = [], offset(import_rva) if import_rva else None
    while at is not None:
        descriptor = struct.unpack_from("<5I", image, at)
        if not any(descriptor):
            break
        start = offset(descriptor[3])
        names.append(image[start:image.index(b"\0", start)].decode("ascii"))
        at += 20
    return names


def main():
    with open(sys.argv[1], "rb") as f:
        names = imported_dlls(f.read())
    print("load-time imports: " + ", ".join(names))
    others = [name for name in names if name.lower() not in ALLOWED]
    if others:
        print("FAILED: not DLLs the system takes from its own folder: " + ", ".join(others))
    return 1 if others or not names else 0


if __name__ == "__main__":
    sys.exit(main())
