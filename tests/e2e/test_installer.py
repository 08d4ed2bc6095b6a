"""The installer (UPLIFT_SETUP) and its uninstaller, silent, in a fresh Wine prefix and server of their own, with Wine's
menu builder off. The tests run in their numbered order, each going on from the state the one before left."""

import filecmp
import getpass
import os
import pathlib
import shutil
import tempfile
import unittest

import test_tray
from e2e_support import (SETTINGS_KEY, WM_CLOSE, Started, centre, options_window, probe, reg_texts, reg_values,
                         reg_write, run, screenshot, wait_until, windows, wine_env, xdotool)

SETUP = os.environ.get("UPLIFT_SETUP", "")
PRODUCT = "Uplift Beacon Plus"
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\UpliftBeaconPlus"
FILES = ["Affirmations", "Uninstall.exe", "UpliftBeacon.chm", "UpliftBeacon.exe"]
FOLDER_C = "C:\\users\\%s\\AppData\\Local\\Programs\\%s" % (getpass.getuser(), PRODUCT)
PLACE = os.path.join(tempfile.gettempdir(), "uplift-installer-%d" % os.getpid())  # the prefix
FOLDER = os.path.join(PLACE, "drive_c", FOLDER_C[3:].replace("\\", "/"))
SHORTCUT = os.path.normpath(FOLDER + "/../../../Roaming/Microsoft/Windows/Start Menu/Programs/%s.lnk" % PRODUCT)
STARTED = []


def setUpModule():
    if not os.path.isfile(SETUP):
        raise unittest.SkipTest("no installer (makensis is missing)")
    os.environ["SHARED_WINEPREFIX"] = os.environ["WINEPREFIX"]
    os.environ["WINEPREFIX"] = PLACE  # every helper reads it from there
    boot = dict(wine_env(), WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
    run("wineserver", "-p", env=boot, check=False)
    run("wine", "wineboot", "-i", env=boot, check=False)
    run("wine", "reg", "add", r"HKCU\Software\Wine\DllOverrides", "/v", "winemenubuilder.exe", "/d", "", "/f")
    shutil.copytree("/usr/share/wine/fonts", PLACE + "/drive_c/windows/Fonts", dirs_exist_ok=True)  # the menus' font
    STARTED.append(Started(os.environ["UPLIFT_PROBE"], "installer-holder", "hold"))  # as the harness holds its desktop
    wait_until(lambda: windows("UpliftProbeDesktopHolder"), "the desktop to be held")


def tearDownModule():
    [program.kill() for program in STARTED]
    if "SHARED_WINEPREFIX" in os.environ:
        run("wineserver", "-k", check=False)  # everything in this prefix was started here
        os.environ["WINEPREFIX"] = os.environ.pop("SHARED_WINEPREFIX")
    shutil.rmtree(PLACE, True)


def to_the_end(exe, *args):
    started = Started(exe, os.path.basename(exe), *args)
    return (started.wait_exit(timeout=120), started.kill())[0]  # the exit code, with the log closed


def login_item(save_as):
    """Opens the icon's menu: is "Start when I log in" checked (dark left of where "Exit" begins), where is it."""
    xdotool("mousemove", *centre(wait_until(test_tray.tray_cell, "the program's icon")), "click", "3")
    rect = wait_until(lambda: [w["rect"] for w in windows("#32768", visible=True)], "the menu")[0]
    lines = wait_until(lambda: (lambda found: found if len(found) == 2 else None)({
        ("login" if "startwhen" in t else "exit"): at for t, at in test_tray.menu_lines(rect, save_as).items()
        if "startwhen" in t or t.endswith("exit")}), "the menu's items")
    login, shot = lines["login"], screenshot(rect)
    dark = [x for x in range(rect[0] + 2, lines["exit"][0] - 6) for y in range(login[1] - 6, login[1] + 10)
            if sum(shot(x, y)) < 300]
    return len(dark) > 5, login


def start_installed():  # it runs on into the next test
    STARTED.append(Started(os.path.join(FOLDER, "UpliftBeacon.exe"), "installed"))
    return wait_until(options_window, "the installed program's window")


class InstallerTest(unittest.TestCase):
    def test_1_silent_install_writes_the_files_the_shortcut_the_login_start_and_the_uninstall_entry(self):
        self.assertEqual(to_the_end(SETUP, "/S"), 0)
        self.assertEqual((sorted(os.listdir(FOLDER)), len(os.listdir(FOLDER + "/Affirmations"))), (FILES, 40))
        self.assertTrue(filecmp.cmp(os.path.join(FOLDER, "UpliftBeacon.exe"), os.environ["UPLIFT_EXE"], False))
        self.assertTrue(os.path.isfile(SHORTCUT))
        self.assertEqual(reg_values(RUN_KEY)[PRODUCT], ("REG_SZ", '"%s\\UpliftBeacon.exe"' % FOLDER_C))
        entry = {name: text for name, (_, text) in reg_values(UNINSTALL_KEY).items()}
        self.assertGreater(int(entry.pop("EstimatedSize"), 16), 500)  # KB
        uninstaller = '"%s\\Uninstall.exe"' % FOLDER_C
        self.assertEqual(entry, {"DisplayName": PRODUCT, "DisplayVersion": os.environ["UPLIFT_VERSION"],
                                 "Publisher": "Fernbrook", "DisplayIcon": FOLDER_C + "\\UpliftBeacon.exe,0",
                                 "InstallLocation": FOLDER_C, "UninstallString": uninstaller,
                                 "QuietUninstallString": uninstaller + " /S", "NoModify": "0x1", "NoRepair": "0x1"})

    def test_2_an_upgrade_over_the_running_program_keeps_list_and_settings_and_starts_it_again(self):
        pathlib.Path(FOLDER, "Data.Lst").write_bytes(b'"Kept"\r\n')
        reg_write({"txtCaption": "Mine, kept", "Enabled": "1"})
        before = start_installed()  # its icon: test_4
        pathlib.Path(FOLDER, "UpliftBeacon.chm").write_bytes(b"an older help file")
        self.assertEqual(to_the_end(SETUP, "/S"), 0)
        wait_until(lambda: (options_window() or before)["pid"] != before["pid"], "the program to run again")
        self.assertEqual((reg_values()["txtCaption"], pathlib.Path(FOLDER, "Data.Lst").read_bytes()),
                         (("REG_SZ", "Mine, kept"), b'"Kept"\r\n'))
        self.assertTrue(filecmp.cmp(os.path.join(FOLDER, "UpliftBeacon.chm"), os.environ["UPLIFT_HELP_FILE"], False))

    def test_3_a_locked_file_stops_the_upgrade_and_leaves_the_installed_copy_working(self):
        running = wait_until(options_window, "the program from the upgrade")
        pathlib.Path(FOLDER, "UpliftBeacon.chm").write_bytes(b"still the installed one")
        files = {name: pathlib.Path(FOLDER, name).read_bytes() for name in ("UpliftBeacon.exe", "UpliftBeacon.chm")}
        lock = Started(os.environ["UPLIFT_PROBE"], "lock", "lock", FOLDER_C + "\\UpliftBeacon.chm")
        self.addCleanup(lock.kill)
        wait_until(lambda: pathlib.Path(lock.log.name).read_bytes() == b"locked\r\n", "the help file to be held open")
        self.assertEqual(to_the_end(SETUP, "/S"), 2)
        self.assertEqual({name: pathlib.Path(FOLDER, name).read_bytes() for name in files}, files)
        self.assertEqual(sorted(os.listdir(FOLDER)), sorted(FILES + ["Data.Lst"]))
        wait_until(lambda: (options_window() or running)["pid"] != running["pid"], "the old copy to run again")

    def test_4_the_menu_item_writes_and_removes_the_login_start_and_its_check_survives_a_restart(self):
        for checked, name in ((True, "installed"), (False, "off")):
            is_checked, at = login_item("menu-login-%s.png" % name)
            self.assertEqual(is_checked, checked, name)
            xdotool("mousemove", *at, "click", "1")
            wait_until(lambda: (PRODUCT in reg_values(RUN_KEY)) != checked, "the Run value to change")
            if checked:  # a restart
                probe("post", wait_until(options_window, "the program")["hwnd"], WM_CLOSE)
                wait_until(lambda: options_window() is None, "the program to end")
                start_installed()
        self.assertEqual(reg_values(RUN_KEY)[PRODUCT], ("REG_SZ", '"%s\\UpliftBeacon.exe"' % FOLDER_C))
        self.assertTrue(login_item("menu-login-on.png")[0])  # left open for the uninstall

    def test_5_the_silent_uninstall_closes_the_program_with_its_menu_open_and_leaves_only_list_and_settings(self):
        self.assertEqual(to_the_end(os.path.join(FOLDER, "Uninstall.exe"), "/S"), 0)
        wait_until(lambda: os.listdir(FOLDER) == ["Data.Lst"], "only Data.Lst to stay")
        gone = (options_window(), os.path.exists(SHORTCUT), reg_values(UNINSTALL_KEY), PRODUCT in reg_values(RUN_KEY))
        self.assertEqual(gone, (None, False, {}, False), "program, shortcut, entry, login start")
        self.assertEqual((reg_texts()["txtCaption"], "Path" in reg_values(SETTINGS_KEY)), ("Mine, kept", True))
