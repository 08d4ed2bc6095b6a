"""The portable zip: the listed files only, the same bytes twice. Arguments: <dist> <data/Affirmations> <maker>."""

import os
import shutil
import sys
import tempfile
import unittest
import zipfile

DIST, AFFIRMATIONS, MAKER = sys.argv[1:4]
sys.path.insert(0, os.path.dirname(MAKER))
import portable_zip  # noqa: E402


class PortableZip(unittest.TestCase):
    def test_only_the_listed_files_and_the_same_bytes_twice(self):
        with tempfile.TemporaryDirectory() as place:
            dist = shutil.copytree(DIST, os.path.join(place, "dist"))
            for stray in ("Data.Lst", "Affirmations/Data.Lst", "UpliftBeacon.log"):  # what a local run leaves
                open(os.path.join(dist, stray), "w").close()
            zips = [os.path.join(place, name) for name in ("1.zip", "2.zip")]
            for path in zips:
                portable_zip.write(dist, AFFIRMATIONS, path, "P")
            self.assertEqual(*(open(path, "rb").read() for path in zips))
            self.assertCountEqual(zipfile.ZipFile(zips[0]).namelist(), ["P/", "P/Affirmations/", "P/UpliftBeacon.chm",
                "P/UpliftBeacon.exe", *("P/Affirmations/" + name for name in os.listdir(AFFIRMATIONS))])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
