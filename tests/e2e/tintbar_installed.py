"""Starts the installed tintbar through its desktop entry, as a desktop's
menu does, on a private X server, and checks that the window shows the
shipped colour scheme.

Usage: tintbar_installed.py --entry DESKTOP_FILE --tintbar-css COMPANION --scheme CSS
                            [--screenshot OUT.png]

The entry is started with "gio launch", which honours its Exec and Path
fields as desktop launchers do. The expected picture is the preview that
the companion draws from CSS, the scheme the package should ship.
"""

import argparse
import ctypes
import os
import signal
import subprocess
import sys

import harness
from harness import App, HarnessError, X11Desktop, wait_for

PR_SET_CHILD_SUBREAPER = 36


class AdoptedProcess:
    """A program that a launcher started and left behind: as this process
    is a child subreaper, it becomes our child and its exit status ours to
    read. Offers what App needs of a subprocess.Popen."""

    def __init__(self, pid):
        self.pid = pid
        self.returncode = None

    def poll(self):
        if self.returncode is None:
            pid, status = os.waitpid(self.pid, os.WNOHANG)
            if pid:
                self.returncode = os.waitstatus_to_exitcode(status)
        return self.returncode

    def wait(self, timeout=harness.DEFAULT_TIMEOUT):
        try:
            wait_for("tintbar to end", lambda: self.poll() is not None, timeout)
        except HarnessError:
            raise subprocess.TimeoutExpired("tintbar", timeout)
        return self.returncode

    def kill(self):
        os.kill(self.pid, signal.SIGKILL)


def parent_of(pid):
    with open("/proc/%d/stat" % pid) as stat:
        return int(stat.read().rpartition(")")[2].split()[1])


class LaunchedApp(App):
    """The program as "gio launch" starts it from a desktop entry."""

    def __init__(self, desktop, entry):
        self.desktop = desktop
        self.stderr_path = desktop.path("launch-stderr.txt")
        with open(self.stderr_path, "wb") as errors:
            subprocess.run(["gio", "launch", entry], env=desktop.env, cwd=desktop.path("home"),
                           stdout=errors, stderr=errors, check=True,
                           timeout=harness.DEFAULT_TIMEOUT)
        self.window = wait_for("the main window", self._find_launched_window)
        pid = int(harness.run(["xdotool", "getwindowpid", str(self.window)],
                              desktop.env).stdout)
        if parent_of(pid) != os.getpid():
            raise HarnessError("the launched tintbar (%d) is not this process's child" % pid)
        self.process = AdoptedProcess(pid)
        self.working_folder = os.readlink("/proc/%d/cwd" % pid)
        self.program = os.readlink("/proc/%d/exe" % pid)

    def _find_launched_window(self):
        completed = harness.run(["xdotool", "search", "--onlyvisible", "--name",
                                 "^%s$" % harness.TITLE], self.desktop.env, check=False)
        windows = completed.stdout.split()
        return int(windows[0]) if len(windows) == 1 else None


def check_launch(options):
    with X11Desktop() as desktop:
        image = desktop.path("scheme.png")
        harness.run([options.tintbar_css, "--png", image, options.scheme], {})
        with LaunchedApp(desktop, options.entry) as app:
            print("started %s in %s" % (app.program, app.working_folder))
            app.wait_for_picture(harness.read_picture(image))
            if options.screenshot:
                desktop.screenshot(app.window).save(options.screenshot)
            status = app.close()
            if status != 0:
                raise HarnessError("exit status %d: %s" % (status, app.errors()))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--entry", required=True)
    parser.add_argument("--tintbar-css", required=True)
    parser.add_argument("--scheme", required=True)
    parser.add_argument("--screenshot", metavar="PNG", help="where to keep the window's picture")
    options = parser.parse_args()
    libc = ctypes.CDLL(None, use_errno=True)
    if libc.prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0) != 0:
        raise OSError(ctypes.get_errno(), "cannot become a child subreaper")
    return 0 if harness.run_case("the start through the desktop entry on the shipped scheme",
                                 check_launch, options) else 1


if __name__ == "__main__":
    sys.exit(main())
