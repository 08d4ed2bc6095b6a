"""check_help_file.py CHMLS CHM HELP_TOPICS_HEADER: every help number of the program's controls opens a page that is
in the built UpliftBeacon.chm and has a popup text in its TextPopups.Txt."""
import pathlib, re, shutil, subprocess, sys, tempfile

chmls, chm, header = sys.argv[1:4]


def run(*args):
    return subprocess.run([chmls, *args], capture_output=True, text=True, check=True).stdout


numbers = {int(n) for n in re.findall(r"kHelp\w+ = ([1-9]\d*);", pathlib.Path(header).read_text())}
with tempfile.TemporaryDirectory() as tmp:
    copy = pathlib.Path(tmp, "help.chm")  # chmls writes the context map beside the file it reads
    shutil.copy(chm, copy)
    files = {line.strip() for line in run("-p", "-n", "list", str(copy)).splitlines()}
    run("extractalias", str(copy))
    run("extract", str(copy), "/TextPopups.Txt", str(copy.with_name("popups.txt")))
    defines = dict(re.findall(r"#define (\S+) (\d+)", copy.with_suffix(".h").read_text()))
    aliases = dict(line.split("=", 1) for line in copy.with_suffix(".ali").read_text().split())
    popup_file = copy.with_name("popups.txt").read_text(encoding="cp1252")
pages = {int(number): aliases.get(name) for name, number in defines.items()}
popups = {int(n): text.strip() for n, text in
          re.findall(r"^\.topic (\d+)[ \t]*\r?\n(.*?)(?=^\.topic |\Z)", popup_file, re.M | re.S)}

failures = [] if numbers else [f"no help numbers in {header}"]
failures += [f"help number {number}: page {pages.get(number)!r} is not in the file"
             for number in sorted(numbers | pages.keys()) if pages.get(number) not in files]
failures += [f"help number {number}: no popup text" for number in sorted(numbers) if not popups.get(number)]
print("\n".join(failures) or f"{len(numbers)} help numbers: each has its page and its popup text")
sys.exit(1 if failures else 0)
