"""Native Wayland desktops for the end-to-end tests.

A SwayDesktop is a headless sway with a fresh home folder, a harness.Desktop
reached through sway's IPC (swaymsg), wlinput (the virtual pointer and
keyboard built from wlinput/), grim for pictures and wl-clipboard for the
clipboard. Sway refuses to run as root, so run by root it and the program
run as the unprivileged user nobody; the tools that look on run as the
caller.

A WestonDesktop is a headless weston, where programs draw their own title
bars; it offers only pictures of the whole screen.
"""

import contextlib
import json
import os
import select
import shutil
import subprocess
import tempfile
import time

from harness import (DEFAULT_TIMEOUT, Desktop, HarnessError, Picture, read_picture, run,
                     wait_for)

UNPRIVILEGED = 65534  # nobody
# The program repeats a held key itself on Wayland: on a loaded machine a
# release that comes late would turn one Paste into two, so keys never repeat.
# Sway draws the pointer into the pictures that grim takes, so it hides the
# pointer a tenth of a second (its least time) after each move, as pictures
# on X11 never show it.
SWAY_CONFIG = """xwayland disable
output * bg #204060 solid_color
default_border none
default_floating_border none
focus_follows_mouse no
input type:keyboard repeat_delay 60000
seat * hide_cursor 100
"""
# Seconds for a program to take the keyboard focus that sway gives it.
FOCUS_TIME = 0.2
# The X11 names of the harness's clipboard targets, as Wayland's MIME types.
MIME_TYPES = {"UTF8_STRING": "text/plain;charset=utf-8", "STRING": "text/plain"}


def unprivileged(arguments):
    """arguments, run as nobody when the caller is root."""
    if os.geteuid() != 0:
        return list(arguments)
    return ["setpriv", "--reuid=%d" % UNPRIVILEGED, "--regid=%d" % UNPRIVILEGED,
            "--clear-groups"] + list(arguments)


@contextlib.contextmanager
def on_sway(program, wlinput):
    """For runs of program on headless sways: yields a copy of it that
    nobody may run (the build folder may lie where only its owner can
    reach) and a function that starts a SwayDesktop."""
    # The program may run as another user, who must reach its folders.
    os.umask(0o022)
    shared = tempfile.mkdtemp(prefix="tintbar-e2e-program-")
    try:
        os.chmod(shared, 0o755)
        copy = os.path.join(shared, os.path.basename(program))
        shutil.copy(program, copy)
        os.chmod(copy, 0o755)
        yield copy, lambda: SwayDesktop(os.path.abspath(wlinput))
    finally:
        shutil.rmtree(shared, ignore_errors=True)


class WaylandDesktop(Desktop):
    """A compositor run as the unprivileged user, with a fresh home of its
    own."""

    def __init__(self, prefix):
        super().__init__(prefix, UNPRIVILEGED if os.geteuid() == 0 else None)
        os.chmod(self.folder, 0o755)

    def command(self, arguments):
        return unprivileged(arguments)

    def _socket(self, prefix):
        if self.server.poll() is not None:
            raise HarnessError("the compositor ended: " +
                               open(self.path("server.log"), errors="replace").read())
        names = [name for name in os.listdir(self.path("runtime"))
                 if name.startswith(prefix) and not name.endswith(".lock")]
        return names[0] if names else None

    def _start(self, arguments, env):
        """Starts the compositor and waits until it is ready."""
        try:
            with open(self.path("server.log"), "wb") as log:
                self.server = subprocess.Popen(unprivileged(arguments), env=env, stdout=log,
                                               stderr=log)
            self.env["WAYLAND_DISPLAY"] = wait_for("the compositor's display",
                                                   lambda: self._socket("wayland-"))
            self._ready()
        except HarnessError:
            self.close()
            raise

    def _ready(self):
        pass


class WestonDesktop(WaylandDesktop):
    """A headless weston on a pure green screen, for one test."""

    def __init__(self):
        super().__init__("tintbar-e2e-weston-")
        with open(self.path("weston.ini"), "w") as out:
            out.write("[core]\nidle-time=0\n[shell]\nbackground-color=0xff00ff00\n"
                      "panel-position=none\n")
        self._start(["weston", "--backend=headless-backend.so", "--use-pixman", "--debug",
                     "--width=640", "--height=480", "--config=" + self.path("weston.ini")],
                    self.env)

    def screen(self):
        """weston-screenshooter, which --debug allows, writes the picture into
        the working folder."""
        folder = tempfile.mkdtemp(dir=self.folder)
        run(["weston-screenshooter"], self.env, cwd=folder)
        (name,) = os.listdir(folder)
        return read_picture(os.path.join(folder, name))


class SwayDesktop(WaylandDesktop):
    """A headless sway with a fresh home folder, for one test. Menus are
    popups, which sway's tree does not list; pictures show the layout's
    pixels, whatever the scale the program draws at."""

    def __init__(self, wlinput):
        super().__init__("tintbar-e2e-sway-")
        self.wlinput = wlinput
        # One wlinput, and so one pointer and keyboard, for the whole test.
        self._input_tool = None
        with open(self.path("sway.conf"), "w") as out:
            out.write(SWAY_CONFIG)
        self._start(["sway", "-c", self.path("sway.conf")],
                    dict(self.env, WLR_BACKENDS="headless", WLR_LIBINPUT_NO_DEVICES="1",
                         WLR_RENDERER="pixman"))

    def _ready(self):
        self.env["SWAYSOCK"] = self.path("runtime", wait_for(
            "sway's IPC socket", lambda: self._socket("sway-ipc.")))
        self._measure_output()

    def _measure_output(self):
        """The pointer's positions span the output's layout."""
        output = json.loads(self.swaymsg("-t", "get_outputs"))[0]["rect"]
        self.size = (output["width"], output["height"])

    def pointer_scale(self):
        """The pointer moves in the layout's pixels, whatever the scale."""
        return 1

    def set_scale(self, scale):
        """The output's scale; grim then takes pictures at it."""
        self.swaymsg("output", "*", "scale", str(scale))
        self.scale = scale
        self._measure_output()

    def swaymsg(self, *arguments):
        return run(["swaymsg"] + list(arguments), self.env).stdout.decode()

    def _windows(self):
        """sway's windows: the containers that belong to a process."""
        found, pending = [], [json.loads(self.swaymsg("-t", "get_tree"))]
        while pending:
            node = pending.pop()
            if node.get("pid"):
                found.append(node)
            pending += node.get("nodes", []) + node.get("floating_nodes", [])
        return found

    def _window(self, window):
        for node in self._windows():
            if node["id"] == window:
                return node
        raise HarnessError("no window %d" % window)

    def visible_windows(self, process):
        return [node["id"] for node in self._windows()
                if node["pid"] == process.pid and node.get("visible", True)]

    def window_name(self, window):
        return self._window(window).get("name")

    def geometry(self, window):
        rect = self._window(window)["rect"]
        return rect["x"], rect["y"], rect["width"], rect["height"]

    def screenshot(self, window):
        return Picture.from_ppm(run(["grim", "-g", "%d,%d %dx%d" % self.geometry(window), "-t",
                                     "ppm", "-"], self.env).stdout)

    def request_close(self, window):
        self.swaymsg("[con_id=%d]" % window, "kill")

    def focus(self, window):
        self.swaymsg("[con_id=%d]" % window, "focus")
        wait_for("the focus", lambda: self._window(window).get("focused"))
        # sway tells the program at once, but a loaded machine may run it
        # late; a key that comes before the program takes the focus is lost.
        time.sleep(FOCUS_TIME)

    def key(self, window, *keys):
        if window is not None:
            self.focus(window)
        self._input(sum((["key", key] for key in keys), []))

    def move_pointer(self, window, x, y):
        left, top, _, _ = self.geometry(window)
        self._input(["move", str(left + x), str(top + y)])

    def click(self):
        self._input(["click"])

    def _input(self, actions):
        """Hands actions to wlinput, started on first use, and waits until
        it has performed them."""
        if self._input_tool is None:
            self._input_tool = subprocess.Popen([self.wlinput], env=self.env,
                                                stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        tool = self._input_tool
        line = " ".join(["size", str(self.size[0]), str(self.size[1])] + actions) + "\n"
        try:
            tool.stdin.write(line.encode())
            tool.stdin.flush()
        except BrokenPipeError:
            raise HarnessError("wlinput ended (%s)" % tool.wait())
        ready, _, _ = select.select([tool.stdout], [], [], DEFAULT_TIMEOUT)
        if not ready or tool.stdout.readline() != b"done\n":
            raise HarnessError("wlinput did not perform: " + line.strip())

    def close(self):
        if self._input_tool is not None:
            self._input_tool.stdin.close()
            try:
                self._input_tool.wait(DEFAULT_TIMEOUT)
            except subprocess.TimeoutExpired:
                self._input_tool.kill()
                self._input_tool.wait()
        super().close()

    def clipboard_owner(self):
        """Tells the clipboard's owners apart by the types that each offers,
        which the compositor lists without moving the data."""
        return run(["wl-paste", "--list-types"], self.env, check=False).stdout

    def read_clipboard(self, target=None):
        completed = run(["wl-paste", "--no-newline"] + (["--type", target] if target else []),
                        self.env, check=False)
        return completed.stdout if completed.returncode == 0 else None

    def offer_clipboard(self, data, target="UTF8_STRING"):
        mime_type = MIME_TYPES.get(target, target)
        self._own_clipboard(["wl-copy", "--foreground", "--type", mime_type], data,
                            lambda _: mime_type in self.clipboard_owner().decode().splitlines())
