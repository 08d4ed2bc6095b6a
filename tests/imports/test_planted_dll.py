"""A wtsapi32.dll planted beside the program, and preferred to Wine's own by a DLL override, is never loaded: the
DLLs the program loads on first use come from the system folder only."""

import os
import pathlib
import re
import shutil

from e2e_support import ProgramTest, wait_until


class PlantedDllTest(ProgramTest):
    def test_a_dll_beside_the_program_is_not_loaded(self):
        shutil.copy(os.environ["UPLIFT_PLANTED_DLL"], os.path.join(self.folder, "wtsapi32.dll"))
        program = self.launch(self.exe, "planted", debug="+loaddll",
                              env={"WINEDLLOVERRIDES": "mscoree,mshtml=;wtsapi32=n,b"})
        log = pathlib.Path(program.log.name)
        # The session watch, the start-up's last step, loads it.
        paths = wait_until(lambda: re.findall(rb'Loaded L"([^"]*wtsapi32\.dll)"', log.read_bytes(), re.I),
                           "wtsapi32.dll to be loaded")
        self.assertEqual([p for p in paths if b"system32" not in p.lower()], [], "a DLL from beside the program")
