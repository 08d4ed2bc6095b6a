#!/usr/bin/env python3
"""Runs one module of end-to-end tests; ctest calls this (see CMakeLists.txt).

    run_e2e.py --exe UpliftBeacon.exe --probe probe.exe [--minimal minimal_window.exe] [--logs DIR] test_module...

Exit status: 0 all passed, 1 a test failed, 77 skipped (no Wine session in the environment).
"""
import argparse
import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SKIPPED = 77


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--exe", default=os.environ.get("UPLIFT_EXE", ""))
    parser.add_argument("--probe", default=os.environ.get("UPLIFT_PROBE", ""))
    parser.add_argument("--minimal", default=os.environ.get("UPLIFT_MINIMAL", ""))
    parser.add_argument("--logs", default=os.environ.get("UPLIFT_E2E_LOGS", ""))
    parser.add_argument("modules", nargs="+", help="test modules (or module.Class.test_name)")
    args = parser.parse_args()

    os.environ["UPLIFT_EXE"] = os.path.abspath(args.exe) if args.exe else ""
    os.environ["UPLIFT_PROBE"] = os.path.abspath(args.probe) if args.probe else ""
    os.environ["UPLIFT_MINIMAL"] = os.path.abspath(args.minimal) if args.minimal else ""
    if args.logs:
        os.environ["UPLIFT_E2E_LOGS"] = os.path.abspath(args.logs)
    sys.path.insert(0, HERE)

    import e2e_support
    problem = e2e_support.session_problem()
    if problem:
        print("SKIPPED: " + problem)
        return SKIPPED

    suite = unittest.defaultTestLoader.loadTestsFromNames(args.modules)
    result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout).run(suite)
    sys.stdout.flush()
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
