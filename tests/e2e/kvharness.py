"""Runs the real Korvane.exe under Wine on a private X display, for the end-to-end tests.

One session per test run: an Xvfb on a free display, a fresh Wine prefix and a warm-up program.
CTest shares one session between its test processes (see e2e_session.py, started as a fixture);
a test module run on its own makes a private session and ends it when the process exits.
Per test: a fresh copy of the installation folder, so that nothing a test writes under Data\\
leaks into the next one, and the Korvane and notepad processes that the test started.

Every wait is bounded: a test that does not get what it waits for fails, it does not hang.

Environment:
  KORVANE_WIN_DIR       the installation folder (Korvane.exe, Data\\, Help\\); required
  KORVANE_KVDRIVER      kvdriver.exe; default <KORVANE_WIN_DIR>/../tests/e2e/driver/kvdriver.exe
  KORVANE_E2E_SESSION   state file of a shared session made by e2e_session.py
  KORVANE_E2E_ARTIFACTS folder for screenshots and the logs of failed tests
"""

import atexit
import ctypes
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

SCREEN = "1280x800x24"
# Wine's first program in a fresh prefix has been seen to hang for about 90 s; the warm-up
# takes that hit, bounded, before any test runs.
WARMUP_TIMEOUT = 120
WINEBOOT_TIMEOUT = 180
WINDOW_TIMEOUT = 30
EXIT_TIMEOUT = 15
DRIVER_TIMEOUT = 30

DEFAULT_GROUP = "デフォルト"
UI_FONT_LINKS = Path(__file__).resolve().parents[2] / "scripts" / "japanese-ui-fonts.reg"
NO_WINDOW_MANAGER = Path(__file__).resolve().parent / "no-window-manager.reg"

_T0 = time.monotonic()


def trace(message):
    """With KORVANE_E2E_TRACE set, a timed line on stderr for each step (CTest shows it when a
    test fails)."""
    if os.environ.get("KORVANE_E2E_TRACE"):
        print(f"[e2e {time.monotonic() - _T0:7.2f}] {message}", file=sys.stderr, flush=True)


class HarnessError(AssertionError):
    """Something the test waited for did not happen in time (fails the test, never hangs)."""


def win_dir():
    value = os.environ.get("KORVANE_WIN_DIR")
    if not value:
        raise HarnessError("KORVANE_WIN_DIR is not set")
    path = Path(value)
    if not (path / "Korvane.exe").is_file():
        raise HarnessError(f"no Korvane.exe in {path}")
    return path


def driver_path():
    value = os.environ.get("KORVANE_KVDRIVER")
    path = Path(value) if value else win_dir().parent / "tests" / "e2e" / "driver" / "kvdriver.exe"
    if not path.is_file():
        raise HarnessError(f"kvdriver.exe not found at {path}")
    return path


def artifacts_dir():
    value = os.environ.get("KORVANE_E2E_ARTIFACTS")
    path = Path(value) if value else Path(tempfile.gettempdir()) / "korvane-e2e-artifacts"
    path.mkdir(parents=True, exist_ok=True)
    return path


def wait_until(predicate, timeout, what, interval=0.1):
    """Polls predicate until it returns something truthy; raises HarnessError after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        result = predicate()
        if result:
            return result
        if time.monotonic() >= deadline:
            raise HarnessError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


def _pid_alive(pid):
    try:
        os.kill(pid, 0)
    except ProcessLookupError:
        return False
    except PermissionError:
        return True
    return True


def _cmdline(pid):
    try:
        return Path(f"/proc/{pid}/cmdline").read_bytes().split(b"\0")
    except OSError:
        return []


class Session:
    """An Xvfb display and a Wine prefix, shared by the tests of one run."""

    def __init__(self, root, display, xvfb_pid):
        self.root = Path(root)
        self.prefix = self.root / "prefix"
        self.display = display
        self.xvfb_pid = xvfb_pid
        self.env = dict(os.environ)
        self.env.update({
            "DISPLAY": f":{display}",
            "WINEPREFIX": str(self.prefix),
            "WINEDEBUG": "-all",
            # No offer to install Mono or Gecko, no menu entries in the home folder.
            "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d",
            # Wine names files through the Unix locale: UTF-8, so Data/デフォルト is one name
            # on both sides.
            "LC_ALL": "C.UTF-8",
            # The Wine server keeps its socket folder here; it goes with the session.
            "TMPDIR": str(self.root / "tmp"),
        })
        self.env.pop("WAYLAND_DISPLAY", None)
        self._xvfb = None

    # Making and ending a session

    @classmethod
    def start(cls, tied_to_this_process=True):
        """A new session. Tied to this process, its Xvfb ends with it whatever happens;
        otherwise it outlives this process (a CTest fixture) until stop()."""
        root = Path(tempfile.mkdtemp(prefix="korvane-e2e-"))
        xvfb, display = _start_xvfb(root / "xvfb.log", tied_to_this_process)
        session = cls(root, display, xvfb.pid)
        session._xvfb = xvfb
        try:
            session._make_prefix()
        except BaseException:
            session.stop()
            raise
        return session

    def _make_prefix(self):
        self.prefix.mkdir()
        (self.root / "tmp").mkdir()
        with open(self.root / "wine.log", "ab") as log:
            # A persistent server, started first: otherwise it ends a few seconds after the
            # last program, and the next program starts it (and explorer, services) anew, with
            # those daemons inheriting that program's output.
            subprocess.run(["wineserver", "-p"], env=self.env, stdin=subprocess.DEVNULL,
                           stdout=log, stderr=log, timeout=30, check=True)
            subprocess.run(["wineboot", "-i"], env=self.env, stdout=log, stderr=log,
                           stdin=subprocess.DEVNULL, timeout=WINEBOOT_TIMEOUT, check=True)
            # Japanese menu and message box captions need the font links a Windows has; the
            # display has no window manager to hand windows to.
            for settings in (UI_FONT_LINKS, NO_WINDOW_MANAGER):
                subprocess.run(["wine", "reg", "import", windows_path(settings)], env=self.env,
                               stdout=log, stderr=log, stdin=subprocess.DEVNULL, timeout=60,
                               check=True)
        try:
            self.driver("list", timeout=WARMUP_TIMEOUT)
        except HarnessError:
            # Seen once in a while: the first program of a fresh prefix hangs. A second try
            # after restarting the server has always gone through.
            self.wineserver_kill()
            subprocess.run(["wineserver", "-p"], env=self.env, stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
            self.driver("list", timeout=WARMUP_TIMEOUT)

    def wineserver_kill(self):
        """Ends every Wine process of this session's prefix (and only of it)."""
        try:
            subprocess.run(["wineserver", "-k"], env=self.env, stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
            subprocess.run(["wineserver", "-w"], env=self.env, stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
        except subprocess.TimeoutExpired:
            pass
        # A program that was still starting when the server went (seen with winedevice.exe)
        # is not the server's to end; it is ours by its WINEPREFIX.
        for pid in _processes_with_env("WINEPREFIX", str(self.prefix)):
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass

    def stop(self):
        if self.prefix.exists():
            self.wineserver_kill()
        # Only our own Xvfb: the pid must still be an Xvfb.
        cmd = _cmdline(self.xvfb_pid)
        if cmd and cmd[0].endswith(b"Xvfb"):
            os.kill(self.xvfb_pid, signal.SIGTERM)
            deadline = time.monotonic() + 10
            while _pid_alive(self.xvfb_pid) and time.monotonic() < deadline:
                _reap(self.xvfb_pid)
                time.sleep(0.05)
            if _pid_alive(self.xvfb_pid):
                os.kill(self.xvfb_pid, signal.SIGKILL)
        if self._xvfb is not None:
            try:
                self._xvfb.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass
        else:
            _reap(self.xvfb_pid)
        shutil.rmtree(self.root, ignore_errors=True)

    def save(self, state_file):
        Path(state_file).write_text(json.dumps(
            {"root": str(self.root), "display": self.display, "xvfb_pid": self.xvfb_pid}))

    @classmethod
    def load(cls, state_file):
        state = json.loads(Path(state_file).read_text())
        return cls(state["root"], state["display"], state["xvfb_pid"])

    def alive(self):
        return _pid_alive(self.xvfb_pid) and self.prefix.is_dir()

    # Tools

    def driver(self, *args, timeout=DRIVER_TIMEOUT, check=True):
        """Runs kvdriver.exe in the prefix; returns its JSON answer."""
        returncode, lines, stderr = self._run_driver(args, timeout)
        if returncode != 0 and not lines:
            # Every answer of the driver, a refusal included, is a line of JSON, printed right
            # after it acts: none at all means Wine did not get it going (seen now and then
            # on a loaded machine), so it runs once more.
            trace("kvdriver gave no answer: once more")
            returncode, lines, stderr = self._run_driver(args, timeout)
        command = "kvdriver " + " ".join(map(str, args))
        try:
            answer = json.loads(lines[-1]) if lines else {}
        except json.JSONDecodeError:
            answer = {"error": "unreadable driver output: " + lines[-1]}
        if check and returncode != 0:
            raise HarnessError(f"{command}: exit {returncode}, "
                               f"{answer.get('error', stderr.decode(errors='replace'))}")
        return answer

    def _run_driver(self, args, timeout):
        started = time.monotonic()
        command = "kvdriver " + " ".join(map(str, args))
        # Files, not pipes: a Wine daemon that this call happens to start would hold a pipe
        # open long after the driver has answered.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            process = subprocess.Popen(["wine", str(driver_path()), *map(str, args)],
                                       env=self.env, stdin=subprocess.DEVNULL, stdout=out,
                                       stderr=err)
            try:
                returncode = process.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
                trace(f"{command}: no end in {timeout} s")
                raise HarnessError(f"{command}: no answer in {timeout} s") from None
            out.seek(0)
            err.seek(0)
            stdout, stderr = out.read(), err.read()
        trace(f"{command} -> {returncode} ({time.monotonic() - started:.2f} s)")
        return returncode, stdout.decode("utf-8", "replace").strip().splitlines(), stderr

    def xdotool(self, *args):
        trace("xdotool " + " ".join(map(str, args)))
        subprocess.run(["xdotool", *map(str, args)], env=self.env, stdin=subprocess.DEVNULL,
                       check=True, timeout=30, capture_output=True)

    def press_keys_by_code(self, *names):
        """Presses and releases each key (X key symbol names) through XTest by its key code
        alone, as a user's keyboard does. For a keypad digit xdotool wraps the key in Num Lock
        presses of its own, each a key of its own to a window that takes every key."""
        trace("xtest " + " ".join(names))
        with _XDisplay(self.display) as x:
            for name in names:
                x.press(name)

    def set_num_lock(self, on):
        """Num Lock on or off, pressed only when it is not so already."""
        with _XDisplay(self.display) as x:
            if x.num_lock() != on:
                trace(f"xtest Num_Lock ({'on' if on else 'off'})")
                x.press("Num_Lock")

    def pointer(self):
        """Where the X server has the pointer, and the X window under it: (x, y, window)."""
        out = subprocess.run(["xdotool", "getmouselocation", "--shell"], env=self.env,
                             stdin=subprocess.DEVNULL, check=True, timeout=30,
                             capture_output=True, text=True).stdout
        fields = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
        return int(fields["X"]), int(fields["Y"]), int(fields["WINDOW"])

    def root_window(self):
        out = subprocess.run(["xwininfo", "-root"], env=self.env, stdin=subprocess.DEVNULL,
                             check=True, timeout=30, capture_output=True, text=True).stdout
        return int(out.split("Window id:", 1)[1].split()[0], 16)

    def move_pointer(self, x, y):
        """Moves the pointer and waits until the X server has it there over a window: X gives a
        press to the window under the pointer, and one on the bare screen (a window not yet
        mapped there) is lost."""
        x, y = int(x), int(y)
        root = self.root_window()
        self.xdotool("mousemove", x, y)
        wait_until(lambda: (lambda at: at[:2] == (x, y) and at[2] != root)(self.pointer()), 5,
                   f"the pointer at {x},{y} over a window")

    def click(self, x, y):
        """A left click at screen coordinates, as the X server delivers a user's click."""
        self.move_pointer(x, y)
        self.xdotool("click", "1")

    def click_centre(self, rect):
        self.click((rect["left"] + rect["right"]) // 2, (rect["top"] + rect["bottom"]) // 2)

    def type_text(self, text):
        self.xdotool("type", "--delay", "40", text)

    def screenshot(self, path):
        path = Path(path)
        path.parent.mkdir(parents=True, exist_ok=True)
        subprocess.run(["import", "-display", f":{self.display}", "-window", "root", str(path)],
                       env=self.env, stdin=subprocess.DEVNULL, capture_output=True, check=True,
                       timeout=30)
        return path

    def screen_colours(self, rect):
        """The colours of a screen rectangle as the X server shows it: a function of screen
        coordinates inside it giving (r, g, b)."""
        picture = self.root / "colours.png"
        self.screenshot(picture)
        ppm = subprocess.run(["convert", str(picture), "-crop",
                              f"{rect['width']}x{rect['height']}+{rect['left']}+{rect['top']}",
                              "+repage", "ppm:-"], capture_output=True, check=True,
                             timeout=30).stdout
        # P6, width, height, maximum value, then the RGB bytes; the header is whitespace apart.
        fields = ppm.split(maxsplit=4)
        width = int(fields[1])
        data = fields[4]

        def colour(x, y):
            at = 3 * ((y - rect["top"]) * width + (x - rect["left"]))
            return tuple(data[at:at + 3])
        return colour

    def clear_clipboard(self):
        # Korvane takes the text on the clipboard at start as a copy; tests that count
        # memories start from an empty one.
        self.driver("clip-set")

    def copy(self, text):
        """A copy made by another Windows program: the text as CF_UNICODETEXT."""
        # Hex: arguments cross the Unix/Windows border through the locale.
        self.driver("clip-set-hex", text.encode("utf-8").hex())

    def copy_marked(self, text, format_name, value=0):
        """A copy with a registered format beside the text holding the DWORD value, as a
        password manager marks what clipboard tools must not keep."""
        self.driver("clip-set-marked", text.encode("utf-8").hex(), format_name, value)

    def copy_from_x(self, text):
        """A copy made by an X program (xclip, which serves the selection until killed or
        until someone else takes it). Returns the xclip process."""
        trace(f"xclip {text!r}")
        process = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard"], env=self.env,
                                   stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, start_new_session=True)
        process.stdin.write(text.encode("utf-8"))
        process.stdin.close()
        return process

    def clipboard_text(self):
        answer = self.driver("clip-get")
        return answer["text"] if answer.get("present") else None

    def windows(self):
        return self.driver("list")["windows"]

    def dialog(self, caption, pid, timeout=WINDOW_TIMEOUT):
        """The visible dialog or message box of that caption that a window of process `pid`
        owns, once it shows: its controls in tab order, with their texts, enabled state and
        focus, and a list box's items and selection (kvdriver dialog)."""
        return self.driver("dialog", caption.encode("utf-8").hex(), pid, int(timeout * 1000),
                           timeout=timeout + DRIVER_TIMEOUT)

    def press(self, dialog, caption):
        """Clicks the enabled button of that caption in a dialog (as `dialog` answered it)."""
        self.driver("press", dialog["hwnd"], caption.encode("utf-8").hex())

    def list_click(self, dialog, index):
        """Clicks an entry of the dialog's list box; the selection as the dialog then has it."""
        return self.driver("list-click", dialog["hwnd"], index)["selection"]

    def wine(self, *args, log_path=None, cwd=None):
        """Starts a Windows program (by Unix or Windows path) in this session's prefix; with
        cwd, in that current folder (Wine hands it on as the program's own)."""
        trace("wine " + " ".join(map(str, args)))
        log = open(log_path, "ab") if log_path else subprocess.DEVNULL
        try:
            return subprocess.Popen(["wine", *map(str, args)], env=self.env,
                                    stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                    start_new_session=True, cwd=cwd)
        finally:
            if log_path:
                log.close()


def read_json_lines(path):
    """The events a driver program logs, one JSON object a line; the last line may be half
    written while it runs."""
    path = Path(path)
    if not path.exists():
        return []
    events = []
    for line in path.read_text(encoding="utf-8").splitlines():
        try:
            events.append(json.loads(line))
        except json.JSONDecodeError:
            break
    return events


def end_process(process):
    """Kills a program the tests started, if it still runs, and waits a while for its end."""
    if process is not None and process.poll() is None:
        process.kill()
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            pass


def windows_path(path):
    """A Unix path as Windows programs under Wine name it (through the Z: drive)."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


def _processes_with_env(name, value):
    wanted = f"{name}={value}".encode()
    pids = []
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit() or int(entry.name) == os.getpid():
            continue
        try:
            if wanted in (entry / "environ").read_bytes().split(b"\0"):
                pids.append(int(entry.name))
        except OSError:
            pass
    return pids


def _reap(pid):
    try:
        os.waitpid(pid, os.WNOHANG)
    except ChildProcessError:
        pass


def _die_with_parent():
    """In the child before exec: SIGTERM when the process that started it dies."""
    import ctypes
    PR_SET_PDEATHSIG = 1
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_PDEATHSIG, signal.SIGTERM)


def _start_xvfb(log_path, tied_to_this_process):
    """Starts Xvfb on a display number it picks itself among the free ones."""
    read_fd, write_fd = os.pipe()
    with open(log_path, "wb") as log:
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", SCREEN, "-nolisten", "tcp",
             "-noreset"],
            pass_fds=(write_fd,), stdin=subprocess.DEVNULL, stdout=log, stderr=log,
            start_new_session=True,
            preexec_fn=_die_with_parent if tied_to_this_process else None)
    os.close(write_fd)
    number = b""
    deadline = time.monotonic() + 30
    try:
        # Xvfb writes the number once it accepts clients.
        while not number.endswith(b"\n") and time.monotonic() < deadline:
            chunk = os.read(read_fd, 16)
            if not chunk:
                break
            number += chunk
    finally:
        os.close(read_fd)
    if not number.strip().isdigit():
        xvfb.kill()
        raise HarnessError(f"Xvfb did not start; see {log_path}")
    return xvfb, int(number)


class _XDisplay:
    """Xlib and XTest through ctypes, for the few things xdotool cannot do."""

    MOD2_MASK = 0x10  # Num Lock, on this X server's modifier map

    def __init__(self, display):
        self.name = f":{display}".encode()
        x11 = self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XStringToKeysym.restype = ctypes.c_ulong
        x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
        x11.XKeysymToKeycode.restype = ctypes.c_ubyte
        x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x11.XFlush.argtypes = x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        pointer = ctypes.POINTER
        x11.XQueryPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong, pointer(ctypes.c_ulong),
                                      pointer(ctypes.c_ulong), pointer(ctypes.c_int),
                                      pointer(ctypes.c_int), pointer(ctypes.c_int),
                                      pointer(ctypes.c_int), pointer(ctypes.c_uint)]
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                ctypes.c_ulong]

    def __enter__(self):
        self.display = self.x11.XOpenDisplay(self.name)
        if not self.display:
            raise HarnessError(f"cannot open display {self.name.decode()}")
        return self

    def __exit__(self, *exc):
        self.x11.XCloseDisplay(self.display)

    def press(self, name):
        code = self.x11.XKeysymToKeycode(self.display, self.x11.XStringToKeysym(name.encode()))
        if not code:
            raise HarnessError(f"no key gives {name}")
        for down in (1, 0):
            self.xtst.XTestFakeKeyEvent(self.display, code, down, 0)
            self.x11.XFlush(self.display)
            time.sleep(0.03)

    def num_lock(self):
        windows = [ctypes.c_ulong() for _ in range(2)]
        places = [ctypes.c_int() for _ in range(4)]
        mask = ctypes.c_uint()
        self.x11.XQueryPointer(self.display, self.x11.XDefaultRootWindow(self.display),
                               *map(ctypes.byref, windows), *map(ctypes.byref, places),
                               ctypes.byref(mask))
        return bool(mask.value & self.MOD2_MASK)


# The one session of this process

_session = None


def acquire():
    """The run's session: the shared one named by KORVANE_E2E_SESSION, else a private one
    made on first use and ended when this process exits."""
    global _session
    if _session is None:
        state = os.environ.get("KORVANE_E2E_SESSION")
        if state and Path(state).is_file():
            _session = Session.load(state)
            if not _session.alive():
                raise HarnessError(f"the shared session of {state} is gone")
        else:
            _session = Session.start()
            atexit.register(_session.stop)
            # A terminated run still cleans up (atexit runs on SystemExit).
            signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    return _session


# Text as Korvane keeps it

def cp932(text):
    return text.encode("cp932")


def stored_text(file_bytes):
    """A memory file's bytes as Korvane reads them back: up to 0x1A, CR dropped, LF as CR LF."""
    body = file_bytes.split(b"\x1a", 1)[0].replace(b"\r", b"")
    return body.replace(b"\n", b"\r\n")


def caption_of(text):
    """The first 24 bytes of a memory's text as a panel shows them (a cut double-byte
    character is left out)."""
    cut = text[:24]
    i = 0
    while i < len(cut):
        lead = 0x81 <= cut[i] <= 0x9F or 0xE0 <= cut[i] <= 0xFC
        if lead and i + 1 >= len(cut):
            cut = cut[:i]
            break
        i += 2 if lead else 1
    return cut.decode("cp932")


# Entries of Data\Setting.dat by the names the tests use: the label, and how the value is
# written (the position is "Top Left"; for a window that grows to the left, Left is its right
# edge).
SETTING_LABELS = {
    "position": "Formの位置",
    "memory_limit": "最大メモリ数",
    "per_column": "列内メモリ数",
    "grow_left": "ウインドウの伸びる方向",
    "save_unlocked": "Unlockメモリの保存",
    "skip_duplicates": "同一内容は記憶しない",
    "keep_watch": "「クリップボードの監視」の次起動有効",
    "watch": "クリップボードの監視",
    "show_numbers": "メモリ番号の表示",
}


def edit_settings(data, **values):
    """The settings file's bytes with the value lines after the named labels replaced."""
    lines = data.split(b"\r\n")
    for name, value in values.items():
        label = f"/////{SETTING_LABELS[name]}/////".encode("cp932")
        at = lines.index(label)
        if name == "position":
            top, left = value
            lines[at + 1] = f"{top:d} {left:d}".encode("ascii")
        else:
            lines[at + 1] = str(int(value)).encode("ascii")
    return b"\r\n".join(lines)


# One Korvane installation and process

class Korvane:
    """A private copy of the installation, and the Korvane.exe processes started from it."""

    def __init__(self, session, root, folder_name="Korvane", in_place=False):
        """A copy of the build's installation at root/folder_name; with in_place, the
        installation already laid out there (an unpacked release) is used as it is."""
        self.session = session
        self.dir = Path(root) / folder_name
        if not in_place:
            shutil.copytree(win_dir(), self.dir, symlinks=True)
        self.exe = self.dir / "Korvane.exe"
        self.wine_log = Path(root) / "wine.log"
        self.process = None
        self.hwnd = None
        # Column 0 is the rightmost one in a window that grows to the left.
        self.grow_left = False

    def set_settings(self, **values):
        """Changes entries of this installation's Data\\Setting.dat before a start (names as in
        SETTING_LABELS)."""
        path = self.dir / "Data" / "Setting.dat"
        path.write_bytes(edit_settings(path.read_bytes(), **values))
        if "grow_left" in values:
            self.grow_left = bool(values["grow_left"])

    # Files beside the exe

    @property
    def log_path(self):
        return self.dir / "log.txt"

    def group_dir(self, group=DEFAULT_GROUP):
        return self.dir / "Data" / group

    def write_memories(self, texts, group=DEFAULT_GROUP):
        """Locked memories as the program stores them: index.dat and memoryN.dat in cp932,
        an LF written as CR LF."""
        folder = self.group_dir(group)
        folder.mkdir(parents=True, exist_ok=True)
        for old in folder.glob("*.dat"):
            old.unlink()
        for i, text in enumerate(texts):
            (folder / f"memory{i}.dat").write_bytes(cp932(text).replace(b"\n", b"\r\n"))
        (folder / "index.dat").write_bytes(str(len(texts)).encode())

    def read_memories(self, group=DEFAULT_GROUP):
        """The texts stored in a group's folder (cp932 bytes, as read back), or None without
        a count file."""
        folder = self.group_dir(group)
        index = _find_case_insensitive(folder, "index.dat")
        if index is None:
            return None
        count = int(index.read_bytes().strip() or b"0")
        texts = []
        for i in range(count):
            path = _find_case_insensitive(folder, f"memory{i}.dat")
            texts.append(None if path is None else stored_text(path.read_bytes()))
        return texts

    # The process

    def start(self, cwd=None):
        self.process = self.session.wine(self.exe, log_path=self.wine_log, cwd=cwd)
        self.hwnd = None
        return self.process

    def start_second(self):
        """Another Korvane.exe from the same folder, while this one may be running."""
        return self.session.wine(self.exe, log_path=self.wine_log)

    def wait_window(self, timeout=WINDOW_TIMEOUT):
        deadline = time.monotonic() + timeout
        while True:
            if self.process is not None and self.process.poll() is not None:
                raise HarnessError(f"Korvane.exe ended with exit code {self.process.returncode} "
                                   "before its window appeared")
            remaining = deadline - time.monotonic()
            answer = self.session.driver("find", "Korvane", int(min(2, max(remaining, 0)) * 1000),
                                         check=False)
            if "hwnd" in answer:
                self.hwnd = answer["hwnd"]
                return answer
            if remaining <= 0:
                raise HarnessError(f"no Korvane window after {timeout} s")

    def info(self):
        return self.session.driver("info", self.hwnd)

    def children(self):
        return self.session.driver("children", self.hwnd)["children"]

    def previews(self):
        """The visible preview windows of the main window: rect, topmost, and text (the start
        of what each shows)."""
        return self.session.driver("preview", self.hwnd)["previews"]

    def memories(self):
        """The visible memory buttons in memory order (column by column, each top to bottom;
        from the right in a window that grows to the left), each with the lock toggle that
        stands to its right: [(panel, toggle or None)]."""
        kids = [c for c in self.children() if c["visible"]]
        panels = [c for c in kids if (c["rect"]["width"], c["rect"]["height"]) == (130, 20)]
        toggles = [c for c in kids if (c["rect"]["width"], c["rect"]["height"]) == (20, 20)]
        direction = -1 if self.grow_left else 1
        panels.sort(key=lambda c: (direction * c["rect"]["left"], c["rect"]["top"]))
        pairs = []
        for panel in panels:
            toggle = next((t for t in toggles
                           if t["rect"]["top"] == panel["rect"]["top"]
                           and t["rect"]["left"] == panel["rect"]["left"] + 131), None)
            pairs.append((panel, toggle))
        return pairs

    def unpainted_controls(self):
        """The visible controls whose face shows the bare screen (black under Xvfb) where
        they should have painted themselves, by class and place."""
        rect = self.info()["rect"]
        colour = self.session.screen_colours(rect)
        return [(c["class"], c["rect"]) for c in self.children() if c["visible"]
                and colour(c["screen"]["left"] + 3, c["screen"]["top"] + 3) == (0, 0, 0)]

    def memory_texts(self):
        """The captions of the visible memories in memory order."""
        return [panel["text"] for panel, _ in self.memories()]

    def set_entries(self, entries):
        """Changes any entries of this installation's Data\\Setting.dat before a start, by
        their numbers in settingsfile (the option buttons' show flags, TabOrder, ...)."""
        import settingsfile
        path = self.dir / "Data" / "Setting.dat"
        settings = settingsfile.parse(path.read_bytes())
        settings.update(entries)
        path.write_bytes(settingsfile.compose(settings))
        if settingsfile.GROW_LEFT in entries:
            self.grow_left = bool(entries[settingsfile.GROW_LEFT])

    def option_buttons(self):
        """The option buttons from left to right; each one's text is its hint."""
        buttons = [c for c in self.children() if c["class"] == "KorvaneImageButton"]
        return sorted(buttons, key=lambda c: c["rect"]["left"])

    def press_keys(self, *keys):
        """Keys pressed while this window is the active one. Without a window manager the X
        server gives key events to the X window under the pointer, so the pointer rests on the
        window's top-left margin first, where no control is."""
        rect = self.info()["rect"]
        self.session.xdotool("mousemove", rect["left"] + 2, rect["top"] + 2)
        self.session.xdotool("key", *keys)

    def close(self, timeout=EXIT_TIMEOUT):
        """WM_CLOSE to the main window; returns the exit code of the process."""
        if self.process is None:
            return None
        if self.process.poll() is None and self.hwnd is not None:
            self.session.driver("close", self.hwnd, check=False)
        started = time.monotonic()
        try:
            code = self.process.wait(timeout=timeout)
            trace(f"Korvane.exe ended with {code} after {time.monotonic() - started:.2f} s")
            return code
        except subprocess.TimeoutExpired:
            self.kill()
            raise HarnessError(f"Korvane.exe did not end within {timeout} s of WM_CLOSE")

    def kill(self):
        end_process(self.process)


def _find_case_insensitive(folder, name):
    if not folder.is_dir():
        return None
    for path in folder.iterdir():
        if path.name.lower() == name.lower():
            return path
    return None


class Notepad:
    """Wine's notepad.exe: a real editor to paste into."""

    def __init__(self, session):
        self.session = session
        # By path: "wine notepad.exe" sometimes fails with "ShellExecuteEx failed".
        self.process = session.wine("C:\\windows\\notepad.exe")
        self.hwnd = None

    def wait_window(self, timeout=WINDOW_TIMEOUT):
        answer = self.session.driver("find", "Notepad", int(timeout * 1000), "--class",
                                     timeout=timeout + DRIVER_TIMEOUT)
        self.hwnd = answer["hwnd"]
        return answer

    def place(self, left, top, width, height):
        self.session.driver("move", self.hwnd, left, top, width, height)

    def edit(self):
        return self.session.driver("edit-text", self.hwnd)

    def set_text(self, text):
        """Replaces the text with any characters at all, as a whole text pasted in would."""
        self.session.driver("edit-set", self.hwnd, text.encode("utf-8").hex())

    def copy_typed(self, text):
        """Replaces notepad's text with `text` typed (a line break as Return), then selects it
        all and copies it (Ctrl+A, Ctrl+C), as a user would."""
        edit = self.session.driver("children", self.hwnd)["children"][0]
        self.session.click(edit["screen"]["left"] + 50, edit["screen"]["top"] + 50)
        self.session.xdotool("key", "ctrl+a", "BackSpace")
        self.session.type_text(text)
        typed = text.replace("\n", "\r\n")
        wait_until(lambda: self.edit()["text"] == typed, 10, "the typed text in notepad")
        self.session.xdotool("key", "ctrl+a", "ctrl+c")

    def type_new(self, text):
        """Replaces notepad's text with `text` typed as a user would (no line breaks)."""
        edit = self.session.driver("children", self.hwnd)["children"][0]
        self.session.click(edit["screen"]["left"] + 50, edit["screen"]["top"] + 50)
        self.session.xdotool("key", "ctrl+a", "BackSpace")
        self.session.type_text(text)
        wait_until(lambda: self.edit()["text"] == text, 10, "the typed text in notepad")

    def kill(self):
        # Closing would ask whether to save the typed text; the test is done with it.
        end_process(self.process)


class ClipboardViewer:
    """Another program in the clipboard viewer chain (kvdriver viewer): it logs every
    WM_DRAWCLIPBOARD with the text it read and every WM_CHANGECBCHAIN, and passes them on."""

    def __init__(self, session, log, hang_ms=0):
        self.session = session
        self.log = Path(log)
        extra = [str(hang_ms)] if hang_ms else []
        self.process = session.wine(driver_path(), "viewer", windows_path(self.log), *extra)
        self.hwnd = None

    def wait_joined(self, timeout=WINDOW_TIMEOUT):
        joined = wait_until(lambda: self._joined(), timeout, f"{self.log.stem} to join")
        self.hwnd = joined["hwnd"]

    def _joined(self):
        return next((e for e in self.events() if e["event"] == "joined"), None)

    def events(self):
        return read_json_lines(self.log)

    def texts(self):
        """The texts (their first 200 characters) of the WM_DRAWCLIPBOARD messages since it
        joined; None for a clipboard without text."""
        events = self.events()
        start = next((i for i, e in enumerate(events) if e["event"] == "joined"), len(events))
        return [e["text"] if e["present"] else None for e in events[start:]
                if e["event"] == "draw"]

    def chain_changes(self):
        return [(e["remove"], e["next"]) for e in self.events() if e["event"] == "changecbchain"]

    def wait_text(self, text, timeout=10):
        """Waits until a WM_DRAWCLIPBOARD with the text has reached the viewer."""
        wait_until(lambda: text in self.texts(), timeout,
                   f"{self.log.stem} to be told of the copy {text!r}")

    def leave(self, timeout=EXIT_TIMEOUT):
        """WM_CLOSE: the viewer leaves the chain and ends."""
        if self.process.poll() is None and self.hwnd is not None:
            self.session.driver("close", self.hwnd, check=False)
        try:
            self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.kill()
            raise HarnessError(f"{self.log.stem} did not end within {timeout} s")
        if not any(e["event"] == "left" for e in self.events()):
            raise HarnessError(f"{self.log.stem} ended without leaving the chain")

    def kill(self):
        end_process(self.process)


class KeyLogger:
    """A window of kvdriver's whose edit field logs every key that reaches it: the shortcuts
    that no editor here shows an effect of (Wine's notepad has no redo)."""

    def __init__(self, session, log):
        self.session = session
        self.log = Path(log)
        self.process = session.wine(driver_path(), "keys", windows_path(self.log))
        self.hwnd = None

    def wait_ready(self, timeout=WINDOW_TIMEOUT):
        ready = wait_until(lambda: next((e for e in self.events() if e["event"] == "ready"),
                                        None), timeout, "the key logger's window")
        self.hwnd = ready["hwnd"]
        return ready

    def events(self):
        return read_json_lines(self.log)

    def keys(self):
        """(event, virtual key, Ctrl held) for each key down and up, in order."""
        return [(e["event"], e["vk"], e["ctrl"]) for e in self.events()
                if e["event"] in ("down", "up")]

    def close(self):
        if self.process.poll() is None and self.hwnd is not None:
            self.session.driver("close", self.hwnd, check=False)
        try:
            self.process.wait(timeout=EXIT_TIMEOUT)
        except subprocess.TimeoutExpired:
            end_process(self.process)


class KorvaneTestCase(unittest.TestCase):
    """Gives each test a session, a fresh installation copy and cleanup of what it started."""

    @classmethod
    def setUpClass(cls):
        cls.session = acquire()

    def setUp(self):
        self.tmp = Path(tempfile.mkdtemp(prefix="test-", dir=self.session.root))
        self.korvane = Korvane(self.session, self.tmp)
        self._notepads = []
        self._viewers = []
        self._xclips = []
        self.session.clear_clipboard()
        # The pointer where the last test left it could rest where a memory button appears and
        # open its preview, a topmost window over the buttons below it. Each test starts with it
        # where a fresh display has it, the screen's centre, where the tests' other windows
        # stand: away from Korvane's place (left on the bare screen, it has made Wine's
        # activation of another window from outside fail).
        self.session.xdotool("mousemove", 640, 400)
        self.addCleanup(self._cleanup)

    def _cleanup(self):
        if self._outcome_failed():
            self._keep_evidence()
        for notepad in self._notepads:
            notepad.kill()
        # Viewers leave before Korvane does, so that the chain is empty for the next test.
        for viewer in reversed(self._viewers):
            try:
                viewer.leave()
            except HarnessError:
                pass
        for xclip in self._xclips:
            if xclip.poll() is None:
                xclip.kill()
                xclip.wait()
        try:
            if self.korvane.process is not None and self.korvane.process.poll() is None:
                self.korvane.close()
        except HarnessError:
            pass
        finally:
            self.korvane.kill()
            shutil.rmtree(self.tmp, ignore_errors=True)

    def _outcome_failed(self):
        # The outcome's own success flag reads True inside a cleanup; the result knows.
        result = getattr(getattr(self, "_outcome", None), "result", None)
        failures = getattr(result, "failures", []) + getattr(result, "errors", [])
        return any(test is self for test, _ in failures)

    def _keep_evidence(self):
        folder = artifacts_dir() / self.id()
        folder.mkdir(parents=True, exist_ok=True)
        try:
            self.session.screenshot(folder / "screen.png")
        except (subprocess.SubprocessError, OSError):
            pass
        if self.korvane.log_path.exists():
            shutil.copy(self.korvane.log_path, folder / "log.txt")
        if self.korvane.wine_log.exists():
            shutil.copy(self.korvane.wine_log, folder / "wine.log")
        for viewer in self._viewers:
            if viewer.log.exists():
                shutil.copy(viewer.log, folder / viewer.log.name)
        print(f"evidence kept in {folder}")

    # Helpers for the tests

    def start_korvane(self):
        self.korvane.start()
        return self.korvane.wait_window()

    def stop_korvane(self):
        """Closes Korvane with WM_CLOSE; it must end with exit code 0."""
        code = self.korvane.close()
        self.assertEqual(code, 0, "Korvane.exe must end with exit code 0 after WM_CLOSE")

    def start_notepad(self):
        notepad = Notepad(self.session)
        self._notepads.append(notepad)
        notepad.wait_window()
        return notepad

    def screenshot(self, name):
        return self.session.screenshot(artifacts_dir() / self.id() / name)

    def save_window_picture(self):
        """Korvane's window with a margin, cut from the screen, for a person to look at."""
        rect = self.korvane.info()["rect"]
        full = self.screenshot("screen.png")
        window = artifacts_dir() / self.id() / "window.png"
        subprocess.run(["convert", str(full), "-crop",
                        f"{rect['width'] + 20}x{rect['height'] + 20}"
                        f"+{rect['left'] - 10}+{rect['top'] - 10}", "+repage", str(window)],
                       check=True, timeout=30)
        print(f"window picture: {window}")

    def wait_foreground(self, hwnd, what):
        wait_until(lambda: self.session.driver("foreground")["hwnd"] == hwnd, 5,
                   f"{what} to be the active window")

    def activate_window(self, hwnd, what):
        """As a user who goes back to work in that window."""
        self.session.driver("activate", hwnd)
        self.wait_foreground(hwnd, what)

    def assert_painted(self, timeout=3):
        """Every visible control of Korvane's window has painted its face (painting follows
        a change a moment later)."""
        try:
            wait_until(lambda: not self.korvane.unpainted_controls(), timeout,
                       "every control to paint itself")
        except HarnessError:
            self.assertEqual(self.korvane.unpainted_controls(), [], "controls left unpainted")

    def start_viewer(self, name, hang_ms=0):
        """A clipboard viewer that joins the chain now (before Korvane, it follows Korvane);
        with hang_ms it hangs that long in the first copy's notification."""
        viewer = ClipboardViewer(self.session, self.tmp / f"viewer-{name}.log", hang_ms)
        self._viewers.append(viewer)
        viewer.wait_joined()
        return viewer

    def copy_from_x(self, text):
        self._xclips.append(self.session.copy_from_x(text))
