"""End-to-end tests of the Windows installer under Wine, in a fresh Wine
prefix of their own.

Usage: tintbar_installer_windows.py --setup SETUP.EXE --shipped FOLDER
           --winpeer WINPEER.EXE --locale LOCALE [--locale LOCALE]

FOLDER is the portable zip's folder, whose files the installer must put in
place unchanged; the product's name, version and publisher are those that
the build defines. Under each locale the steps
run in order on one X server and one wineserver, each building on the one
before: a silent installation with its files, shortcut and Uninstall entry;
the program started as its shortcut starts it; installing again over it;
what a running program or a folder that cannot be written does; an
installation into a folder named in Japanese with spaces, which moves the
installation there; uninstalling; and a default.css that the user edited.
Every step that uninstalls checks that nothing of the program is left
behind. The installer and uninstaller are started with the exact command
line that a package manager would use (winpeer.exe run).
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

import harness
from harness import App, run_case, wait_for
from tintbar_e2e import close_cleanly, expect, expect_equal
from tintbar_e2e_windows import WINE_TIMEOUT, Context, WineDesktop, windows_path
from tintbar_other_programs_windows import run_command_line

UNINSTALL_KEY = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
PRODUCT = harness.identity()
ENTRY = UNINSTALL_KEY + "\\" + PRODUCT.name
SHIPPED_FILES = ("ReadMe.txt", "default.css", "tintbar-css.exe", "tintbar.exe")
INSTALLED_FILES = sorted(SHIPPED_FILES + ("uninstall.exe",))
# Exit codes of the installer and the uninstaller.
WORKED, STOPPED = 0, 2
# A folder with Japanese characters and spaces, below the user's profile.
JAPANESE_PARENT = "配色 ツール"
JAPANESE_FOLDER = JAPANESE_PARENT + "\\Tintbar 本体"
EDITED_LINE = b"\r\n/* my own colours */\r\n"


class InstallerDesktop(WineDesktop):
    """A WineDesktop on the tests' own prefix. Wine's menu builder, which
    would mirror shortcuts into the Linux desktop's menus, stays off."""

    def __init__(self, locale, prefix):
        super().__init__(locale)
        self.env.update(WINEPREFIX=prefix, WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")


class Prefix:
    """Paths in a Wine prefix, in both spellings."""

    def __init__(self, folder):
        self.folder = folder
        users = set(os.listdir(os.path.join(folder, "drive_c", "users"))) - {"Public"}
        expect(len(users) == 1, "one user profile in the prefix: %s" % sorted(users))
        self.profile = "C:\\users\\" + users.pop()
        self.default_folder = self.profile + "\\AppData\\Local\\Programs\\" + PRODUCT.name
        self.shortcut = (self.profile + "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu"
                         "\\Programs\\%s.lnk" % PRODUCT.name)
        # Where the uninstaller's copies run from.
        self.temporary = (self.profile + "\\Temp", self.profile + "\\AppData\\Local\\Temp")

    @staticmethod
    def relative(path):
        """A path on drive C: as files() names it."""
        expect(path[:3].upper() == "C:\\", "%s is on drive C:" % path)
        return path[3:].replace("\\", "/")

    def unix(self, path):
        return os.path.join(self.folder, "drive_c", self.relative(path))

    def files(self):
        """Every file and folder on drive C: but the temporary ones."""
        top = os.path.join(self.folder, "drive_c")
        temporary = [self.unix(folder) for folder in self.temporary]
        found = set()
        for folder, folders, names in os.walk(top):
            if folder in temporary:
                folders.clear()
                continue
            found.update(os.path.relpath(os.path.join(folder, name), top) for name in folders + names)
        return found


def unescape(text):
    return text.replace('\\"', '"').replace("\\\\", "\\")


def read_registry(desktop, key):
    """The values of a key and its subkeys, {subkey: {name: value}}, read
    through "reg export", which writes every character of every name: REG_SZ
    as text, REG_DWORD as a number. {} when the key does not exist."""
    exported = desktop.path("export.reg")
    if desktop.wine(["reg", "export", key, windows_path(exported), "/y"],
                    check=False).returncode != 0:
        return {}
    with open(exported, encoding="utf-16") as stream:
        lines = stream.read().splitlines()
    keys, values = {}, None
    for line in lines:
        if line.startswith("["):
            values = keys.setdefault(line[1:-1], {})
        elif line.startswith('"'):
            name, _, value = line[1:].partition('"=')
            if value.startswith("dword:"):
                values[unescape(name)] = int(value[6:], 16)
            else:
                values[unescape(name)] = unescape(value[1:-1])
    return keys


class Installation:
    """What one locale's steps share: the desktop, the prefix, the files of
    the build and the state before anything was installed."""

    def __init__(self, options, desktop, prefix):
        self.desktop = desktop
        self.prefix = prefix
        self.setup = windows_path(options.setup)
        self.shipped = options.shipped
        self.winpeer = options.winpeer
        self.files_before = prefix.files()

    def run(self, command_line):
        return run_command_line(self.desktop, self.winpeer, command_line)

    def install(self, folder=None):
        """Runs the installer silently, into folder when given; /D= comes
        last and unquoted. Returns the exit code."""
        return self.run('"%s" /S' % self.setup + (" /D=" + folder if folder else ""))

    def uninstall(self):
        """Runs what the entry gives as the quiet uninstallation. When it
        worked, waits for the copy of the uninstaller that it leaves to remove
        uninstall.exe and the folder, as it does once the uninstaller has
        ended. Returns the exit code."""
        entry = self.entry()
        code = self.run(entry["QuietUninstallString"])
        if code == WORKED:
            self.wait_for_folder_cleared(entry["InstallLocation"])
        return code

    def wait_for_folder_cleared(self, folder):
        """Waits until folder is gone, or holds only what was kept."""
        unix_folder = self.prefix.unix(folder)

        def cleared():
            left = os.listdir(unix_folder) if os.path.exists(unix_folder) else None
            return left is None or (left and "uninstall.exe" not in left)

        wait_for("the uninstallation to clear " + folder, cleared, WINE_TIMEOUT)

    def entries(self):
        """The Uninstall entries of the product, {key: {name: value}}."""
        return {key: values for key, values in read_registry(self.desktop, UNINSTALL_KEY).items()
                if values.get("DisplayName") == PRODUCT.product_name}

    def entry(self):
        entries = self.entries()
        expect_equal(list(entries), [ENTRY], "the product's Uninstall entries")
        return entries[ENTRY]

    def read_shortcut(self):
        """The target, the working folder and the icon ("file,index") of the
        Start menu shortcut, as the shell reads them."""
        return tuple(self.desktop.wine([self.winpeer, "shortcut", self.prefix.shortcut])
                     .stdout.decode().splitlines())

    def installed(self, path):
        return harness.read_file(self.prefix.unix(path))

    def expect_installed(self, folder, default_css=None):
        """The files in folder, the shortcut and the entry, each value of it."""
        unix_folder = self.prefix.unix(folder)
        expect_equal(sorted(os.listdir(unix_folder)), INSTALLED_FILES, "the files in " + folder)
        for name in SHIPPED_FILES:
            shipped = harness.read_file(os.path.join(self.shipped, name))
            if name == "default.css" and default_css is not None:
                shipped = default_css
            expect(harness.read_file(os.path.join(unix_folder, name)) == shipped,
                   "%s\\%s is the one expected" % (folder, name))
        program = folder + "\\tintbar.exe"
        expect_equal(self.read_shortcut(), (program, folder, program + ",0"),
                     "the shortcut's target, folder and icon")
        values = self.entry()
        size = sum(os.path.getsize(os.path.join(unix_folder, name)) for name in INSTALLED_FILES)
        expect(abs(values.pop("EstimatedSize", -99) - size / 1024) < len(INSTALLED_FILES),
               "EstimatedSize in KB of %d bytes" % size)
        expect(values.pop("SchemeFingerprint", ""), "the fingerprint of the installed default.css")
        uninstaller = '"%s\\uninstall.exe"' % folder
        expect_equal(values, {
            "DisplayName": PRODUCT.product_name, "DisplayVersion": PRODUCT.version,
            "Publisher": PRODUCT.publisher,
            "DisplayIcon": program, "InstallLocation": folder, "UninstallString": uninstaller,
            "QuietUninstallString": uninstaller + " /S _?=" + folder, "NoModify": 1, "NoRepair": 1,
        }, "the Uninstall entry")

    def expect_nothing_left(self, but=()):
        """No file of the program, shortcut or entry: drive C: holds what it
        held before the first installation (but the files named, and the
        folder of per-user programs, which other programs share), and the
        user's registry names the program nowhere."""
        shared = self.prefix.relative(self.prefix.default_folder.rpartition("\\")[0])
        expect_equal(sorted(self.prefix.files() - self.files_before - {shared}), sorted(but),
                     "what is left on drive C:")
        exported = read_registry(self.desktop, "HKEY_CURRENT_USER")
        mentions = [key for key, values in exported.items()
                    if PRODUCT.name.lower() in (key + repr(values)).lower()]
        expect_equal(mentions, [], "registry keys that name the program")

    def start_from_shortcut(self):
        """Starts the program as the shortcut says: its target in its folder."""
        target, folder, _ = self.read_shortcut()
        return App(self.desktop, target, self.prefix.unix(folder))

    def shipped_picture(self):
        """The preview of the installed default.css, drawn by the installed
        tintbar-css.exe."""
        folder = self.prefix.default_folder
        context = Context(None, folder + "\\tintbar-css.exe", None)
        return context.picture(self.desktop, self.installed(folder + "\\default.css"))

    def reset(self):
        """Removes what a failed step may have left, for the next locale."""
        for folder in (self.prefix.default_folder, self.prefix.profile + "\\" + JAPANESE_PARENT,
                       self.prefix.profile + "\\Locked"):
            subprocess.run(["chattr", "-R", "-i", self.prefix.unix(folder)], capture_output=True)
            shutil.rmtree(self.prefix.unix(folder), ignore_errors=True)
        if os.path.exists(self.prefix.unix(self.prefix.shortcut)):
            os.remove(self.prefix.unix(self.prefix.shortcut))
        self.desktop.wine(["reg", "delete", ENTRY, "/f"], check=False)


def step_install(installation):
    """A silent installation puts the files, the shortcut and the entry in place."""
    expect_equal(installation.install(), WORKED, "exit code of the installation")
    installation.expect_installed(installation.prefix.default_folder)


def step_start(installation):
    """The program started as the shortcut starts it shows the shipped scheme."""
    with installation.start_from_shortcut() as app:
        app.wait_for_picture(installation.shipped_picture())
        close_cleanly(app)


def step_install_again(installation):
    """Installing the same version again replaces the files in place and
    leaves one entry."""
    folder = installation.prefix.unix(installation.prefix.default_folder)
    os.remove(os.path.join(folder, "tintbar-css.exe"))
    expect_equal(installation.install(), WORKED, "exit code of the second installation")
    installation.expect_installed(installation.prefix.default_folder)


def expect_unchanged(installation, what):
    """Runs what(); it must stop with its exit code and change nothing."""
    drive = os.path.join(installation.prefix.folder, "drive_c")
    before = {path: harness.read_file(os.path.join(drive, path))
              for path in installation.prefix.files() - installation.files_before
              if os.path.isfile(os.path.join(drive, path))}
    entry = installation.entry()
    expect_equal(what(), STOPPED, "exit code")
    installation.expect_installed(installation.prefix.default_folder)
    expect_equal(installation.entry(), entry, "the entry")
    expect_equal([path for path, data in before.items()
                  if harness.read_file(os.path.join(drive, path)) != data], [], "files changed")


def step_program_running(installation):
    """While the program runs, uninstalling and installing again stop before
    they change anything, and say so in their exit code; the program goes
    on running."""
    shipped = installation.shipped_picture()
    with installation.start_from_shortcut() as app:
        app.wait_for_picture(shipped)
        expect_unchanged(installation, installation.uninstall)
        expect_unchanged(installation, installation.install)
        app.wait_for_picture(shipped)
        close_cleanly(app)


def step_folder_not_writable(installation):
    """An install folder that cannot be written stops installing and
    uninstalling before anything changes; so does a new folder that cannot
    be made, without leaving an entry or a folder."""
    folder = installation.prefix.unix(installation.prefix.default_folder)
    locked = installation.prefix.profile + "\\Locked"
    os.makedirs(installation.prefix.unix(locked))
    # Immutable even for root, which the tests run as.
    subprocess.run(["chattr", "+i", folder, installation.prefix.unix(locked)], check=True)
    try:
        expect_unchanged(installation, installation.install)
        expect_unchanged(installation, installation.uninstall)
        expect_unchanged(installation, lambda: installation.install(locked + "\\" + PRODUCT.name))
    finally:
        subprocess.run(["chattr", "-i", folder, installation.prefix.unix(locked)], check=True)
    os.rmdir(installation.prefix.unix(locked))


def step_japanese_folder(installation):
    """Installing into a folder named in Japanese with spaces moves the
    installation there: the earlier folder is gone, one entry names the new
    one, and the program started from the shortcut finds its scheme there.
    Uninstalling it then leaves nothing."""
    folder = installation.prefix.profile + "\\" + JAPANESE_FOLDER
    expect_equal(installation.install(folder), WORKED, "exit code of the installation")
    installation.expect_installed(folder)
    installation.wait_for_folder_cleared(installation.prefix.default_folder)
    expect(not os.path.exists(installation.prefix.unix(installation.prefix.default_folder)),
           "the earlier folder is removed")
    expect_equal(installation.uninstall(), WORKED, "exit code of the uninstallation")
    # The folder above the install folder, which the installation made, is
    # left as uninstallers leave it: it may have been there before.
    parent = installation.prefix.profile + "\\" + JAPANESE_PARENT
    installation.expect_nothing_left(but=[installation.prefix.relative(parent)])
    os.rmdir(installation.prefix.unix(parent))


def step_edited_scheme(installation):
    """A default.css that the user edited survives installing again and
    uninstalling, which removes everything else, silently."""
    folder = installation.prefix.default_folder
    expect_equal(installation.install(), WORKED, "exit code of the installation")
    scheme = installation.prefix.unix(folder + "\\default.css")
    with open(scheme, "ab") as out:
        out.write(EDITED_LINE)
    edited = harness.read_file(scheme)
    expect_equal(installation.install(), WORKED, "exit code of the installation over the edit")
    installation.expect_installed(folder, default_css=edited)
    # A message box would keep the silent uninstallation from ending.
    expect_equal(installation.uninstall(), WORKED, "exit code of the uninstallation")
    unix_folder = installation.prefix.unix(folder)
    expect_equal(os.listdir(unix_folder), ["default.css"], "what the uninstallation kept")
    expect(harness.read_file(scheme) == edited, "the edited default.css is kept as it was")
    installation.expect_nothing_left(but=[installation.prefix.relative(path)
                                          for path in (folder, folder + "\\default.css")])
    shutil.rmtree(unix_folder)


def step_uninstall(installation):
    """Uninstalled as Settings > Apps does it (UninstallString, here with
    /S), through a copy of the uninstaller that it does not wait for,
    nothing of the program is left either."""
    expect_equal(installation.install(), WORKED, "exit code of the installation")
    expect_equal(installation.run(installation.entry()["UninstallString"] + " /S"), WORKED,
                 "exit code of the uninstaller's start")
    wait_for("the uninstallation to finish", lambda: not installation.entries(), WINE_TIMEOUT)
    installation.wait_for_folder_cleared(installation.prefix.default_folder)
    installation.expect_nothing_left()


STEPS = (step_install, step_start, step_install_again, step_program_running,
         step_folder_not_writable, step_japanese_folder, step_edited_scheme, step_uninstall)


def make_prefix(folder, locale):
    env = dict(os.environ, WINEPREFIX=folder, LANG=locale, LC_ALL=locale, WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
    env.pop("DISPLAY", None)
    subprocess.run(["wineboot", "--init"], env=env, capture_output=True, check=True, timeout=300)
    subprocess.run(["wineserver", "-w"], env=env, check=True, timeout=300)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for file in ("--setup", "--shipped", "--winpeer"):
        parser.add_argument(file, required=True, type=os.path.abspath)
    parser.add_argument("--locale", action="append", required=True)
    options = parser.parse_args()
    started = time.monotonic()
    passed = True
    with tempfile.TemporaryDirectory(prefix="tintbar-installer-") as folder:
        make_prefix(folder, options.locale[0])
        print("The fresh Wine prefix took %.1f s" % (time.monotonic() - started))
        prefix = Prefix(folder)
        for locale in options.locale:
            with InstallerDesktop(locale, folder) as desktop:
                installation = Installation(options, desktop, prefix)
                for step in STEPS:
                    if not run_case("%s under %s" % (step.__name__[5:], locale), step,
                                    installation):
                        passed = False
                        # The later steps build on this one.
                        installation.reset()
                        break
    print("The installer tests took %.1f s" % (time.monotonic() - started))
    return 0 if passed else 1


if __name__ == "__main__":
    sys.exit(main())
