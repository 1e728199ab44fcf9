"""Drives the real Tintbar program on a private X server, as a person would.

A Desktop starts Xvfb on a free display with a fresh home folder; an App is
one running program on it, reached only through the window system: xdotool
for the keyboard and the mouse, xclip for the clipboard, xprop and xwininfo
for the window, import for screenshots. Every wait polls for what it expects
and fails after a timeout.
"""

import ctypes
import ctypes.util
import os
import shutil
import struct
import subprocess
import tempfile
import time
import zlib

CLIENT_WIDTH = 180
CLIENT_HEIGHT = 240
TITLE = "Hueline"
# Where the status-strip label is drawn: from (2, 220) to the strip's end
# at the vertical bar and the bottom of the window.
LABEL_AREA = (2, 220, 163, 240)
STRIP_GREY = (0xD9, 0xD9, 0xD9)

DEFAULT_TIMEOUT = 10.0
POLL_INTERVAL = 0.05


class HarnessError(AssertionError):
    pass


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


class Picture:
    """An RGB picture, three bytes a pixel, rows top to bottom."""

    def __init__(self, width, height, rgb):
        if len(rgb) != width * height * 3:
            raise HarnessError("picture data does not match %dx%d" % (width, height))
        self.width = width
        self.height = height
        self.rgb = bytes(rgb)

    def pixel(self, x, y):
        offset = (y * self.width + x) * 3
        return tuple(self.rgb[offset:offset + 3])

    def crop(self, left, top, width, height):
        rows = []
        for y in range(top, top + height):
            start = (y * self.width + left) * 3
            rows.append(self.rgb[start:start + width * 3])
        return Picture(width, height, b"".join(rows))

    def differences(self, other, masked=None):
        """The pixels (x, y) where the pictures differ, outside masked,
        a (left, top, right, bottom) rectangle."""
        if (self.width, self.height) != (other.width, other.height):
            raise HarnessError("sizes differ: %dx%d and %dx%d" %
                               (self.width, self.height, other.width, other.height))
        found = []
        for y in range(self.height):
            for x in range(self.width):
                if masked and masked[0] <= x < masked[2] and masked[1] <= y < masked[3]:
                    continue
                if self.pixel(x, y) != other.pixel(x, y):
                    found.append((x, y))
        return found

    def write_png(self, path):
        raw = b"".join(b"\0" + self.rgb[y * self.width * 3:(y + 1) * self.width * 3]
                       for y in range(self.height))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                      chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def read_png(path):
    """Decodes a non-interlaced 8-bit RGB or RGBA PNG (alpha dropped)."""
    with open(path, "rb") as source:
        data = source.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise HarnessError(path + " is not a PNG file")
    position = 8
    compressed = b""
    while position < len(data):
        length, kind = struct.unpack(">I4s", data[position:position + 8])
        body = data[position + 8:position + 8 + length]
        if kind == b"IHDR":
            width, height, depth, color_type, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            compressed += body
        position += 12 + length
    channels = {2: 3, 6: 4}.get(color_type)
    if depth != 8 or channels is None or interlace:
        raise HarnessError("unsupported PNG layout in " + path)
    raw = zlib.decompress(compressed)
    stride = width * channels
    rows = []
    previous = bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind = raw[start]
        row = bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = row[i - channels] if i >= channels else 0
            up = previous[i]
            up_left = previous[i - channels] if i >= channels else 0
            if kind == 1:
                row[i] = (row[i] + left) & 0xFF
            elif kind == 2:
                row[i] = (row[i] + up) & 0xFF
            elif kind == 3:
                row[i] = (row[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                estimate = left + up - up_left
                distances = (abs(estimate - left), abs(estimate - up), abs(estimate - up_left))
                nearest = (left, up, up_left)[distances.index(min(distances))]
                row[i] = (row[i] + nearest) & 0xFF
        rows.append(bytes(row))
        previous = row
    pixels = b"".join(rows)
    if channels == 4:
        pixels = b"".join(pixels[i:i + 3] for i in range(0, len(pixels), 4))
    return Picture(width, height, pixels)


def run(arguments, env, timeout=DEFAULT_TIMEOUT, stdin=None, check=True):
    completed = subprocess.run(arguments, env=env, input=stdin, capture_output=True,
                               timeout=timeout)
    if check and completed.returncode != 0:
        raise HarnessError("%s failed (%d): %s" % (arguments[0], completed.returncode,
                                                   completed.stderr.decode(errors="replace")))
    return completed


class _ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class _Event(ctypes.Union):
    _fields_ = [("client", _ClientMessage), ("pad", ctypes.c_long * 24)]


def send_delete_window(display_name, window):
    """Asks a window to close, as a window manager's close box does: the
    WM_DELETE_WINDOW message of the ICCCM."""
    xlib = ctypes.CDLL(ctypes.util.find_library("X11"))
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                ctypes.POINTER(_Event)]
    xlib.XFlush.argtypes = [ctypes.c_void_p]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = xlib.XOpenDisplay(display_name.encode())
    if not display:
        raise HarnessError("cannot open display " + display_name)
    client_message = 33
    event = _Event()
    event.client.type = client_message
    event.client.window = window
    event.client.message_type = xlib.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.client.format = 32
    event.client.data[0] = xlib.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    xlib.XSendEvent(display, window, 0, 0, ctypes.byref(event))
    xlib.XFlush(display)
    xlib.XCloseDisplay(display)


class Desktop:
    """A private X server with a fresh home folder, for one test."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="tintbar-e2e-")
        self.env = self._make_environment()
        self._clipboard_owners = []
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

    def _make_environment(self):
        env = {key: value for key, value in os.environ.items()
               if not key.startswith(("XDG_", "GTK_", "GDK_", "DBUS_", "WAYLAND_"))}
        env.pop("DISPLAY", None)
        for name in ("home", "config", "cache", "data", "runtime"):
            os.makedirs(os.path.join(self.folder, name), mode=0o700)
        env.update({
            "HOME": os.path.join(self.folder, "home"),
            "XDG_CONFIG_HOME": os.path.join(self.folder, "config"),
            "XDG_CACHE_HOME": os.path.join(self.folder, "cache"),
            "XDG_DATA_HOME": os.path.join(self.folder, "data"),
            "XDG_RUNTIME_DIR": os.path.join(self.folder, "runtime"),
            "NO_AT_BRIDGE": "1",
            "LANG": "C.UTF-8",
            "LC_ALL": "C.UTF-8",
        })
        return env

    def path(self, *parts):
        return os.path.join(self.folder, *parts)

    def xdotool(self, *arguments, check=True):
        return run(["xdotool"] + [str(a) for a in arguments], self.env, check=check)

    def visible_windows(self, process):
        """The mapped windows of a process, found by their _NET_WM_PID."""
        completed = self.xdotool("search", "--onlyvisible", "--pid", process.pid, check=False)
        return [int(w) for w in completed.stdout.split()]

    def window_name(self, window):
        """The window's title as the desktop shows it (_NET_WM_NAME)."""
        output = run(["xprop", "-id", str(window), "_NET_WM_NAME"], self.env).stdout.decode()
        _, found, value = output.partition(" = ")
        return value.strip().strip('"') if found else None

    def geometry(self, window):
        """(x, y, width, height) of a window on the screen."""
        output = run(["xwininfo", "-id", str(window)], self.env).stdout.decode()
        fields = {}
        for line in output.splitlines():
            key, _, value = line.strip().partition(":")
            fields[key] = value.strip()
        return (int(fields["Absolute upper-left X"]), int(fields["Absolute upper-left Y"]),
                int(fields["Width"]), int(fields["Height"]))

    def size_hints(self, window):
        """The WM_NORMAL_HINTS of a window, as xprop prints them."""
        output = run(["xprop", "-id", str(window), "WM_NORMAL_HINTS"], self.env).stdout.decode()
        hints = {}
        for line in output.splitlines()[1:]:
            key, _, value = line.strip().partition(":")
            hints[key.strip()] = value.strip()
        return hints

    def screenshot(self, window):
        _, _, width, height = self.geometry(window)
        rgb = run(["import", "-silent", "-window", str(window), "-depth", "8", "rgb:-"],
                  self.env).stdout
        return Picture(width, height, rgb)

    def read_clipboard(self, target=None):
        """The clipboard's text as bytes, or None when nothing offers it."""
        arguments = ["xclip", "-o", "-selection", "clipboard"]
        if target:
            arguments += ["-t", target]
        completed = run(arguments, self.env, check=False)
        return completed.stdout if completed.returncode == 0 else None

    def offer_clipboard(self, data, target="UTF8_STRING"):
        """Makes xclip own the clipboard with data under target, and waits
        until the clipboard answers with it."""
        owner = subprocess.Popen(
            ["xclip", "-quiet", "-selection", "clipboard", "-t", target, "-i"],
            env=self.env, stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        self._clipboard_owners.append(owner)
        owner.stdin.write(data)
        owner.stdin.close()
        wait_for("xclip to own the clipboard",
                 lambda: (self.read_clipboard("TARGETS") or b"").find(target.encode()) >= 0,
                 timeout=30)

    def close(self):
        for owner in self._clipboard_owners:
            if owner.poll() is None:
                owner.kill()
            owner.wait()
        if self.server.poll() is None:
            self.server.terminate()
            self.server.wait()
        shutil.rmtree(self.folder, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()


class App:
    """One running tintbar on a Desktop, started in working_folder."""

    def __init__(self, desktop, program, working_folder, arguments=()):
        self.desktop = desktop
        self.stderr_path = desktop.path("tintbar-stderr-%d.txt" % time.monotonic_ns())
        with open(self.stderr_path, "wb") as errors:
            self.process = subprocess.Popen([program] + list(arguments), cwd=working_folder,
                                            env=desktop.env, stdout=errors, stderr=errors)
        self.window = wait_for("the main window", self._find_window)
        self.focus()

    def _find_window(self):
        if self.process.poll() is not None:
            raise HarnessError("tintbar ended early (%d): %s" %
                               (self.process.returncode, self.errors()))
        windows = [w for w in self.desktop.visible_windows(self.process)
                   if self.desktop.window_name(w) == TITLE]
        return windows[0] if len(windows) == 1 else None

    def other_windows(self):
        """The program's visible windows besides the main window: menus and
        dialogs."""
        return [w for w in self.desktop.visible_windows(self.process) if w != self.window]

    def window_named(self, title):
        found = [w for w in self.other_windows() if self.desktop.window_name(w) == title]
        return found[0] if found else None

    def errors(self):
        with open(self.stderr_path, "rb") as errors:
            return errors.read().decode(errors="replace")

    def focus(self, window=None):
        self.desktop.xdotool("windowfocus", "--sync", window or self.window)

    def key(self, *keys):
        self.focus()
        self.desktop.xdotool("key", "--clearmodifiers", *keys)

    def client_origin(self):
        """Screen position of the 180 x 240 client area: the bottom of the
        window, below the menu bar."""
        x, y, _, height = self.desktop.geometry(self.window)
        return x, y + height - CLIENT_HEIGHT

    def click(self, x, y):
        left, top = self.client_origin()
        self.desktop.xdotool("mousemove", "--sync", left + x, top + y, "click", "1")

    def move_mouse(self, x, y):
        left, top = self.client_origin()
        self.desktop.xdotool("mousemove", "--sync", left + x, top + y)

    def client_picture(self):
        picture = self.desktop.screenshot(self.window)
        return picture.crop(0, picture.height - CLIENT_HEIGHT, CLIENT_WIDTH, CLIENT_HEIGHT)

    def wait_for_picture(self, expected, timeout=DEFAULT_TIMEOUT):
        """Waits until the client area shows expected, the label aside."""
        last = []

        def matches():
            picture = self.client_picture()
            last[:] = [picture]
            return not picture.differences(expected, masked=LABEL_AREA)

        try:
            wait_for("the window to show the expected picture", matches, timeout)
        except HarnessError:
            wrong = last[0].differences(expected, masked=LABEL_AREA)
            x, y = wrong[0]
            raise HarnessError("%d pixels differ, first at (%d, %d): %s, expected %s" %
                               (len(wrong), x, y, last[0].pixel(x, y), expected.pixel(x, y)))
        return last[0]

    def copy(self, keys="ctrl+c", timeout=DEFAULT_TIMEOUT):
        """Presses the Copy keys and returns what lands on the clipboard."""
        self.desktop.offer_clipboard(b"\x01not yet copied")
        self.key(keys)
        return wait_for("Copy to fill the clipboard",
                        lambda: (lambda text: text if text and text != b"\x01not yet copied"
                                 else None)(self.desktop.read_clipboard()), timeout)

    def responding(self):
        """True when the program still answers: a Copy reaches the clipboard."""
        return bool(self.copy()) and self.process.poll() is None

    def close(self, timeout=DEFAULT_TIMEOUT):
        """Closes the window as its close box does and waits for the program
        to end; returns its exit status."""
        if self.process.poll() is None:
            send_delete_window(self.desktop.env["DISPLAY"], self.window)
            try:
                self.process.wait(timeout)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
                raise HarnessError("tintbar did not end when its window was closed")
        return self.process.returncode

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
