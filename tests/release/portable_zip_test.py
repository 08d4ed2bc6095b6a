"""The portable zip holds exactly the program, the help file and the ready-made affirmations, in a folder of its
name, whatever else lies in the ready-to-run folder; the same files give the same bytes.

    python3 portable_zip_test.py <ready-to-run folder> <data/Affirmations> <installer/portable_zip.py>"""

import importlib.util
import os
import shutil
import sys
import tempfile
import unittest
import zipfile

DIST, AFFIRMATIONS, MAKER = sys.argv[1:4]
del sys.argv[1:4]
spec = importlib.util.spec_from_file_location("portable_zip", MAKER)
portable_zip = importlib.util.module_from_spec(spec)
spec.loader.exec_module(portable_zip)


class PortableZip(unittest.TestCase):
    def test_only_the_listed_files_and_the_same_bytes_twice(self):
        with tempfile.TemporaryDirectory() as place:
            dist = os.path.join(place, "dist")
            shutil.copytree(DIST, dist)
            # What a local run leaves beside the program.
            for stray in ("Data.Lst", "Affirmations/Data.Lst", "UpliftBeacon.log"):
                with open(os.path.join(dist, stray), "w") as f:
                    f.write('"mine"\r\n')
            os.mkdir(os.path.join(dist, "Affirmations", "Nested"))
            zips = [os.path.join(place, "%d.zip" % i) for i in (1, 2)]
            for path in zips:
                portable_zip.write(dist, AFFIRMATIONS, path, "UpliftBeaconPlus-9.9-portable")
            with open(zips[0], "rb") as a, open(zips[1], "rb") as b:
                self.assertEqual(a.read(), b.read())
            with zipfile.ZipFile(zips[0]) as archive:
                self.assertIsNone(archive.testzip())
                names = archive.namelist()
        expected = ["UpliftBeaconPlus-9.9-portable/" + name for name in
                    ["", "Affirmations/", "UpliftBeacon.chm", "UpliftBeacon.exe"] +
                    ["Affirmations/" + name for name in os.listdir(AFFIRMATIONS)]]
        self.assertEqual(sorted(names), sorted(expected))


if __name__ == "__main__":
    unittest.main()
