"""Writes the portable zip: a folder <name>/ holding the program, its help file and the ready-made affirmations,
taken by an explicit list (never a Data.Lst or anything else a local run left there): the two files from the
ready-to-run folder, the affirmations from their source folder data/Affirmations. The same files give the same
bytes: entries sorted, one fixed time, fixed attributes.

    python3 installer/portable_zip.py <ready-to-run folder> <data/Affirmations> <out.zip> <name>"""

import os
import sys
import zipfile

FILES = ("UpliftBeacon.exe", "UpliftBeacon.chm")
FOLDER = "Affirmations"
FIXED_TIME = (2026, 1, 1, 0, 0, 0)


def listed(dist, affirmations):
    """{path in the zip's folder: file it comes from}; fails when one of FILES is missing."""
    missing = [name for name in FILES if not os.path.isfile(os.path.join(dist, name))]
    if missing:
        raise SystemExit("missing in %s: %s" % (dist, ", ".join(missing)))
    paths = {name: os.path.join(dist, name) for name in FILES}
    paths.update({"%s/%s" % (FOLDER, name): os.path.join(affirmations, name) for name in os.listdir(affirmations)
                  if os.path.isfile(os.path.join(affirmations, name))})
    return paths


def write(dist, affirmations, out, name):
    with zipfile.ZipFile(out + ".tmp", "w") as archive:
        for folder in (name + "/", "%s/%s/" % (name, FOLDER)):
            entry = zipfile.ZipInfo(folder, FIXED_TIME)
            entry.external_attr = 0o40755 << 16 | 0x10
            archive.writestr(entry, b"")
        paths = listed(dist, affirmations)
        for path in sorted(paths):
            entry = zipfile.ZipInfo("%s/%s" % (name, path), FIXED_TIME)
            entry.external_attr = 0o100644 << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(paths[path], "rb") as f:
                archive.writestr(entry, f.read(), compresslevel=9)
    os.replace(out + ".tmp", out)


if __name__ == "__main__":
    if len(sys.argv) != 5:
        raise SystemExit(__doc__)
    write(*sys.argv[1:])
