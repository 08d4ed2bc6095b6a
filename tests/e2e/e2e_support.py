"""Helpers of the end-to-end tests: UpliftBeacon.exe (UPLIFT_EXE) and probe.exe (UPLIFT_PROBE) under Wine in the
harness's session, skipped (77) without one. Under 64-bit Wine `wine <exe>` is the Windows process: stopped by pid."""

import contextlib
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

if not (os.environ.get("WINEPREFIX") and os.environ.get("DISPLAY")):
    print("SKIPPED: WINEPREFIX or DISPLAY not set: run the end-to-end tests through scripts/test.sh")
    sys.exit(77)

PARAM_KEY = r"HKCU\Software\Shared Program Settings\Uplift Beacon Plus\ParamSection"
SETTINGS_KEY = r"HKCU\Software\Fernbrook\UpliftBeacon\Settings"
STORE_KEYS = (r"HKCU\Software\Shared Program Settings", r"HKCU\Software\Fernbrook")
OPTIONS_TITLE = "Uplift Beacon Options"
MESSAGE_CLASS = "UpliftBeacon.frmMessage"
WM_CLOSE, WM_COMMAND, BM_CLICK = 0x10, 0x111, 0xF5
MNU_SHOW, MNU_ABOUT, MNU_SUPPORT, MNU_HELP = 101, 102, 103, 104  # the icon's menu, posted to the options window
DEADLINE = 30  # seconds a test waits for a state before it fails

PAUSE_1_S, TIME_50_MS, TRANSPARENT, BOX, FULL_SCREEN = "0", "7", "0", "1", "2"  # lists' indexes; the three looks


def wine_env():
    """Wine's errors stay on: they reach a test's output only when the call that made them fails."""
    return dict({k: v for k, v in os.environ.items() if k != "LANGUAGE"}, WINEDEBUG="-all,err+all",
                WINEDLLOVERRIDES="mscoree,mshtml=", LANG="C.UTF-8", LC_ALL="C.UTF-8")


def log_dir(*parts):
    path = os.path.join(os.environ.get("UPLIFT_E2E_LOGS") or os.path.join(os.getcwd(), "e2e-logs"), *parts)
    os.makedirs(path, exist_ok=True)
    return path


def run(*args, data=None, check=True, binary=False, env=None):
    """A command's output once it ends; in files, as a pipe stays open while wineserver or explorer it started runs."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        result = subprocess.run([str(a) for a in args], input=data, stdout=out, stderr=err, env=env or wine_env(),
                                timeout=120, stdin=None if data else subprocess.DEVNULL)
        out.seek(0)
        err.seek(0)
        output, errors = out.read(), err.read().decode(errors="replace")
        # Now and then a process of this Wine fails an ld.so assertion in _dl_fini as it exits, its work done.
        if check and result.returncode != 0 and "_dl_fini: Assertion" not in errors:
            raise AssertionError("%s failed (%d): %s" % (" ".join(map(str, args)), result.returncode, errors))
    return output if binary else output.decode("utf-8", "replace")


def probe(*args, check=True):
    return run("wine", os.environ["UPLIFT_PROBE"], *args, check=check)


def wait_until(condition, message, timeout=DEADLINE):
    """Polls condition() until it gives a true value, which is returned; fails after timeout seconds."""
    deadline = time.monotonic() + timeout
    while not (value := condition()):
        if time.monotonic() > deadline:
            raise AssertionError("waited %d s for %s" % (timeout, message))
        time.sleep(0.1)
    return value


def reg_values(key=PARAM_KEY):
    """{name: (type, text)} of a key of the registry (Wine's reg query), empty when there is no such key."""
    fields = (line[4:].split("    ", 2) for line in run("wine", "reg", "query", key, check=False).split("\r\n")
              if line.startswith("    "))
    return {f[0]: (f[1], f[2] if len(f) > 2 else "") for f in fields}


def reg_texts(key=PARAM_KEY):
    values = reg_values(key)  # all REG_SZ
    assert all(kind == "REG_SZ" for kind, _ in values.values()), "values that are not REG_SZ: %s" % values
    return {name: text for name, (_, text) in values.items()}


def reg_write(values, key=PARAM_KEY, delete=()):
    """Deletes keys, then writes texts (REG_SZ) in one import."""
    lines = ["Windows Registry Editor Version 5.00", ""] + ["[-%s]" % k.replace("HKCU", "HKEY_CURRENT_USER")
                                                              for k in delete]
    if values:
        lines += ["[%s]" % key.replace("HKCU", "HKEY_CURRENT_USER")]
        lines += ['"%s"="%s"' % (name, text.replace("\\", "\\\\").replace('"', '\\"')) for name, text in values.items()]
    with tempfile.NamedTemporaryFile("w", suffix=".reg", encoding="utf-16", newline="\r\n", delete=False) as f:
        f.write("\n".join(lines) + "\n")
    try:
        run("wine", "reg", "import", "Z:" + f.name.replace("/", "\\"))
    finally:
        os.unlink(f.name)


@contextlib.contextmanager
def log_pixels(dpi):
    """The prefix's resolution (96 when absent) for the programs the block starts; no other test runs meanwhile."""
    desktop = r"HKCU\Control Panel\Desktop"
    run("wine", "reg", "add", desktop, "/v", "LogPixels", "/t", "REG_DWORD", "/d", dpi, "/f")
    try:
        yield
    finally:
        run("wine", "reg", "delete", desktop, "/v", "LogPixels", "/f")


def windows(class_name="", title=None, pid=None, visible=None):
    """Top-level windows: [{hwnd, pid, visible, rect, x11, foreground, class, title}]."""
    found = [{"hwnd": hwnd, "pid": int(wpid), "visible": vis == "1", "rect": tuple(int(v) for v in rect.split(",")),
              "x11": int(x11, 16), "foreground": fg == "1", "class": cls, "title": text} for hwnd, wpid, vis, rect, x11,
             fg, cls, text in (line.split("\t") for line in probe("windows", class_name).splitlines())]
    return [w for w in found if (title is None or w["title"] == title) and (pid is None or w["pid"] == pid)
            and (visible is None or w["visible"] == visible)]


def shown(title):
    """The first visible top-level window of that title, or None."""
    return (windows(title=title, visible=True) or [None])[0]


def controls(window):
    """The window and its controls: {class or text: [control, ...]} in creation order; a control is {hwnd, enabled,
    checked, selected (a combo box's), rect, text}. An option has its label's text, and comes before the label."""
    found = {}
    for line in probe("controls", window["hwnd"]).splitlines():
        hwnd, cls, enabled, checked, selected, rect, text = line.split("\t")
        entry = {"hwnd": hwnd, "enabled": enabled == "1", "checked": checked == "1", "selected": int(selected),
                 "rect": tuple(int(v) for v in rect.split(",")), "text": text}
        for key in filter(None, (cls, text)):
            found.setdefault(key, []).append(entry)
    return found


def centre(rect):
    return (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2


def click(rect):
    run("xdotool", "mousemove", *centre(rect), "click", "1")


def press(window, text):
    """BM_CLICK to the last control of the window with that text (a button comes after the option it names)."""
    probe("post", controls(window)[text][-1]["hwnd"], BM_CLICK)


def options_window():
    """The program's options window, or None; fails when there is more than one."""
    found = windows(title=OPTIONS_TITLE)
    assert len(found) <= 1, "%d windows %r" % (len(found), OPTIONS_TITLE)
    return found[0] if found else None


def xdotool(*args):
    run("xdotool", *args)


def screenshot(rect, save_as=None):
    """The pixels of rect (left, top, right, bottom) of the X display as a function (x, y) -> (r, g, b)."""
    left, top, right, bottom = rect
    width, size = right - left, "%dx%d" % (right - left, bottom - top)
    data = run("import", "-window", "root", "-crop", "%s+%d+%d" % (size, left, top), "+repage", "-depth", "8", "rgb:-",
               binary=True)
    if save_as:
        run("convert", "-size", size, "-depth", "8", "rgb:-", os.path.join(log_dir("artifacts"), save_as), data=data)

    def pixel(x, y):
        i = ((y - top) * width + x - left) * 3
        return tuple(data[i:i + 3])
    return pixel


class Started:
    """A Windows program started with `wine` by a test; its output goes to the logs folder."""

    def __init__(self, exe, name, *args, debug="-all", env=None):
        self.log = open(os.path.join(log_dir(), "%s-%d-%d.log" % (name, os.getpid(), id(self))), "wb")
        self.popen = subprocess.Popen(["wine", exe, *map(str, args)], stdin=subprocess.DEVNULL, stdout=self.log,
                                      stderr=subprocess.STDOUT, env=dict(wine_env(), WINEDEBUG=debug, **(env or {})),
                                      cwd=os.path.dirname(exe) or None)

    def running(self):
        return self.popen.poll() is None

    def wait_exit(self, timeout=DEADLINE):
        try:
            return self.popen.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("%s still runs after %d s" % (self.popen.args[1], timeout))

    def kill(self):
        if self.running():
            os.kill(self.popen.pid, signal.SIGKILL)
        self.popen.wait(timeout=DEADLINE)
        self.log.close()


class ProgramTest(unittest.TestCase):
    """Each test starts from an empty store with a private copy of the program; whatever it started is stopped."""

    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="uplift-e2e-")
        self.exe = os.path.join(self.folder, "UpliftBeacon.exe")
        shutil.copy2(os.environ["UPLIFT_EXE"], self.exe)
        self.assertIsNone(options_window(), "another copy of the program runs in this prefix")
        reg_write({}, delete=STORE_KEYS)
        self.addCleanup(self.clean_up)
        self.started = []

    def clean_up(self):
        for program in self.started:
            program.kill()
        wait_until(lambda: options_window() is None, "the program's windows to go away")
        reg_write({}, delete=STORE_KEYS)
        shutil.rmtree(self.folder, True)

    def start(self, settings=None, debug="-all"):
        """Writes the settings and starts the copy of the program (a test puts its Data.Lst in self.folder)."""
        if settings:
            reg_write(settings)
        return self.launch(self.exe, "program", debug=debug)

    def launch(self, exe, name, *args, **options):
        """Starts a program (see Started) that the end of the test stops."""
        self.started.append(Started(exe, name, *args, **options))
        return self.started[-1]

    def start_ready(self, settings=None, debug="-all"):
        """(program, options window) once the start-up's last step wrote Enabled ("1" unless set) as True or False."""
        program = self.start(dict({"Enabled": "1"}, **(settings or {})), debug=debug)
        self.wait_values(lambda v: v.get("Enabled") in ("True", "False"), "the end of the start-up")
        return program, self.wait_options(program)

    def watch(self):
        """A Watch of the message window, started before the program so that it sees the first showing."""
        return Watch(self.launch(os.environ["UPLIFT_PROBE"], "watch", "watch", MESSAGE_CLASS, 0, 3600000, 0, 1000))

    def show_options(self, window):
        """Options... of the icon's menu, posted to the (hidden) options window: the window once it shows."""
        probe("post", window["hwnd"], WM_COMMAND, MNU_SHOW)
        return wait_until(lambda: shown(OPTIONS_TITLE), "the options window")

    def wait_options(self, program):
        """The options window once the program has made it (its Windows pid is window["pid"])."""
        return wait_until(lambda: program.running() and options_window(), "the options window")

    def close(self, program):
        """WM_CLOSE to the options window, as Exit does it: the exit code."""
        probe("post", self.wait_options(program)["hwnd"], WM_CLOSE)
        return program.wait_exit()

    def wait_values(self, condition, message):  # the texts of the settings once they meet the condition
        return wait_until(lambda: (lambda texts: condition(texts) and texts)(reg_texts()), message)


class Watch:
    """The message window's changes of visibility (probe watch, polling every ms, of every process) from its log."""

    def __init__(self, probe_watch):
        self.probe, self.taken = probe_watch, 0  # taken: the changes already handed out

    def changes(self):
        with open(self.probe.log.name, encoding="utf-8") as log:
            lines = [line.split("\t") for line in log.read().split("\n")[:-1]]  # whole lines only
        return [(fields[1] == "1", tuple(int(v) for v in fields[5].split(","))) for fields in lines
                if fields[0] == "state"]

    def wait_for(self, visible, timeout=DEADLINE):
        """Skips to the next change to that state: (visible, rect)."""
        def found():  # each change looked at is taken: one of the other state is skipped anyway
            for change in self.changes()[self.taken:]:
                self.taken += 1
                if change[0] == visible:
                    return change
        return wait_until(found, "the message window to become " + ("visible" if visible else "hidden"), timeout)

    def drain(self):
        """The changes seen since the last call."""
        changes = self.changes()
        self.taken, seen = len(changes), changes[self.taken:]
        return seen
