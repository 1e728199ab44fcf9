"""Drives the real Tintbar program on a desktop of its own, as a person would.

A Desktop is a display server started for one test with a fresh home
folder; it says what it can do and offers the keyboard, the pointer, the
clipboard, its windows and their pictures. An X11Desktop is Xvfb, reached
with xdotool, xclip, xprop, xwininfo and ImageMagick; the Wayland desktops
are in wayland.py. An App is one running program on a desktop, reached only
through the desktop. Every wait polls for what it expects and fails after a
timeout.
"""

import contextlib
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


def run(arguments, env=None, stdin=None, check=True, timeout=DEFAULT_TIMEOUT, cwd=None):
    """Runs a command, its words given as anything str() spells, to its end
    in env (None: this process's); returns the completed process, whose exit
    status must be 0 when check."""
    arguments = [str(word) for word in arguments]
    completed = subprocess.run(arguments, env=env, input=stdin, capture_output=True,
                               timeout=timeout, cwd=cwd)
    if check and completed.returncode != 0:
        raise HarnessError("%s failed (%d): %s" % (
            " ".join(arguments)[:200], completed.returncode,
            completed.stderr.decode(errors="replace")[-2000:]))
    return completed


def run_case(name, function, *arguments):
    """Runs one case and prints PASS with its time or FAIL with what failed;
    returns whether it passed."""
    started = time.monotonic()
    try:
        function(*arguments)
    except (HarnessError, subprocess.SubprocessError, OSError) as error:
        print("FAIL %s: %s" % (name, error), flush=True)
        return False
    print("PASS %s (%.1f s)" % (name, time.monotonic() - started), flush=True)
    return True


def read_file(path):
    with open(path, "rb") as stream:
        return stream.read()


def write_file(path, data):
    with open(path, "wb") as out:
        out.write(data)


def device_pixel(pixel, scale):
    """Where a pixel of the program's starts on a display of that scale: its
    position times the scale, rounded half up as the program rounds."""
    return math.floor(pixel * scale + 0.5)


class Picture:
    """An RGB picture, three bytes a pixel, rows top to bottom."""

    def __init__(self, width, height, rgb):
        if len(rgb) != width * height * 3:
            raise HarnessError("picture data does not match %dx%d" % (width, height))
        self.width, self.height, self.rgb = width, height, rgb

    @classmethod
    def from_ppm(cls, ppm):
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
        if not header:
            raise HarnessError("not an 8-bit PPM picture")
        return cls(int(header.group(1)), int(header.group(2)), ppm[header.end():])

    def save(self, path):
        """Writes the picture as a PNG file without a time stamp."""
        run(["convert", "ppm:-", "-strip", "-define", "png:exclude-chunk=date,time",
             "png:" + path], stdin=b"P6 %d %d 255\n" % (self.width, self.height) + self.rgb)

    def pixel(self, x, y):
        offset = (y * self.width + x) * 3
        return tuple(self.rgb[offset:offset + 3])

    def crop(self, left, top, right, bottom):
        return Picture(right - left, bottom - top, b"".join(
            self.rgb[(y * self.width + left) * 3:(y * self.width + right) * 3]
            for y in range(top, bottom)))

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
        return Picture(len(columns), len(rows), data)

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


def read_picture(path):
    """The picture in an image file, PNG or PPM, its alpha dropped."""
    return Picture.from_ppm(run(["convert", path, "-alpha", "off", "-depth", "8", "ppm:-"]).stdout)


class ClientMessage(ctypes.Structure):
    """An X ClientMessage event, padded to the size of an XEvent."""
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
                ("pad", ctypes.c_long * 12)]


@functools.cache
def xlib():
    """libX11, with the prototypes of the calls that the harness makes."""
    library = ctypes.CDLL(ctypes.util.find_library("X11"))
    library.XOpenDisplay.restype = ctypes.c_void_p
    library.XInternAtom.restype = ctypes.c_ulong
    library.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    library.XGetSelectionOwner.restype = ctypes.c_ulong
    library.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    library.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                   ctypes.c_long, ctypes.POINTER(ClientMessage)]
    library.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return library


@contextlib.contextmanager
def x_display(name):
    """A connection to the X server, closed (and so flushed) afterwards."""
    display = xlib().XOpenDisplay(name.encode())
    if not display:
        raise HarnessError("cannot open display " + name)
    try:
        yield display
    finally:
        xlib().XCloseDisplay(display)


def offered(description):
    """A method that Desktop declares, described, and its subclasses define
    where their display offers it."""
    def undefined(self, *arguments, **options):
        raise NotImplementedError("%s offers no %s" % (type(self).__name__, description))
    undefined.__doc__ = description
    return undefined


class Desktop:
    """A display server with a fresh home folder in a temporary folder, for
    one test; owner, when given, owns the home's folders. It ends its server
    and the clipboard owners that a test starts when it closes."""

    # Whether menus are windows that visible_windows lists; whether pictures
    # show device pixels, scale of them a pixel of the program's; whether
    # the pointer can work the colour dialog's controls, at points from its
    # top-left corner.
    lists_popups = shows_device_pixels = has_reachable_colour_dialog = False
    # Device pixels a pixel of the program's.
    scale = 1
    # Seconds that a program's window or a dialog may take to show.
    timeout = DEFAULT_TIMEOUT

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

    def working_folder(self, default_css, name=None):
        """A new folder, named name or numbered, holding default_css as
        "default.css" (None: no such file)."""
        folder = self.path(name or "work-%d" % time.monotonic_ns())
        os.makedirs(folder)
        if default_css is not None:
            write_file(os.path.join(folder, "default.css"), default_css)
        return folder

    def command(self, arguments):
        """The command line that starts a program on this desktop."""
        return arguments

    def pointer_scale(self):
        """Pointer positions per pixel of the program's."""
        return self.scale

    def size_hints(self, window):
        """A window's size hints, {name: value}; None where none are shown."""
        return None

    def handed_over(self, text):
        """text that the program copied, as the clipboard hands it over."""
        return text

    # What a desktop may offer besides, as far as its display can.
    set_scale = offered("set_scale(scale): draws the programs started after it at scale")
    visible_windows = offered("visible_windows(process): the shown windows of a process")
    window_name = offered("window_name(window): the window's title as the desktop shows it")
    geometry = offered("geometry(window): (x, y, width, height) of a window on the screen")
    screenshot = offered("screenshot(window): the window's Picture")
    screen = offered("screen(): the whole screen's Picture")
    focus = offered("focus(window): gives window the keyboard focus; waits until it has it")
    key = offered("key(window, *keys): presses keys (ctrl+c, Escape) in window, None: the focus")
    type_text = offered("type_text(text): types text where the focus is")
    move_pointer = offered("move_pointer(window, x, y): to (x, y) from the window's corner; waits")
    click = offered("click(): presses and releases the left button where the pointer is")
    request_close = offered("request_close(window): asks it to close, as its close box does")
    clipboard_owner = offered("clipboard_owner(): tells owners apart without moving their data")
    read_clipboard = offered("read_clipboard(target=None): the text, as bytes, None for none")
    offer_clipboard = offered("offer_clipboard(data, target): another program owns it with data")

    def _own_clipboard(self, arguments, data, owning):
        """Starts a clipboard owner that reads data; waits until owning()."""
        errors = self.path("clipboard-owner-%d.txt" % len(self._clipboard_owners))
        with open(errors, "wb") as stream:
            owner = subprocess.Popen(arguments, env=self.env, stdin=subprocess.PIPE,
                                     stdout=subprocess.DEVNULL, stderr=stream)
        self._clipboard_owners.append(owner)
        owner.stdin.write(data)
        owner.stdin.close()
        wait_for("the clipboard to be owned", lambda: owning(errors), timeout=30)

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


class X11Desktop(Desktop):
    """A private X server of size screen, without a window manager."""

    lists_popups = shows_device_pixels = has_reachable_colour_dialog = True

    def __init__(self, screen=(1024, 768)):
        super().__init__("tintbar-e2e-")
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % screen,
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as announced:
            number = announced.readline().strip()
        if not number:
            self.close()
            raise HarnessError("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number

    def set_scale(self, scale):
        """GTK's own scale on X11, a whole number."""
        self.env["GDK_SCALE"] = str(scale)
        self.scale = scale

    def visible_windows(self, process):
        """The mapped windows of a process, found by their _NET_WM_PID."""
        completed = run(["xdotool", "search", "--onlyvisible", "--pid", process.pid], self.env,
                        check=False)
        return [int(w) for w in completed.stdout.split()]

    def window_name(self, window):
        """_NET_WM_NAME."""
        output = run(["xprop", "-id", window, "_NET_WM_NAME"], self.env).stdout.decode()
        _, found, value = output.partition(" = ")
        return value.strip().strip('"') if found else None

    def size_hints(self, window):
        """WM_NORMAL_HINTS, as xprop prints them."""
        output = run(["xprop", "-id", window, "WM_NORMAL_HINTS"], self.env).stdout.decode()
        return dict(line.strip().partition(": ")[::2] for line in output.splitlines()[1:])

    def geometry(self, window):
        output = run(["xwininfo", "-id", window], self.env).stdout.decode()
        fields = dict(line.strip().partition(":")[::2] for line in output.splitlines())
        return tuple(int(fields[key]) for key in ("Absolute upper-left X",
                                                  "Absolute upper-left Y", "Width", "Height"))

    def screenshot(self, window):
        return Picture.from_ppm(run(["import", "-silent", "-window", window, "-depth", 8,
                                     "ppm:-"], self.env).stdout)

    def screen(self):
        return self.screenshot("root")

    def focus(self, window):
        run(["xdotool", "windowfocus", "--sync", window], self.env)

    def key(self, window, *keys):
        if window is not None:
            self.focus(window)
        run(["xdotool", "key", "--clearmodifiers", *keys], self.env)

    def type_text(self, text):
        run(["xdotool", "type", text], self.env)

    def move_pointer(self, window, x, y):
        """A move to where the pointer already is never ends."""
        run(["xdotool", "mousemove", "--window", window, "--sync", x, y], self.env)

    def click(self):
        run(["xdotool", "click", 1], self.env)

    def request_close(self, window):
        """Sends the WM_DELETE_WINDOW client message of the ICCCM."""
        with x_display(self.env["DISPLAY"]) as display:
            event = ClientMessage(type=33, window=window, format=32,  # 33: ClientMessage
                                  message_type=xlib().XInternAtom(display, b"WM_PROTOCOLS", 0))
            event.data[0] = xlib().XInternAtom(display, b"WM_DELETE_WINDOW", 0)
            xlib().XSendEvent(display, window, 0, 0, ctypes.byref(event))

    def clipboard_owner(self):
        """The window that owns the CLIPBOARD selection, 0 for none, asked of
        the X server: unlike reading the clipboard, this never waits on the
        owner."""
        with x_display(self.env["DISPLAY"]) as display:
            return xlib().XGetSelectionOwner(display, xlib().XInternAtom(display, b"CLIPBOARD", 0))

    def read_clipboard(self, target=None):
        completed = run(["xclip", "-o", "-selection", "clipboard"] +
                        (["-t", target] if target else []), self.env, check=False)
        return completed.stdout if completed.returncode == 0 else None

    def offer_clipboard(self, data, target="UTF8_STRING"):
        self._own_clipboard(["xclip", "-quiet", "-selection", "clipboard", "-t", target], data,
                            lambda errors: OWNING in read_file(errors))


class App:
    """One running tintbar on a Desktop, started in working_folder; wrapper
    is a command that execs the program, given as its last words."""

    def __init__(self, desktop, program, working_folder, arguments=(), wrapper=()):
        self.desktop = desktop
        self.stderr_path = desktop.path("tintbar-stderr-%d.txt" % time.monotonic_ns())
        with open(self.stderr_path, "wb") as errors:
            self.process = subprocess.Popen(desktop.command(list(wrapper) + [program] +
                                                            list(arguments)),
                                            cwd=working_folder,
                                            env=desktop.env, stdout=errors, stderr=errors)
        self.window = wait_for("the main window", self._find_window, desktop.timeout)

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

    def wait_for_dialog(self, what, timeout=None):
        """Waits until a menu or dialog shows; returns the first."""
        return wait_for(what, self.other_windows, timeout or self.desktop.timeout)[0]

    def close_dialog(self, dialog, key, what="the dialog"):
        """Presses key in dialog until no dialog is left: a slow program, a
        sanitized one most of all, may show a dialog before it reads keys."""
        deadline = time.monotonic() + self.desktop.timeout
        while True:
            self.key(key, window=dialog)
            try:
                return wait_for(what + " to close", lambda: not self.other_windows(), 2)
            except HarnessError:
                if time.monotonic() > deadline:
                    raise

    def errors(self):
        """What the program printed, less the toolkit's own debug lines,
        which a build without NDEBUG lets through."""
        text = read_file(self.stderr_path).decode(errors="replace")
        return re.sub(r"(?m)^\d\d:\d\d:\d\d: Debug: .*\n", "", text)

    def key(self, *keys, window=None):
        """Presses keys in the main window, or in window."""
        self.desktop.key(window or self.window, *keys)

    def choose_from_menu(self, keys, item_key):
        """Opens a menu with keys and, once it shows (where menus cannot be
        seen from outside, after a moment), chooses the item of item_key."""
        self.key(keys)
        if self.desktop.lists_popups:
            wait_for("the menu", self.other_windows)
        else:
            time.sleep(0.5)
        self.desktop.key(None, item_key)

    def move_mouse(self, x, y):
        """Moves the pointer to (x, y) of the client area, which lies at the
        bottom of the window, below the menu bar."""
        height = self.desktop.geometry(self.window)[3]
        scale = self.desktop.pointer_scale()
        self.desktop.move_pointer(self.window, device_pixel(x, scale), height -
                                  device_pixel(CLIENT_HEIGHT, scale) + device_pixel(y, scale))

    def click(self, x, y):
        """Clicks (x, y) of the client area."""
        self.move_mouse(x, y)
        self.desktop.click()

    def client_picture(self):
        return self.desktop.screenshot(self.window)

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
        self.key(*(keys or ("ctrl+c",)))
        return self.wait_for_copy("Copy to fill the clipboard")

    def wait_for_copy(self, what):
        """Waits until a Copy text is on the clipboard; returns it."""
        header = self.desktop.handed_over(COPY_HEADER)

        def copied():
            text = self.desktop.read_clipboard()
            return text if text and text.startswith(header) else None

        return wait_for(what, copied)

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
