"""A wtsapi32.dll planted beside the program, and preferred to Wine's own by a DLL override, is never loaded: the
DLLs the program loads on first use come from the system folder only."""

import os
import re
import shutil
import subprocess

from e2e_support import ProgramTest, log_dir, wait_until, wine_env


class PlantedDllTest(ProgramTest):
    def test_a_dll_beside_the_program_is_not_loaded(self):
        shutil.copy(os.environ["UPLIFT_PLANTED_DLL"], os.path.join(self.folder, "wtsapi32.dll"))
        env = dict(wine_env(), WINEDEBUG="+loaddll", WINEDLLOVERRIDES="mscoree,mshtml=;wtsapi32=n,b")
        with open(os.path.join(log_dir(), "planted-%d.log" % os.getpid()), "w+b") as log:
            program = subprocess.Popen(["wine", self.exe], stdin=subprocess.DEVNULL, stdout=log,
                                       stderr=subprocess.STDOUT, env=env, cwd=self.folder)
            self.addCleanup(lambda: (program.kill(), program.wait()))

            def loaded():  # by the session watch, the start-up's last step
                with open(log.name, "rb") as f:
                    return re.findall(rb'Loaded L"([^"]*wtsapi32\.dll)"', f.read(), re.I)
            paths = wait_until(loaded, "wtsapi32.dll to be loaded")
        self.assertEqual([p for p in paths if b"system32" not in p.lower()], [], "a DLL from beside the program")
