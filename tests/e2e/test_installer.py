"""The installer (UPLIFT_SETUP) and its uninstaller, silent, in a Wine prefix of their own, with a wineserver of its
own and Wine's menu builder off, so that the login start they write never starts a program in the shared prefix and
the shortcut writes no desktop files. The tests run in their numbered order, each going on
from the state the one before left: a fresh install, the installed program with its icon, an upgrade over the
running program, an upgrade stopped by a locked file, the menu's "Start when I log in" across a restart, the
uninstall."""

import getpass
import os
import shutil
import subprocess
import tempfile
import unittest

import test_tray
from e2e_support import (SETTINGS_KEY, WM_CLOSE, Started, log_dir, options_window, probe, reg_values, reg_write,
                         run, screenshot, wait_until, windows, wine_env, xdotool)

SETUP = os.environ.get("UPLIFT_SETUP", "")
PRODUCT = "Uplift Beacon Plus"
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\UpliftBeaconPlus"
PROGRAM_FILES = ["Affirmations", "Uninstall.exe", "UpliftBeacon.chm", "UpliftBeacon.exe"]


class Prefix:
    """A fresh prefix with a persistent server of its own (a copy of the session's could miss what its server has not
    yet saved), Wine's own fonts for the menus, and the desktop held as the harness holds it (a Wine program started
    through a pipe would otherwise be the one to start explorer)."""

    def __init__(self):
        self.shared = os.environ["WINEPREFIX"]
        self.place = tempfile.mkdtemp(prefix="uplift-installer-")
        self.path = os.path.join(self.place, "prefix")
        os.environ["WINEPREFIX"] = self.path  # every helper reads it from there
        self.log = open(os.path.join(log_dir(), "installer-prefix.log"), "ab")
        for command in (["wineserver", "-p"], ["wine", "wineboot", "-i"], ["wine", "reg", "add",
                        r"HKCU\Software\Wine\DllOverrides", "/v", "winemenubuilder.exe", "/d", "", "/f"]):
            subprocess.run(command, stdin=subprocess.DEVNULL, stdout=self.log, stderr=self.log,
                           env=dict(wine_env(), WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"))
        fonts = "/usr/share/wine/fonts"
        for name in os.listdir(fonts) if os.path.isdir(fonts) else []:
            shutil.copy(os.path.join(fonts, name), self.drive_c("windows", "Fonts"))
        self.holder = Started(os.environ["UPLIFT_PROBE"], "installer-holder", "hold")
        wait_until(lambda: self.quiet_probe("windows", "UpliftProbeDesktopHolder"), "the desktop to be held")

    def quiet_probe(self, *args):
        with tempfile.TemporaryFile() as out:
            subprocess.run(["wine", os.environ["UPLIFT_PROBE"], *args], stdin=subprocess.DEVNULL, stdout=out,
                           stderr=self.log, env=wine_env())
            out.seek(0)
            return out.read()

    def drive_c(self, *parts):
        return os.path.join(self.path, "drive_c", *parts)

    def close(self):
        # Everything in this prefix was started by these tests.
        self.holder.kill()
        subprocess.run(["wineserver", "-k"], stdin=subprocess.DEVNULL, stdout=self.log, stderr=self.log,
                       env=wine_env())
        os.environ["WINEPREFIX"] = self.shared
        self.log.close()
        shutil.rmtree(self.place, True)


def setUpModule():
    if not os.path.isfile(SETUP):
        raise unittest.SkipTest("no installer (makensis is missing)")
    global PREFIX
    PREFIX = Prefix()


def tearDownModule():
    if "PREFIX" in globals():
        PREFIX.close()


def file_bytes(path):
    with open(path, "rb") as f:
        return f.read()


class InstallerTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        user = PREFIX.drive_c("users", getpass.getuser())
        cls.folder = os.path.join(user, "AppData", "Local", "Programs", PRODUCT)
        cls.shortcut = os.path.join(user, "AppData", "Roaming", "Microsoft", "Windows", "Start Menu", "Programs",
                                    PRODUCT + ".lnk")
        cls.windows_exe = "C:\\users\\%s\\AppData\\Local\\Programs\\%s\\UpliftBeacon.exe" % (getpass.getuser(), PRODUCT)

    def path(self, *parts):
        return os.path.join(self.folder, *parts)

    def to_the_end(self, exe, name, *args):
        """Runs a program to its end: its exit code."""
        started = Started(exe, name, *args)
        code = started.wait_exit(timeout=120)
        started.kill()  # closes its log
        return code

    def setup(self):
        """Runs the installer silently: its exit code."""
        return self.to_the_end(SETUP, "setup", "/S")

    def running(self):
        """The options window of the running program, or None."""
        return options_window()

    def start_installed(self):
        program = Started(self.path("UpliftBeacon.exe"), "installed")
        self.addCleanup(program.kill)
        return wait_until(self.running, "the installed program's window")

    def tray(self):
        """The first icon's cell in this prefix's standalone tray window, once it shows more than its background."""
        def cell():
            tray = windows("__winex11_standalone_tray", visible=True)
            if not tray:
                return None
            info = dict(line.strip().split(": ", 1) for line in run("xwininfo", "-id", tray[0]["x11"]).splitlines()
                        if ": " in line)
            left, top = int(info["Absolute upper-left X"]), int(info["Absolute upper-left Y"])
            found = (left, top, left + int(info["Height"]), top + int(info["Height"]))
            return found if len(set(test_tray.icon(found))) > 2 else None
        return wait_until(cell, "the program's icon")

    def test_1_silent_install_writes_the_files_the_shortcut_the_login_start_and_the_uninstall_entry(self):
        self.assertEqual(self.setup(), 0)
        self.assertEqual(sorted(os.listdir(self.folder)), PROGRAM_FILES)
        self.assertEqual(file_bytes(self.path("UpliftBeacon.exe")), file_bytes(os.environ["UPLIFT_EXE"]))
        self.assertEqual(len(os.listdir(self.path("Affirmations"))), len(os.listdir(os.path.join(
            os.path.dirname(os.environ["UPLIFT_HELP_FILE"]), "Affirmations"))))
        self.assertTrue(os.path.isfile(self.shortcut), os.listdir(os.path.dirname(os.path.dirname(self.shortcut))))
        self.assertEqual(reg_values(RUN_KEY)[PRODUCT], ("REG_SZ", '"%s"' % self.windows_exe))
        entry = reg_values(UNINSTALL_KEY)
        folder = self.windows_exe.rsplit("\\", 1)[0]
        uninstaller = '"%s\\Uninstall.exe"' % folder
        self.assertEqual({name: entry[name][1] for name in entry if name != "EstimatedSize"}, {
            "DisplayName": PRODUCT, "DisplayVersion": os.environ["UPLIFT_VERSION"], "Publisher": "Fernbrook",
            "DisplayIcon": self.windows_exe + ",0", "InstallLocation": folder, "UninstallString": uninstaller,
            "QuietUninstallString": uninstaller + " /S", "NoModify": "0x1", "NoRepair": "0x1"})
        self.assertGreater(int(entry["EstimatedSize"][1], 16), 500)  # KB
        desktop = os.path.expanduser("~/.local/share/applications/wine/Programs/%s.desktop" % PRODUCT)
        self.assertFalse(os.path.exists(desktop), "Wine's menu builder wrote " + desktop)

    def test_2_the_installed_program_starts_with_its_icon_and_an_upgrade_over_it_keeps_list_and_settings(self):
        with open(self.path("Data.Lst"), "wb") as f:
            f.write(b'"Kept across the upgrade"\r\n')
        reg_write({"txtCaption": "Mine, kept", "Enabled": "1"})
        before = self.start_installed()
        self.tray()
        with open(self.path("UpliftBeacon.chm"), "ab") as f:
            f.write(b"an older help file")
        self.assertEqual(self.setup(), 0)
        after = wait_until(lambda: (lambda w: w if w and w["pid"] != before["pid"] else None)(self.running()),
                           "the program to run again")
        self.assertEqual(reg_values()["txtCaption"], ("REG_SZ", "Mine, kept"))
        self.assertEqual(file_bytes(self.path("Data.Lst")), b'"Kept across the upgrade"\r\n')
        self.assertEqual(file_bytes(self.path("UpliftBeacon.chm")), file_bytes(os.environ["UPLIFT_HELP_FILE"]))
        self.assertEqual(sorted(os.listdir(self.folder)), sorted(PROGRAM_FILES + ["Data.Lst"]))
        self.assertTrue(after["pid"])

    def test_3_a_locked_file_stops_the_upgrade_and_leaves_the_installed_copy_working(self):
        running = wait_until(self.running, "the program from the upgrade")
        with open(self.path("UpliftBeacon.chm"), "ab") as f:
            f.write(b"still the installed one")
        files = {name: file_bytes(self.path(name)) for name in ("UpliftBeacon.exe", "UpliftBeacon.chm", "Data.Lst")}
        lock = subprocess.Popen(["wine", os.environ["UPLIFT_PROBE"], "lock", self.windows_exe.replace(
            "UpliftBeacon.exe", "UpliftBeacon.chm")], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=wine_env())
        self.addCleanup(lambda: (lock.kill(), lock.wait(), lock.stdout.close()))
        self.assertEqual(lock.stdout.readline(), b"locked\n")
        self.assertEqual(self.setup(), 2)
        lock.kill()
        lock.wait()
        self.assertEqual({name: file_bytes(self.path(name)) for name in files}, files)
        self.assertEqual(sorted(os.listdir(self.folder)), sorted(PROGRAM_FILES + ["Data.Lst"]))
        wait_until(lambda: (lambda w: w and w["pid"] != running["pid"])(self.running()), "the old copy to run again")

    def login_item(self, save_as):
        """Opens the icon's menu: whether "Start when I log in" is checked, and where to click it. The check mark is
        read as dark pixels left of the item's text, where the text of "Exit" begins."""
        cell = self.tray()
        xdotool("mousemove", (cell[0] + cell[2]) // 2, (cell[1] + cell[3]) // 2, "click", "3")
        rect = wait_until(lambda: next((w["rect"] for w in windows("#32768", visible=True)), None), "the menu")

        def read():
            lines = test_tray.menu_lines(rect, save_as)
            login = next((at for text, at in lines.items() if "startwhen" in text), None)
            exit_at = next((at for text, at in lines.items() if text.endswith("exit")), None)
            return (login, exit_at) if login and exit_at else None
        login, exit_at = wait_until(read, "the menu's items")
        shot = screenshot(rect)
        dark = [(x, y) for x in range(rect[0] + 2, exit_at[0] - 6) for y in range(login[1] - 6, login[1] + 10)
                if sum(shot(x, y)) < 300]
        return len(dark) > 5, login

    def choose_login(self, save_as, checked):
        is_checked, at = self.login_item(save_as)
        self.assertEqual(is_checked, checked, save_as)
        xdotool("mousemove", *at, "click", "1")
        wait_until(lambda: not windows("#32768", visible=True), "the menu to close")

    def test_4_the_menu_item_writes_and_removes_the_login_start_and_its_check_survives_a_restart(self):
        window = wait_until(self.running, "the program")
        self.choose_login("menu-login-installed.png", checked=True)
        wait_until(lambda: PRODUCT not in (reg_values(RUN_KEY) or {}), "the Run value to go")
        probe("post", window["hwnd"], WM_CLOSE)
        wait_until(lambda: self.running() is None, "the program to end")
        self.start_installed()
        self.choose_login("menu-login-off.png", checked=False)
        wait_until(lambda: (reg_values(RUN_KEY) or {}).get(PRODUCT) == ("REG_SZ", '"%s"' % self.windows_exe),
                   "the Run value")
        # Switched off in the platform's start-up list: unchecked, and choosing it clears the mark.
        approved = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run"
        reg_write({PRODUCT: bytes([3] + [0] * 11)}, key=approved)
        self.choose_login("menu-login-disabled.png", checked=False)
        wait_until(lambda: PRODUCT not in (reg_values(approved) or {}), "the mark to go")
        self.assertEqual(self.login_item("menu-login-on.png")[0], True)
        xdotool("mousemove", 900, 900, "click", "1")  # elsewhere: the menu closes unchosen
        wait_until(lambda: not windows("#32768", visible=True), "the menu to close")

    def test_5_the_silent_uninstall_leaves_only_the_list_and_the_settings(self):
        self.assertEqual(self.to_the_end(self.path("Uninstall.exe"), "uninstall", "/S"), 0)
        # The uninstaller runs on from a copy of itself, and removes its original last.
        wait_until(lambda: os.listdir(self.folder) == ["Data.Lst"], "only Data.Lst to stay")
        self.assertIsNone(self.running())
        self.assertFalse(os.path.exists(self.shortcut))
        self.assertNotIn(PRODUCT, reg_values(RUN_KEY) or {})
        self.assertIsNone(reg_values(UNINSTALL_KEY))
        self.assertEqual(reg_values()["txtCaption"], ("REG_SZ", "Mine, kept"))
        self.assertIn("Path", reg_values(SETTINGS_KEY))


if __name__ == "__main__":
    unittest.main()
