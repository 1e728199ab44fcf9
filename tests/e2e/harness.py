"""Drives the real Tintbar program on a private X server, as a person would.

A Desktop starts Xvfb on a free display with a fresh home folder; an App is
one running program on it, reached only through the window system: xdotool
for the keyboard and the mouse, xclip for the clipboard, xprop and xwininfo
for the window, ImageMagick for pictures. Every wait polls for what it
expects and fails after a timeout.
"""

import ctypes
import ctypes.util
import functools
import math
import os
import re
import shutil
import subprocess
import tempfile
import time
import types

CLIENT_WIDTH = 180
CLIENT_HEIGHT = 240
TITLE = "Hueline"
# Where the status-strip label is drawn: from (2, 220) to the strip's end
# at the vertical bar and the bottom of the window.
LABEL_AREA = (2, 220, 163, 240)

DEFAULT_TIMEOUT = 10.0
POLL_INTERVAL = 0.05
# What xclip prints once it owns the clipboard.
OWNING = b"Waiting for selection requests"
COPY_HEADER = b"/*Hueline */\r\n"
TOP_CMAKE_LISTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                               "CMakeLists.txt")


class HarnessError(AssertionError):
    pass


@functools.cache
def identity():
    """The product's name (the project's), version, display name and
    publisher, as the build defines them once."""
    text = read_file(TOP_CMAKE_LISTS).decode()
    name, version = re.search(r"project\((\w+) VERSION ([\d.]+)", text).groups()
    return types.SimpleNamespace(
        name=name, version=version,
        product_name=re.search(r'set\(TINTBAR_PRODUCT_NAME "([^"]+)"\)', text).group(1),
        publisher=re.search(r'set\(TINTBAR_PUBLISHER "([^"]+)"\)', text).group(1))


def wait_for(what, probe, timeout=DEFAULT_TIMEOUT):
    """Polls probe() until it returns something truthy; returns that."""
    deadline = time.monotonic() + timeout
    while True:
        result = probe()
        if result:
            return result
        if time.monotonic() > deadline:
            raise HarnessError("timed out waiting for " + what)
        time.sleep(POLL_INTERVAL)


def run(arguments, env, stdin=None, check=True):
    completed = subprocess.run(arguments, env=env, input=stdin, capture_output=True,
                               timeout=DEFAULT_TIMEOUT)
    if check and completed.returncode != 0:
        raise HarnessError("%s failed (%d): %s" % (arguments[0], completed.returncode,
                                                   completed.stderr.decode(errors="replace")))
    return completed


def read_file(path):
    with open(path, "rb") as stream:
        return stream.read()


def device_pixel(pixel, scale):
    """Where a pixel of the program's starts on a display of that scale: its
    position times the scale, rounded half up as the program rounds."""
    return math.floor(pixel * scale + 0.5)


class Picture:
    """An RGB picture, three bytes a pixel, rows top to bottom."""

    def __init__(self, ppm):
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
        if not header:
            raise HarnessError("not an 8-bit PPM picture")
        self.width, self.height = int(header.group(1)), int(header.group(2))
        self.rgb = ppm[header.end():]
        if len(self.rgb) != self.width * self.height * 3:
            raise HarnessError("picture data does not match %dx%d" % (self.width, self.height))

    def pixel(self, x, y):
        offset = (y * self.width + x) * 3
        return tuple(self.rgb[offset:offset + 3])

    def sampled(self, scale):
        """The picture of a window drawn at scale device pixels a pixel, at
        one pixel a pixel: pixel x of a row is the device pixel where pixel x
        starts, and the rows are counted from the client area's top, at the
        bottom of the window, whatever stands above it."""
        if scale == 1:
            return self
        client_top = self.height - device_pixel(CLIENT_HEIGHT, scale)
        above = math.floor(client_top / scale)
        rows = [client_top + device_pixel(y - above, scale)
                for y in range(above + CLIENT_HEIGHT)]
        columns = [device_pixel(x, scale) * 3 for x in range(int(self.width / scale + 1e-9))]
        data = b"".join(b"".join(self.rgb[y * self.width * 3 + x:y * self.width * 3 + x + 3]
                                 for x in columns) for y in rows)
        return Picture(b"P6 %d %d 255\n" % (len(columns), len(rows)) + data)

    def differences(self, other, masked):
        """The pixels (x, y) where the bottom CLIENT_HEIGHT rows of this
        picture differ from other, outside masked (left, top, right,
        bottom)."""
        if (self.width, other.width, other.height) != (CLIENT_WIDTH, CLIENT_WIDTH, CLIENT_HEIGHT):
            raise HarnessError("the client area is %dx%d" % (self.width, self.height))
        top = self.height - CLIENT_HEIGHT
        return [(x, y) for y in range(CLIENT_HEIGHT) for x in range(CLIENT_WIDTH)
                if self.pixel(x, top + y) != other.pixel(x, y) and
                not (masked[0] <= x < masked[2] and masked[1] <= y < masked[3])]


def clipboard_owner_window(display_name):
    """The window that owns the CLIPBOARD selection, 0 for none, asked of the
    X server: unlike reading the clipboard, this never waits on the owner."""
    xlib = ctypes.CDLL(ctypes.util.find_library("X11"))
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XGetSelectionOwner.restype = ctypes.c_ulong
    xlib.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = xlib.XOpenDisplay(display_name.encode())
    if not display:
        raise HarnessError("cannot open display " + display_name)
    owner = xlib.XGetSelectionOwner(display, xlib.XInternAtom(display, b"CLIPBOARD", 0))
    xlib.XCloseDisplay(display)
    return owner


def send_delete_window(display_name, window):
    """Asks a window to close, as a window manager's close box does: the
    WM_DELETE_WINDOW client message of the ICCCM."""
    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                    ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                    ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
                    ("pad", ctypes.c_long * 12)]  # to the size of an XEvent

    xlib = ctypes.CDLL(ctypes.util.find_library("X11"))
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                ctypes.POINTER(ClientMessage)]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = xlib.XOpenDisplay(display_name.encode())
    if not display:
        raise HarnessError("cannot open display " + display_name)
    event = ClientMessage(type=33, window=window, format=32,  # 33: ClientMessage
                          message_type=xlib.XInternAtom(display, b"WM_PROTOCOLS", 0))
    event.data[0] = xlib.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    xlib.XSendEvent(display, window, 0, 0, ctypes.byref(event))
    xlib.XCloseDisplay(display)  # flushes the event


class FreshFolder:
    """A temporary folder with a fresh home, for one test; owner, when given,
    owns the home's folders. It ends its server and the clipboard owners that
    a test starts when it closes."""

    def __init__(self, prefix, owner=None):
        self.folder = tempfile.mkdtemp(prefix=prefix)
        self.server = None
        self._clipboard_owners = []
        self.env = {key: value for key, value in os.environ.items()
                    if not key.startswith(("XDG_", "GTK_", "GDK_", "DBUS_", "WAYLAND_",
                                           "DISPLAY", "SWAYSOCK", "WLR_"))}
        for name in ("home", "config", "cache", "data", "runtime"):
            os.makedirs(self.path(name), mode=0o700)
            if owner is not None:
                os.chown(self.path(name), owner, owner)
        self.env.update(HOME=self.path("home"), XDG_CONFIG_HOME=self.path("config"),
                        XDG_CACHE_HOME=self.path("cache"), XDG_DATA_HOME=self.path("data"),
                        XDG_RUNTIME_DIR=self.path("runtime"), NO_AT_BRIDGE="1",
                        LANG="C.UTF-8", LC_ALL="C.UTF-8")

    def path(self, *parts):
        return os.path.join(self.folder, *parts)

    def close(self):
        for owner in self._clipboard_owners:
            owner.kill()
            owner.wait()
        if self.server is not None and self.server.poll() is None:
            self.server.terminate()
            self.server.wait()
        shutil.rmtree(self.folder, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()


class Desktop(FreshFolder):
    """A private X server with a fresh home folder, for one test."""

    # Menus are windows of their own, and pictures show device pixels, scale
    # of them a pixel of the program's.
    lists_popups = True
    shows_device_pixels = True
    scale = 1

    def pointer_scale(self):
        """Pointer positions per pixel of the program's."""
        return self.scale

    def set_scale(self, scale):
        """Makes the display draw the programs started after it at scale
        (a whole number): GTK's own scale on X11."""
        self.env["GDK_SCALE"] = str(scale)
        self.scale = scale

    def __init__(self):
        super().__init__("tintbar-e2e-")
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten",
             "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as announced:
            number = announced.readline().strip()
        if not number:
            self.close()
            raise HarnessError("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number

    def command(self, arguments):
        """The command line that starts a program on this desktop."""
        return arguments

    def request_close(self, window):
        send_delete_window(self.env["DISPLAY"], window)

    def xdotool(self, *arguments):
        return run(["xdotool"] + [str(a) for a in arguments], self.env)

    def visible_windows(self, process):
        """The mapped windows of a process, found by their _NET_WM_PID."""
        completed = run(["xdotool", "search", "--onlyvisible", "--pid", str(process.pid)],
                        self.env, check=False)
        return [int(w) for w in completed.stdout.split()]

    def window_name(self, window):
        """The window's title as the desktop shows it (_NET_WM_NAME)."""
        output = run(["xprop", "-id", str(window), "_NET_WM_NAME"], self.env).stdout.decode()
        _, found, value = output.partition(" = ")
        return value.strip().strip('"') if found else None

    def size_hints(self, window):
        """The WM_NORMAL_HINTS of a window, as xprop prints them."""
        output = run(["xprop", "-id", str(window), "WM_NORMAL_HINTS"], self.env).stdout.decode()
        return dict(line.strip().partition(": ")[::2] for line in output.splitlines()[1:])

    def geometry(self, window):
        """(x, y, width, height) of a window on the screen."""
        output = run(["xwininfo", "-id", str(window)], self.env).stdout.decode()
        fields = dict(line.strip().partition(":")[::2] for line in output.splitlines())
        return tuple(int(fields[key]) for key in ("Absolute upper-left X",
                                                  "Absolute upper-left Y", "Width", "Height"))

    def screenshot(self, window, output="ppm:-"):
        return run(["import", "-silent", "-window", str(window), "-depth", "8", "-strip",
                    "-define", "png:exclude-chunk=date,time", output], self.env).stdout

    def clipboard_owner(self):
        """Tells the clipboard's owners apart without moving their data."""
        return clipboard_owner_window(self.env["DISPLAY"])

    def read_clipboard(self, target=None):
        """The clipboard's text as bytes (under target, when given), or None
        when nothing offers it."""
        completed = run(["xclip", "-o", "-selection", "clipboard"] +
                        (["-t", target] if target else []), self.env, check=False)
        return completed.stdout if completed.returncode == 0 else None

    def offer_clipboard(self, data, target="UTF8_STRING"):
        """Makes xclip own the clipboard with data under target, and waits
        until it does."""
        errors = self.path("xclip-%d.txt" % len(self._clipboard_owners))
        with open(errors, "wb") as stream:
            owner = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard", "-t", target],
                                     env=self.env, stdin=subprocess.PIPE,
                                     stdout=subprocess.DEVNULL, stderr=stream)
        self._clipboard_owners.append(owner)
        owner.stdin.write(data)
        owner.stdin.close()
        wait_for("xclip to own the clipboard", lambda: OWNING in read_file(errors), timeout=30)

class App:
    """One running tintbar on a Desktop, started in working_folder; wrapper
    is a command that execs the program, given as its last words."""

    # How a Copy text starts as the clipboard hands it over.
    copy_header = COPY_HEADER

    def __init__(self, desktop, program, working_folder, arguments=(), wrapper=()):
        self.desktop = desktop
        self.stderr_path = desktop.path("tintbar-stderr-%d.txt" % time.monotonic_ns())
        with open(self.stderr_path, "wb") as errors:
            self.process = subprocess.Popen(desktop.command(list(wrapper) + [program] +
                                                            list(arguments)),
                                            cwd=working_folder,
                                            env=desktop.env, stdout=errors, stderr=errors)
        self.window = wait_for("the main window", self._find_window)

    def _find_window(self):
        if self.process.poll() is not None:
            raise HarnessError("tintbar ended early (%d): %s" %
                               (self.process.returncode, self.errors()))
        windows = [w for w in self.desktop.visible_windows(self.process)
                   if self.desktop.window_name(w) == TITLE]
        return windows[0] if len(windows) == 1 else None

    def other_windows(self):
        """The program's visible menus and dialogs."""
        return [w for w in self.desktop.visible_windows(self.process) if w != self.window]

    def errors(self):
        return read_file(self.stderr_path).decode(errors="replace")

    def key(self, *keys, window=None):
        self.desktop.xdotool("windowfocus", "--sync", window or self.window)
        self.desktop.xdotool("key", "--clearmodifiers", *keys)

    def open_menu(self, keys):
        """Opens a menu with keys and waits until it shows, or, where menus
        cannot be seen from outside, for a moment."""
        self.key(keys)
        if self.desktop.lists_popups:
            wait_for("the menu", self.other_windows)
        else:
            time.sleep(0.5)

    def move_mouse(self, x, y, *then):
        """Moves the pointer to (x, y) of the client area, which lies at the
        bottom of the window, below the menu bar."""
        left, top, _, height = self.desktop.geometry(self.window)
        scale = self.desktop.pointer_scale()
        client_top = top + height - device_pixel(CLIENT_HEIGHT, scale)
        self.desktop.xdotool("mousemove", "--sync", left + device_pixel(x, scale),
                             client_top + device_pixel(y, scale), *then)

    def client_picture(self):
        return Picture(self.desktop.screenshot(self.window))

    def wait_for_picture(self, expected, timeout=DEFAULT_TIMEOUT, scale=None):
        """Waits until the client area shows expected, the label aside, at
        scale device pixels a pixel (the desktop's own unless given); returns
        the window's picture."""
        if scale is None:
            scale = self.desktop.scale
        last, wrong = [], []

        def matches():
            last[:] = [self.client_picture()]
            wrong[:] = last[0].sampled(scale).differences(expected, LABEL_AREA)
            return not wrong

        try:
            wait_for("the window to show the expected picture", matches, timeout)
        except HarnessError:
            x, y = wrong[0]
            shown = last[0].sampled(scale)
            raise HarnessError("%d pixels differ, first at (%d, %d): %s, expected %s" % (
                len(wrong), x, y, shown.pixel(x, shown.height - CLIENT_HEIGHT + y),
                expected.pixel(x, y)))
        return last[0]

    def copy(self, *keys, keep_clipboard=False):
        """Presses keys (Ctrl+C unless given), the last of them a Copy key,
        and returns the Copy text that lands on the clipboard. The program
        handles keys in order, so the text shows the state after the keys
        before. Unless keep_clipboard, a text that is no Copy text is put on
        the clipboard first, so that an earlier Copy cannot be mistaken for
        this one."""
        if not keep_clipboard:
            self.desktop.offer_clipboard(b"not yet copied")

        def copied():
            text = self.desktop.read_clipboard()
            return text if text and text.startswith(self.copy_header) else None

        self.key(*(keys or ("ctrl+c",)))
        return wait_for("Copy to fill the clipboard", copied)

    def close(self):
        """Closes the window as its close box does and waits for the program
        to end; returns its exit status."""
        if self.process.poll() is None:
            self.desktop.request_close(self.window)
            try:
                self.process.wait(DEFAULT_TIMEOUT)
            except subprocess.TimeoutExpired:
                raise HarnessError("tintbar did not end when its window was closed")
        return self.process.returncode

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
