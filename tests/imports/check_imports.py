"""check_imports.py <objdump> <program.exe>: fails when the program's import table names a DLL other than the system's
own, which the loader always takes from its folder (anything else is loaded on first use, from that folder only)."""

import re
import subprocess
import sys

ALLOWED = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "ole32.dll", "oleaut32.dll",
           "comdlg32.dll", "msvcrt.dll", "comctl32.dll"}

# objdump -p lists the import directory's DLLs as "DLL Name: ..."; delay-loaded DLLs are not in it.
dump = subprocess.run([sys.argv[1], "-p", sys.argv[2]], stdout=subprocess.PIPE, check=True).stdout.decode()
names = re.findall(r"^\s*DLL Name: (\S+)", dump, re.M)
others = [name for name in names if name.lower() not in ALLOWED]
print("load-time imports: " + ", ".join(names))
if others or not names:
    sys.exit("FAILED: not DLLs the system takes from its own folder: " + ", ".join(others or ["(no DLL names read)"]))
