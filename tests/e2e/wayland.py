"""Native Wayland desktops for the end-to-end tests.

A SwayDesktop is a headless sway with a fresh home folder that stands in for
harness.Desktop: the same methods, reached through sway's IPC (swaymsg),
wlinput (the virtual pointer and keyboard built from wlinput/), grim for
pictures and wl-clipboard for the clipboard. Sway refuses to run as root, so
run by root it and the program run as the unprivileged user nobody; the
tools that look on run as the caller.

A WestonDesktop is a headless weston, where programs draw their own title
bars; it offers only pictures of the whole screen.
"""

import json
import os
import shutil
import subprocess
import tempfile
import time

from harness import DEFAULT_TIMEOUT, FreshFolder, HarnessError, run, wait_for

UNPRIVILEGED = 65534  # nobody
# The program repeats a held key itself on Wayland: on a loaded machine a
# release that comes late would turn one Paste into two, so keys never repeat.
SWAY_CONFIG = """xwayland disable
output * bg #204060 solid_color
default_border none
default_floating_border none
focus_follows_mouse no
input type:keyboard repeat_delay 60000
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


def shared_copy(program, folder):
    """A copy of program in folder that nobody may run: the build folder may
    lie where only its owner can reach."""
    copy = os.path.join(folder, os.path.basename(program))
    shutil.copy(program, copy)
    os.chmod(copy, 0o755)
    return copy


class FreshHome(FreshFolder):
    """A temporary folder with a fresh home for the unprivileged user."""

    # Pixels of a picture per pixel of the program's.
    scale = 1

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
        with open(self.path("server.log"), "wb") as log:
            self.server = subprocess.Popen(unprivileged(arguments), env=env, stdout=log,
                                           stderr=log)
        self.env["WAYLAND_DISPLAY"] = wait_for("the compositor's display",
                                               lambda: self._socket("wayland-"))


class WestonDesktop(FreshHome):
    """A headless weston on a pure green screen, for one test."""

    def __init__(self):
        super().__init__("tintbar-e2e-weston-")
        with open(self.path("weston.ini"), "w") as out:
            out.write("[core]\nidle-time=0\n[shell]\nbackground-color=0xff00ff00\n"
                      "panel-position=none\n")
        try:
            self._start(["weston", "--backend=headless-backend.so", "--use-pixman", "--debug",
                         "--width=640", "--height=480", "--config=" + self.path("weston.ini")],
                        self.env)
        except HarnessError:
            self.close()
            raise

    def screen(self):
        """A picture of the whole screen (weston-screenshooter, which --debug
        allows, writes it into the working folder)."""
        folder = tempfile.mkdtemp(dir=self.folder)
        subprocess.run(["weston-screenshooter"], env=self.env, cwd=folder, check=True,
                       capture_output=True, timeout=DEFAULT_TIMEOUT)
        (name,) = os.listdir(folder)
        return run(["convert", os.path.join(folder, name), "-depth", "8", "ppm:-"],
                   self.env).stdout


class SwayDesktop(FreshHome):
    """A headless sway with a fresh home folder, for one test."""

    # Menus are popups, which sway's tree does not list; pictures show the
    # layout's pixels, whatever the scale the program draws at.
    lists_popups = False
    shows_device_pixels = False

    def __init__(self, wlinput):
        super().__init__("tintbar-e2e-sway-")
        self.wlinput = wlinput
        with open(self.path("sway.conf"), "w") as out:
            out.write(SWAY_CONFIG)
        try:
            self._start(["sway", "-c", self.path("sway.conf")],
                        dict(self.env, WLR_BACKENDS="headless", WLR_LIBINPUT_NO_DEVICES="1",
                             WLR_RENDERER="pixman"))
            self.env["SWAYSOCK"] = self.path("runtime", wait_for(
                "sway's IPC socket", lambda: self._socket("sway-ipc.")))
            output = json.loads(self.swaymsg("-t", "get_outputs"))[0]["rect"]
        except HarnessError:
            self.close()
            raise
        self.size = (output["width"], output["height"])

    def pointer_scale(self):
        """The pointer moves in the layout's pixels, whatever the scale."""
        return 1

    def set_scale(self, scale):
        """Sets the output's scale; grim then takes pictures at it."""
        self.swaymsg("output", "*", "scale", str(scale))
        self.scale = scale
        # The pointer's positions span the output's layout, now smaller.
        output = json.loads(self.swaymsg("-t", "get_outputs"))[0]["rect"]
        self.size = (output["width"], output["height"])

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

    def size_hints(self, window):
        """None: Wayland shows no size hints to anyone but the compositor."""
        return None

    def geometry(self, window):
        rect = self._window(window)["rect"]
        return rect["x"], rect["y"], rect["width"], rect["height"]

    def screenshot(self, window, output="ppm:-"):
        x, y, width, height = self.geometry(window)
        picture = run(["grim", "-g", "%d,%d %dx%d" % (x, y, width, height), "-t", "ppm", "-"],
                      self.env).stdout
        if output == "ppm:-":
            return picture
        return run(["convert", "ppm:-", "-strip", output], self.env, stdin=picture).stdout

    def request_close(self, window):
        self.swaymsg("[con_id=%d]" % window, "kill")

    def xdotool(self, action, *arguments):
        """The xdotool commands that the tests use, given to sway and wlinput."""
        words = [str(word) for word in arguments if not str(word).startswith("--")]
        if action == "windowfocus":
            self.swaymsg("[con_id=%s]" % words[0], "focus")
            wait_for("the focus", lambda: self._window(int(words[0])).get("focused"))
            # sway tells the program at once, but a loaded machine may run it
            # late; a key that comes before the program takes the focus is lost.
            time.sleep(FOCUS_TIME)
        elif action == "key":
            self._input(sum((["key", key] for key in words), []))
        elif action == "mousemove":
            self._input(["move"] + words[:2] + (["click"] if words[2:] == ["click", "1"] else []))
        else:
            raise HarnessError("no Wayland stand-in for xdotool " + action)

    def _input(self, actions):
        run([self.wlinput, str(self.size[0]), str(self.size[1])] + actions, self.env)

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
        owner = subprocess.Popen(["wl-copy", "--foreground", "--type", mime_type], env=self.env,
                                 stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
        self._clipboard_owners.append(owner)
        owner.stdin.write(data)
        owner.stdin.close()
        wait_for("wl-copy to own the clipboard", lambda: mime_type in run(
            ["wl-paste", "--list-types"], self.env, check=False).stdout.decode().splitlines(),
            timeout=30)

