"""Shared helpers of the end-to-end tests: the program under Wine, the probe, the registry.

The tests run in the Wine session of the harness (scripts/test.sh): WINEPREFIX and DISPLAY come from the
environment. Paths of the executables come from run_e2e.py (UPLIFT_EXE, UPLIFT_PROBE, UPLIFT_MINIMAL).
Every test starts its programs with subprocess.Popen(['wine', exe]); under 64-bit Wine that unix process
is the Windows process, so its exit is the program's exit. Tests stop only what they started.
"""

import datetime
import os
import queue
import re
import shutil
import signal
import subprocess
import tempfile
import threading
import time
import unittest

PARAM_KEY = r"Software\Shared Program Settings\Uplift Beacon Plus\ParamSection"
PROGRAM_STORE_KEY = r"Software\Shared Program Settings\Uplift Beacon Plus"
SHARED_ROOT_KEY = r"Software\Shared Program Settings"
COMPANY_KEY = r"Software\Fernbrook"
SETTINGS_KEY = r"Software\Fernbrook\UpliftBeacon\Settings"
OPTIONS_TITLE = "Uplift Beacon Options"

WM_CLOSE = 0x10
WM_QUERYENDSESSION = 0x11
WM_ENDSESSION = 0x16

DEFAULT_CAPTION = "I am super productive and successful"
VALUE_NAMES = [
    "txtCaption", "Time", "Pause", "optList", "optTimeLength", "LastMessageKey", "LastMessageDate",
    "BackgroundColor", "TextColor", "FontBold", "FontItalic", "FontName", "FontSize", "FontStrikethru",
    "FontTransparent", "FontUnderline", "WhenToDisplay", "ScreenBackground", "Date", "Everyday", "Enabled",
]
FIXED_DEFAULTS = {
    "txtCaption": DEFAULT_CAPTION,
    "Time": "7",
    "Pause": "10",
    "optList": "False",
    "optTimeLength": "True",
    "LastMessageKey": "0",
    "BackgroundColor": "16777215",
    "TextColor": "0",
    "FontBold": "False",
    "FontItalic": "False",
    "FontName": "Arial",
    "FontSize": "48",
    "FontStrikethru": "False",
    "FontTransparent": "True",
    "FontUnderline": "False",
    "WhenToDisplay": "0",
    "ScreenBackground": "0",
    "Enabled": "True",
}


def exe_path():
    return os.environ.get("UPLIFT_EXE", "")


def probe_path():
    return os.environ.get("UPLIFT_PROBE", "")


def minimal_path():
    return os.environ.get("UPLIFT_MINIMAL", "")


def log_dir():
    path = os.environ.get("UPLIFT_E2E_LOGS") or os.path.join(os.getcwd(), "e2e-logs")
    os.makedirs(path, exist_ok=True)
    return path


def wine_env():
    """The harness's environment, with the locale pinned to en-US texts."""
    env = dict(os.environ)
    env["WINEDEBUG"] = "-all"
    env["WINEDLLOVERRIDES"] = "mscoree,mshtml="
    env["LANG"] = "C.UTF-8"
    env["LC_ALL"] = "C.UTF-8"
    env.pop("LANGUAGE", None)
    return env


def session_problem():
    """Why the tests cannot run here, or None."""
    missing = [name for name in ("WINEPREFIX", "DISPLAY") if not os.environ.get(name)]
    if missing:
        return ("%s not set: run the end-to-end tests through scripts/test.sh, which provides the Wine "
                "session (prefix, X display, wineserver)" % " and ".join(missing))
    if not os.path.isdir(os.environ["WINEPREFIX"]):
        return "WINEPREFIX %s does not exist: run through scripts/test.sh" % os.environ["WINEPREFIX"]
    return None


def windows_path(unix_path):
    """The path as Windows sees it on Wine's Z: drive (the root of the unix file system)."""
    return "Z:" + os.path.abspath(unix_path).replace("/", "\\")


# --- the probe -----------------------------------------------------------------------------------


class ProbeError(AssertionError):
    pass


def probe(*args, check=True, timeout=60):
    """Runs probe.exe under Wine; returns the CompletedProcess (stdout as text)."""
    cmd = ["wine", probe_path()] + [str(a) for a in args]
    # stderr goes to a file, not a pipe: Wine hands the unix stderr of a process to every process it
    # starts (start-timed), and a pipe would then stay open as long as that program runs.
    with tempfile.TemporaryFile() as err:
        result = subprocess.run(cmd, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=err,
                                env=wine_env(), timeout=timeout)
        err.seek(0)
        result.stderr = err.read().decode("utf-8", "replace")
    result.stdout = result.stdout.decode("utf-8", "replace")
    if check and result.returncode != 0:
        raise ProbeError("probe %s failed (exit %d): %s" % (" ".join(map(str, args)), result.returncode,
                                                           result.stderr.strip()))
    return result


def unescape(text):
    """Undoes the probe's escaping of REG_SZ texts (\\\\, \\t, \\n, \\r, \\xHH)."""
    out = []
    i = 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            n = text[i + 1]
            if n == "\\":
                out.append("\\")
            elif n == "t":
                out.append("\t")
            elif n == "n":
                out.append("\n")
            elif n == "r":
                out.append("\r")
            elif n == "x" and i + 3 < len(text):
                out.append(chr(int(text[i + 2:i + 4], 16)))
                i += 2
            elif n == "0":
                out.append("\0")
            else:
                out.append(n)
            i += 2
            continue
        out.append(c)
        i += 1
    return "".join(out)


def reg_dump(key):
    """{name: (type, value)} of every value of HKCU\\key, or None when the key does not exist."""
    result = probe("dump", key, check=False)
    if result.returncode == 1:
        return None
    if result.returncode != 0:
        raise ProbeError("probe dump %s failed: %s" % (key, result.stderr.strip()))
    values = {}
    for line in result.stdout.split("\n"):
        if not line:
            continue
        name, kind, value = line.split("\t", 2)
        if kind in ("REG_SZ", "REG_EXPAND_SZ", "REG_MULTI_SZ"):
            value = unescape(value)
        values[unescape(name)] = (kind, value)
    return values


def reg_texts(key):
    """{name: text} of HKCU\\key; fails when a value is not REG_SZ."""
    values = reg_dump(key)
    if values is None:
        return None
    wrong = {name: kind for name, (kind, _) in values.items() if kind != "REG_SZ"}
    if wrong:
        raise AssertionError("values that are not REG_SZ under %s: %s" % (key, wrong))
    return {name: value for name, (_, value) in values.items()}


def set_sz(name, value, key=PARAM_KEY):
    probe("set-sz", key, name, value)


def clean_store():
    """Removes every key the program writes (and nothing else)."""
    probe("delete-tree", PROGRAM_STORE_KEY)
    probe("delete-tree", COMPANY_KEY)
    # The settings root, when the program's key was the only thing in it.
    values = reg_dump(SHARED_ROOT_KEY)
    if values == {}:
        probe("delete-tree", SHARED_ROOT_KEY, check=False)


def window_count(title=OPTIONS_TITLE):
    return int(probe("count-windows", title).stdout.strip() or "0")


def window_info(title=OPTIONS_TITLE):
    result = probe("window-info", title, check=False)
    if result.returncode != 0:
        return None
    return dict(line.split("\t", 1) for line in result.stdout.splitlines() if "\t" in line)


def kill_started(popen):
    """Kills a process this test started (by its pid) and reaps it."""
    if popen.poll() is None:
        try:
            os.kill(popen.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
    try:
        popen.wait(timeout=10)
    except subprocess.TimeoutExpired:
        pass


def wait_until(condition, timeout, interval=0.2, message="condition"):
    """Polls condition() until it returns a true value (which is returned) or the time is up."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise AssertionError("timed out after %.1f s waiting for %s" % (timeout, message))
        time.sleep(interval)


# --- the program -------------------------------------------------------------------------------


class Program:
    """One copy of UpliftBeacon.exe started under Wine."""

    counter = 0

    def __init__(self, exe=None):
        Program.counter += 1
        self.exe = exe or exe_path()
        self.log_path = os.path.join(log_dir(), "program-%d-%d.log" % (os.getpid(), Program.counter))
        self.log = open(self.log_path, "wb")
        self.started_at = time.monotonic()
        self.popen = subprocess.Popen(["wine", self.exe], stdin=subprocess.DEVNULL, stdout=self.log,
                                      stderr=subprocess.STDOUT, env=wine_env(),
                                      cwd=os.path.dirname(os.path.abspath(self.exe)))

    @property
    def pid(self):
        return self.popen.pid

    def running(self):
        return self.popen.poll() is None

    def wait_ready(self, timeout=30):
        """Waits until the options window exists and the program waits for input."""
        result = probe("wait-idle", OPTIONS_TITLE, int(timeout * 1000), check=False, timeout=timeout + 30)
        if result.returncode != 0:
            raise AssertionError("the program did not come up within %d s (window %r): %s; running=%s; "
                                 "log %s" % (timeout, OPTIONS_TITLE, result.stderr.strip(), self.running(),
                                              self.log_tail()))

    def wait_exit(self, timeout):
        """The exit code, or None when the program still runs after timeout seconds."""
        try:
            return self.popen.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None

    def kill(self):
        kill_started(self.popen)
        self.log.close()

    def log_tail(self, limit=2000):
        try:
            with open(self.log_path, "rb") as f:
                data = f.read()[-limit:]
            return data.decode("utf-8", "replace").strip() or "(empty)"
        except OSError:
            return "(no log)"


class ProgramTestCase(unittest.TestCase):
    """Base class: a clean store before and after each test; every started copy stopped afterwards."""

    @classmethod
    def setUpClass(cls):
        problem = session_problem()
        if problem:
            raise unittest.SkipTest(problem)
        for label, path in (("program", exe_path()), ("probe", probe_path())):
            if not path or not os.path.isfile(path):
                raise AssertionError("%s executable not found: %r (build the Windows configuration first)"
                                     % (label, path))

    def setUp(self):
        self.programs = []
        self.assertEqual(window_count(), 0,
                         "a window %r exists before the test: another copy runs in this prefix" % OPTIONS_TITLE)
        clean_store()

    def tearDown(self):
        running = [p for p in self.programs if p.running()]
        if running and window_count() > 0:
            # Ask nicely first; the program saves on close.
            probe("post", OPTIONS_TITLE, WM_CLOSE, check=False)
            deadline = time.monotonic() + 5
            while any(p.running() for p in running) and time.monotonic() < deadline:
                time.sleep(0.1)
        for p in self.programs:
            p.kill()
        # Windows of killed processes go away with them.
        try:
            wait_until(lambda: window_count() == 0, 10, message="the program's windows to go away")
        finally:
            clean_store()

    def start(self, exe=None):
        program = Program(exe)
        self.programs.append(program)
        return program

    def close(self, program, timeout=10):
        """Posts WM_CLOSE to the options window and returns the exit code (fails when it keeps running)."""
        probe("post", OPTIONS_TITLE, WM_CLOSE)
        code = program.wait_exit(timeout)
        self.assertIsNotNone(code, "the program still runs %d s after WM_CLOSE" % timeout)
        return code

    def wait_values(self, count=len(VALUE_NAMES), timeout=15):
        """Waits until ParamSection holds at least count values; returns its texts."""
        def ready():
            values = reg_dump(PARAM_KEY)
            return values if values is not None and len(values) >= count else None
        wait_until(ready, timeout, message="%d values under HKCU\\%s" % (count, PARAM_KEY))
        return reg_texts(PARAM_KEY)

    def assert_path_written(self, program):
        values = reg_dump(SETTINGS_KEY)
        self.assertIsNotNone(values, "HKCU\\%s was not created" % SETTINGS_KEY)
        self.assertIn("Path", values)
        kind, value = values["Path"]
        self.assertEqual(kind, "REG_SZ")
        folder = os.path.dirname(os.path.abspath(program.exe))
        expected = {windows_path(folder), windows_path(os.path.realpath(folder))}
        self.assertIn(value, expected, "Path is %r, expected the exe's folder %s" % (value, sorted(expected)))


# --- date and time texts (en-US) ---------------------------------------------------------------

DATE_RE = re.compile(r"^(\d{1,2})/(\d{1,2})/(\d{4})$")
DATE_TIME_RE = re.compile(r"^(\d{1,2})/(\d{1,2})/(\d{4})(?: (\d{1,2}):(\d{2}):(\d{2}) (AM|PM))?$")
TIME_RE = re.compile(r"^(\d{1,2}):(\d{2}):(\d{2}) (AM|PM)$")


def us_date(day):
    """M/d/yyyy"""
    return "%d/%d/%d" % (day.month, day.day, day.year)


def _hour24(hour, ampm):
    hour = int(hour)
    if not 1 <= hour <= 12:
        raise ValueError("hour %d" % hour)
    return hour % 12 + (12 if ampm == "PM" else 0)


def parse_us_date_time(text):
    """'M/d/yyyy h:mm:ss AM' (the time is left out at midnight) -> datetime, or None."""
    m = DATE_TIME_RE.match(text)
    if not m:
        return None
    month, day, year = int(m.group(1)), int(m.group(2)), int(m.group(3))
    if m.group(4) is None:
        return datetime.datetime(year, month, day)
    return datetime.datetime(year, month, day, _hour24(m.group(4), m.group(7)), int(m.group(5)), int(m.group(6)))


def parse_us_time(text):
    """'h:mm:ss AM' -> seconds since midnight, or None."""
    m = TIME_RE.match(text)
    if not m:
        return None
    return _hour24(m.group(1), m.group(4)) * 3600 + int(m.group(2)) * 60 + int(m.group(3))


# --- windows by class, the foreground, the screen, the tray (the display tests) -------------------

MESSAGE_CLASS = "UpliftBeacon.frmMessage"
TRAY_CLASS = "UpliftBeacon.frmTray"
TRAY_TITLE = "Wine System Tray"
MENU_CLASS = "#32768"
WS_EX_TOPMOST = 0x8
WS_EX_TOOLWINDOW = 0x80
WS_EX_APPWINDOW = 0x40000
WS_EX_NOACTIVATE = 0x8000000


def artifacts_dir():
    path = os.path.join(log_dir(), "artifacts")
    os.makedirs(path, exist_ok=True)
    return path


def program_copy(test):
    """A private folder holding a copy of UpliftBeacon.exe (Data.Lst goes beside it); removed after the test."""
    folder = tempfile.mkdtemp(prefix="uplift-e2e-")
    test.addCleanup(shutil.rmtree, folder, True)
    exe = os.path.join(folder, "UpliftBeacon.exe")
    shutil.copy2(exe_path(), exe)
    return exe


def program_pid(title=OPTIONS_TITLE):
    """The Windows process id of the program (from its options window), or None."""
    info = window_info(title)
    return int(info["pid"]) if info else None


def _rect(text):
    return tuple(int(v) for v in text.split(","))


def find_class(class_name, pid=None, visible=False):
    """Top-level windows of a class: [{hwnd, pid, visible, rect, style, exstyle, x11, title}]."""
    args = ["find-class", class_name]
    if pid:
        args += ["--pid", pid]
    if visible:
        args.append("--visible")
    result = probe(*args, check=False)
    if result.returncode not in (0, 1):
        raise ProbeError("probe find-class failed: %s" % result.stderr.strip())
    windows = []
    for line in result.stdout.splitlines():
        hwnd, wpid, vis, rect, style, exstyle, x11, title = line.split("\t", 7)
        windows.append({"hwnd": hwnd, "pid": int(wpid), "visible": vis == "1", "rect": _rect(rect),
                        "style": int(style, 16), "exstyle": int(exstyle, 16), "x11": int(x11, 16),
                        "title": unescape(title)})
    return windows


def foreground():
    """The foreground window: {hwnd, pid, class, title} (hwnd 0x00000000 when there is none)."""
    result = probe("foreground", check=False)
    info = dict(line.split("\t", 1) for line in result.stdout.splitlines() if "\t" in line)
    info.setdefault("title", "")
    info["title"] = unescape(info["title"])
    return info


def xdotool(*args):
    subprocess.run(["xdotool"] + [str(a) for a in args], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=True, timeout=30)


class VisibilityWatch:
    """probe watch-visible running beside the test: every change of the visibility of the program's window
    of a class, time-stamped in the probe (unix time, the clock of time.time()) as it polls."""

    def __init__(self, class_name, pid, seconds, edges=0, interval_us=250):
        args = ["wine", probe_path(), "watch-visible", class_name, str(pid), str(int(seconds * 1000))]
        if edges:
            args += ["--edges", str(edges)]
        args += ["--interval-us", str(interval_us)]
        self.popen = subprocess.Popen(args, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                      stderr=subprocess.DEVNULL, env=wine_env())
        self.lines = queue.Queue()
        self.events = []  # (visible, unix time s, previous poll s, hwnd, rect)
        self.polls = None
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for raw in self.popen.stdout:
            line = raw.decode("utf-8", "replace").rstrip("\n")
            fields = line.split("\t")
            if fields[0] == "state" and len(fields) >= 6:
                event = (fields[1] == "1", int(fields[2]) / 1e6, int(fields[3]) / 1e6, fields[4], _rect(fields[5]))
                self.events.append(event)
                self.lines.put(event)
            elif fields[0] == "polls" and len(fields) >= 3:
                self.polls = (int(fields[1]), float(fields[2]))
        self.lines.put(None)

    def next(self, timeout):
        """The next state line (visible, time, previous poll time, hwnd, rect), or None at the end or timeout."""
        try:
            return self.lines.get(timeout=timeout)
        except queue.Empty:
            return None

    def wait_for(self, visible, timeout):
        """Skips to the next state line with that visibility; fails when none comes in time."""
        deadline = time.monotonic() + timeout
        while True:
            left = deadline - time.monotonic()
            event = self.next(max(0.0, left)) if left > 0 else None
            if event is None:
                raise AssertionError("the message window did not become %s within %.1f s (events: %s)" % (
                    "visible" if visible else "hidden", timeout, self.events))
            if event[0] == visible:
                return event

    def stop(self):
        kill_started(self.popen)
        self.reader.join(timeout=5)

    def finish(self, timeout):
        """Waits for the probe to end by itself; returns its exit code (None: still running, then stopped)."""
        try:
            return self.popen.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None
        finally:
            self.stop()


class Screenshot:
    """An RGB image of (part of) the X display."""

    def __init__(self, width, height, data, left=0, top=0):
        self.width, self.height, self.data, self.left, self.top = width, height, data, left, top

    def pixel(self, x, y):
        """The colour at screen position (x, y) as (r, g, b)."""
        x -= self.left
        y -= self.top
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def region(self, rect):
        """Every pixel of rect (left, top, right, bottom, screen coordinates) as a list of (r, g, b)."""
        left, top, right, bottom = rect
        return [self.pixel(x, y) for y in range(top, bottom) for x in range(left, right)]


def parse_ppm(data):
    """A binary PPM (P6, 8 bits) -> (width, height, rgb bytes)."""
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos) + 1
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise ValueError("not an 8-bit P6 image")
    width, height = int(fields[1]), int(fields[2])
    pos += 1  # the single blank after the maximum value
    return width, height, data[pos:pos + width * height * 3]


def screenshot(save_as=None, crop=None):
    """The X display (import -window root) as a Screenshot; crop = (left, top, right, bottom). With save_as, the
    image is also written as PNG under the artifacts folder (the path is kept on the result as .path)."""
    args = ["import", "-window", "root"]
    if crop:
        left, top, right, bottom = crop
        args += ["-crop", "%dx%d+%d+%d" % (right - left, bottom - top, left, top), "+repage"]
    result = subprocess.run(args + ["-depth", "8", "ppm:-"], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, check=True, timeout=60)
    width, height, data = parse_ppm(result.stdout)
    shot = Screenshot(width, height, data, *(crop[:2] if crop else (0, 0)))
    shot.path = None
    if save_as:
        shot.path = os.path.join(artifacts_dir(), save_as)
        subprocess.run(["convert", "ppm:-", shot.path], input=result.stdout, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=True, timeout=60)
    return shot


def hex_colour(value):
    """'#rrggbb' -> (r, g, b)"""
    return tuple(int(value[i:i + 2], 16) for i in (1, 3, 5))


def stored_colour(rgb):
    """(r, g, b) -> the stored decimal form 0x00BBGGRR."""
    r, g, b = rgb
    return str(r | g << 8 | b << 16)


def set_root_colour(colour):
    """Paints the X display's root window (the desktop under the windows); None restores the default."""
    args = ["xsetroot", "-def"] if colour is None else ["xsetroot", "-solid", colour]
    subprocess.run(args, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   check=True, timeout=30)


def x_window_tree():
    result = subprocess.run(["xwininfo", "-root", "-tree"], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, check=True, timeout=30)
    return result.stdout.decode("utf-8", "replace")


def x_window_attributes(window):
    """xwininfo of one X window: {'map state': ..., 'override redirect state': ..., ...}."""
    result = subprocess.run(["xwininfo", "-id", str(window)], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, timeout=30)
    attributes = {}
    for line in result.stdout.decode("utf-8", "replace").splitlines():
        if ":" in line:
            name, value = line.split(":", 1)
            attributes[name.strip().lower()] = value.strip()
    return attributes


_TREE_LINE = re.compile(r'^\s*(0x[0-9a-f]+) "(.*)": \(.*\)\s+(\d+)x(\d+)[+-]-?\d+[+-]-?\d+\s+\+(-?\d+)\+(-?\d+)')


def tray_window():
    """Wine's standalone tray window: {id, left, top, width, height, mapped}, or None when there is none."""
    for line in x_window_tree().splitlines():
        m = _TREE_LINE.match(line)
        if m and m.group(2) == TRAY_TITLE:
            window = int(m.group(1), 16)
            mapped = x_window_attributes(window).get("map state") == "IsViewable"
            return {"id": window, "left": int(m.group(5)), "top": int(m.group(6)), "width": int(m.group(3)),
                    "height": int(m.group(4)), "mapped": mapped}
    return None


def tray_icon_cell():
    """The screen rectangle of the first icon of the tray window (its first square cell)."""
    tray = wait_until(lambda: (lambda t: t if t and t["mapped"] else None)(tray_window()), 15,
                      message="the %r window" % TRAY_TITLE)
    side = tray["height"]
    return (tray["left"], tray["top"], tray["left"] + side, tray["top"] + side)


def rect_centre(rect):
    return ((rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2)


def menu_window(pid):
    """The open popup menu of the process: {'hwnd', 'rect'}, or None."""
    result = probe("menu-window", "--pid", pid, check=False)
    if result.returncode != 0:
        return None
    info = dict(line.split("\t", 1) for line in result.stdout.splitlines() if "\t" in line)
    return {"hwnd": info["hwnd"], "rect": _rect(info["rect"])}


def menu_rows(shot, rect):
    """The items of a popup menu read from a screenshot: [('item' | 'separator', top, bottom)], top to bottom.
    Text rows hold dark glyph pixels; a separator row is a line across most of the menu's width."""
    left, top, right, bottom = rect
    inner = range(left + 4, right - 4)
    kinds = []
    for y in range(top + 2, bottom - 2):
        pixels = [shot.pixel(x, y) for x in inner]
        dark = sum(1 for p in pixels if max(p) < 90)
        lined = sum(1 for p in pixels if max(p) - min(p) < 16 and 90 <= p[0] <= 200)
        if lined >= 0.7 * len(pixels):
            kinds.append(("separator", y))
        elif dark:
            kinds.append(("item", y))
        else:
            kinds.append((None, y))
    rows = []
    for kind, y in kinds:
        if kind is None:
            continue
        if rows and rows[-1][0] == kind and rows[-1][2] == y:
            rows[-1] = (kind, rows[-1][1], y + 1)
        else:
            rows.append((kind, y, y + 1))
    return rows
