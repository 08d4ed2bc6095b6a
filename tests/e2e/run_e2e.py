#!/usr/bin/env python3
"""Runs modules of end-to-end tests (ctest calls it, see CMakeLists.txt): run_e2e.py test_module...
UPLIFT_EXE and UPLIFT_PROBE name the programs. Exit status 0 passed, 1 failed, 77 skipped (no Wine session)."""
import os
import sys
import unittest

if __name__ == "__main__":
    missing = [name for name in ("WINEPREFIX", "DISPLAY") if not os.environ.get(name)]
    if missing:
        print("SKIPPED: %s not set: run the end-to-end tests through scripts/test.sh" % " and ".join(missing))
        sys.exit(77)
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    suite = unittest.defaultTestLoader.loadTestsFromNames(sys.argv[1:])
    sys.exit(0 if unittest.TextTestRunner(verbosity=2, stream=sys.stdout).run(suite).wasSuccessful() else 1)
