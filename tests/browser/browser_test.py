"""Renders the page of tintbar-css --html, whose one style sheet is
Tintbar's CSS for current browsers, in headless Chromium, Firefox ESR and
WebKitGTK, and compares the screenshots with the preview, pixel by pixel.

Usage: browser_test.py --tintbar-css COMPANION [--picture OUT.png]

For each colour scheme, tintbar-css --html gives a page larger than its
viewport with a scrolling box at a fixed place, and tintbar-css --png the
preview picture, whose vertical bar holds the classic 17 x 17 buttons at
scale 1 and whose horizontal bar holds them at scale 3. Chromium and WebKitGTK
must draw the page's two scrollbars with those very buttons, a track in the
track colour and one thumb bevelled like a button; Firefox, which draws no
page scrollbars when headless, must colour the thumb and the track of the
scrolling box with the face and track colours. WebKitGTK runs its MiniBrowser
full-screen on a virtual display of the viewport's size, with classic (not
overlay) scrollbars. --picture also writes the Chromium page of the first
scheme beside its preview, for the README.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from harness import HarnessError, Picture, wait_for  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
BROWSER_TIMEOUT = 120

# The classic bar and its place in the preview picture: the vertical bar at
# scale 1 down the right edge, the horizontal bar at scale 3 across the top.
BAR = 17
PREVIEW_WIDTH, PREVIEW_HEIGHT = 180, 240
HORIZONTAL_SCALE = 3

# The viewport: as tall as the preview, so that the README shows them side by
# side; the page is larger both ways, so both page scrollbars show.
WIDTH, HEIGHT = 360, 240
# The page's scrolling box: left, top, width, height.
BOX = (24, 104, 200, 100)
MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"

# Colour list order: track, face, shadow, darkshadow, highlight, 3dlight,
# arrow.
PROPERTIES = ("track", "face", "shadow", "darkshadow", "highlight", "3dlight", "arrow")
SCHEMES = {
    "shipped default.css": None,
    "classic grey": ("#e0e0e0", "#c0c0c0", "#808080", "#000000", "#ffffff", "#dfdfdf",
                     "#000000"),
    "seven far apart": ("#ffff00", "#0000ff", "#ff0000", "#00ff00", "#ff00ff", "#00ffff",
                        "#000000"),
}

CHROMIUM_FLAGS = ["--no-sandbox", "--headless", "--disable-gpu", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update",
                  "--disable-sync", "--force-device-scale-factor=1", "--hide-crash-restore-bubble"]
# A fresh Firefox profile that stays off the network and draws at scale 1.
FIREFOX_PREFS = {
    "layout.css.devPixelsPerPx": '"1.0"',
    "app.update.auto": "false",
    "app.normandy.enabled": "false",
    "browser.shell.checkDefaultBrowser": "false",
    "browser.safebrowsing.update.enabled": "false",
    "datareporting.policy.dataSubmissionEnabled": "false",
    "extensions.update.enabled": "false",
    "network.captive-portal-service.enabled": "false",
    "network.connectivity-service.enabled": "false",
    "toolkit.telemetry.enabled": "false",
}


class Failure(AssertionError):
    pass


def rgb(text):
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


def run(arguments, env=None, stdin=None, timeout=30, check=True):
    completed = subprocess.run(arguments, input=stdin, capture_output=True, env=env,
                               timeout=timeout)
    if check and completed.returncode != 0:
        raise Failure("%s failed (%d): %s" % (os.path.basename(arguments[0]),
                                              completed.returncode,
                                              completed.stderr.decode(errors="replace")[-2000:]))
    return completed.stdout


def load(path):
    return Picture(run(["convert", path, "-alpha", "off", "-depth", "8", "ppm:-"]))


def crop(picture, left, top, width, height, step=1):
    """The pixels of a rectangle, rows top to bottom, every step-th pixel."""
    return [[picture.pixel(left + x * step, top + y * step) for x in range(width)]
            for y in range(height)]


class Scheme:
    def __init__(self, name, colors, companion, folder):
        self.name = name
        if colors is None:
            with open(os.path.join(ROOT, "default.css"), "rb") as source:
                css = source.read()
        else:
            css = ("BODY {%s}" % "".join("scrollbar-%s-color: %s;" % pair
                                         for pair in zip(PROPERTIES, colors))).encode()
        self.folder = folder
        os.makedirs(folder)
        run([companion, "--html", self.path("page.html")], stdin=css)
        run([companion, "--png", self.path("preview.png")], stdin=css)
        self.preview = load(self.path("preview.png"))
        # The colours as the preview paints them.
        self.face = self.preview.pixel(PREVIEW_WIDTH - BAR + 3, 3)
        self.track = self.preview.pixel(PREVIEW_WIDTH - BAR + BAR // 2, PREVIEW_HEIGHT // 2)

    def path(self, name):
        return os.path.join(self.folder, name)

    def buttons(self):
        """The classic buttons at scale 1: up, down, left, right."""
        right = PREVIEW_WIDTH - BAR
        wide = BAR * HORIZONTAL_SCALE
        return {
            "up": crop(self.preview, right, 0, BAR, BAR),
            "down": crop(self.preview, right, PREVIEW_HEIGHT - BAR, BAR, BAR),
            "left": crop(self.preview, 0, 0, BAR, BAR, HORIZONTAL_SCALE),
            "right": crop(self.preview, right - wide, 0, BAR, BAR, HORIZONTAL_SCALE),
        }


def chromium_screenshot(scheme):
    shot = scheme.path("chromium.png")
    profile = scheme.path("chromium-profile")
    run(["chromium"] + CHROMIUM_FLAGS + ["--user-data-dir=" + profile,
                                         "--window-size=%d,%d" % (WIDTH, HEIGHT),
                                         "--screenshot=" + shot, "file://" + scheme.path("page.html")],
        timeout=BROWSER_TIMEOUT)
    return shot


def firefox_screenshot(scheme):
    shot = scheme.path("firefox.png")
    profile, home = scheme.path("firefox-profile"), scheme.path("firefox-home")
    os.makedirs(profile)
    os.makedirs(home)
    with open(os.path.join(profile, "user.js"), "w") as prefs:
        prefs.writelines('user_pref("%s", %s);\n' % pair for pair in FIREFOX_PREFS.items())
    env = dict(os.environ, HOME=home, MOZ_HEADLESS="1")
    env.pop("DISPLAY", None)
    run(["firefox-esr", "--headless", "--no-remote", "--profile", profile, "--screenshot", shot,
         "--window-size=%d,%d" % (WIDTH, HEIGHT), "file://" + scheme.path("page.html")],
        env=env, timeout=BROWSER_TIMEOUT)
    return shot


def webkit_screenshot(scheme):
    """The MiniBrowser's window, sized to the viewport, on a display of that
    size; its own WebDriver screenshots may hang there, so the display's
    picture is taken once two in a row agree and the page has drawn."""
    shot = scheme.path("webkit.png")
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                               "%dx%dx24" % (WIDTH, HEIGHT), "-nolisten", "tcp"],
                              pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as announced:
        number = announced.readline().strip()
    env = dict(os.environ, DISPLAY=":" + number, HOME=scheme.path("webkit-home"),
               GTK_OVERLAY_SCROLLING="0", WEBKIT_DISABLE_COMPOSITING_MODE="1", NO_AT_BRIDGE="1")
    browser = subprocess.Popen([MINIBROWSER, "--full-screen", "--private",
                                "file://" + scheme.path("page.html")], env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = wait_for("the MiniBrowser window", lambda: run(
            ["xdotool", "search", "--onlyvisible", "--pid", str(browser.pid)], env=env,
            check=False).split()[:1], timeout=BROWSER_TIMEOUT)[0]
        run(["xdotool", "windowsize", window, str(WIDTH), str(HEIGHT)], env=env)
        pictures = []

        def settled():
            pictures.append(run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=env))
            return len(pictures) > 1 and pictures[-1] == pictures[-2] and \
                Picture(pictures[-1]).pixel(WIDTH - 1, HEIGHT - 1) == scheme.face
        wait_for("WebKitGTK to draw the page", settled, timeout=BROWSER_TIMEOUT)
        run(["convert", "ppm:-", shot], stdin=pictures[-1])
    finally:
        browser.kill()
        browser.wait()
        server.terminate()
        server.wait()
    return shot


def at_scale_one(picture, browser):
    if (picture.width, picture.height) != (WIDTH, HEIGHT):
        raise Failure("%s drew %dx%d for a %dx%d viewport: not at scale 1" %
                      (browser, picture.width, picture.height, WIDTH, HEIGHT))


def matched(actual, expected):
    return sum(a == e for row_a, row_e in zip(actual, expected) for a, e in zip(row_a, row_e))


def bevelled(button, width, height):
    """A face of width x height with the button's bevel and no arrow: the
    button's two outer rows and columns on each side, its third row and
    column in between."""
    def source(index, length):
        return index if index < 2 else BAR - (length - index) if index >= length - 2 else 2
    return [[button[source(y, height)][source(x, width)] for x in range(width)]
            for y in range(height)]


def check_track(shot, scheme, button, vertical):
    """The track between the buttons: the track colour around one thumb that
    is the button's bevel around the face colour. Returns (thumb pixels,
    track pixels)."""
    length = (HEIGHT if vertical else WIDTH) - 3 * BAR
    left, top = (WIDTH - BAR, BAR) if vertical else (BAR, HEIGHT - BAR)
    width, height = (BAR, length) if vertical else (length, BAR)
    region = crop(shot, left, top, width, height)
    lines = region if vertical else [list(column) for column in zip(*region)]
    thumb = [index for index, line in enumerate(lines) if any(p != scheme.track for p in line)]
    if not thumb or thumb != list(range(thumb[0], thumb[-1] + 1)):
        raise Failure("the %s track does not hold one thumb (%d lines differ from the track "
                      "colour)" % ("vertical" if vertical else "horizontal", len(thumb)))
    size = len(thumb)
    thumb_region = [line[:] for line in lines[thumb[0]:thumb[-1] + 1]]
    if not vertical:
        thumb_region = [list(row) for row in zip(*thumb_region)]
    expected = bevelled(button, BAR if vertical else size, size if vertical else BAR)
    good = matched(thumb_region, expected)
    if good != BAR * size:
        raise Failure("%d of %d thumb pixels differ from a bevelled face" %
                      (BAR * size - good, BAR * size))
    return good, (length - size) * BAR


def check_chromium(scheme):
    return check_classic(load(chromium_screenshot(scheme)), scheme, "Chromium")


def check_webkit(scheme):
    return check_classic(load(webkit_screenshot(scheme)), scheme, "WebKitGTK")


def check_classic(shot, scheme, browser):
    """The page's own scrollbars drawn as the preview draws its bars."""
    at_scale_one(shot, browser)
    places = {"up": (WIDTH - BAR, 0), "down": (WIDTH - BAR, HEIGHT - 2 * BAR),
              "left": (0, HEIGHT - BAR), "right": (WIDTH - 2 * BAR, HEIGHT - BAR)}
    buttons = scheme.buttons()
    report = []
    for name, button in buttons.items():
        good = matched(crop(shot, *places[name], BAR, BAR), button)
        report.append("%s %d/%d" % (name, good, BAR * BAR))
        if good != BAR * BAR:
            raise Failure("the %s button: %s" % (name, ", ".join(report)))
    vertical = check_track(shot, scheme, buttons["up"], True)
    horizontal = check_track(shot, scheme, buttons["up"], False)
    corner = crop(shot, WIDTH - BAR, HEIGHT - BAR, BAR, BAR)
    if any(p != scheme.face for row in corner for p in row):
        raise Failure("the corner is not the face colour")
    return "%dx%d at scale 1, buttons %s; thumbs %d and %d px bevelled face in %d and %d px of track" % (
        WIDTH, HEIGHT, ", ".join(report), vertical[0], horizontal[0], vertical[1], horizontal[1])


def between(pixel, one, other):
    """Whether pixel is a mix of the two colours (as where an edge blends
    them), to within rounding."""
    spans = [b - a for a, b in zip(one, other)]
    offsets = [p - a for p, a in zip(pixel, one)]
    length = sum(span * span for span in spans)
    mix = min(1.0, max(0.0, sum(o * s for o, s in zip(offsets, spans)) / length)) if length else 0
    return all(abs(o - mix * s) <= 2 for o, s in zip(offsets, spans))


def check_firefox(scheme):
    shot = load(firefox_screenshot(scheme))
    at_scale_one(shot, "Firefox")
    left, top, width, height = BOX
    counts = []
    for vertical in (True, False):
        # The bar's thickness: from the box's edge to the white content.
        probe = (lambda i: shot.pixel(left + width - 1 - i, top + height // 2)) if vertical \
            else (lambda i: shot.pixel(left + width // 2, top + height - 1 - i))
        thickness = next((i for i in range(width) if probe(i) == (255, 255, 255)), 0)
        if thickness < 6:
            raise Failure("no %s scrollbar in the box" % ("vertical" if vertical else "horizontal"))
        region = crop(shot, left + width - thickness, top, thickness, height - thickness) \
            if vertical else crop(shot, left, top + height - thickness, width - thickness, thickness)
        pixels = [p for row in region for p in row]
        faces, tracks = pixels.count(scheme.face), pixels.count(scheme.track)
        strays = [p for p in pixels if not between(p, scheme.track, scheme.face)]
        if strays or faces < 40 or tracks < 40:
            raise Failure("the %s bar: %d face, %d track, %d other pixels (%s)" % (
                "vertical" if vertical else "horizontal", faces, tracks, len(strays), strays[:3]))
        counts.append("%s %d px thick: thumb %d px face, track %d px, %d blended" % (
            "vertical" if vertical else "horizontal", thickness, faces, tracks,
            len(pixels) - faces - tracks))
    return "%dx%d at scale 1, %s" % (WIDTH, HEIGHT, "; ".join(counts))


def write_picture(scheme, out):
    gap = "%dx%d" % (16, HEIGHT)
    run(["convert", scheme.path("chromium.png"), "-size", gap, "xc:white",
         scheme.path("preview.png"), "+append", "-strip", "-define",
         "png:exclude-chunk=date,time", out])


CHECKS = (("chromium", check_chromium), ("firefox", check_firefox), ("webkitgtk", check_webkit))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tintbar-css", required=True)
    parser.add_argument("--picture", metavar="PNG")
    options = parser.parse_args()
    companion = os.path.abspath(options.tintbar_css)
    for browser in ("chromium", "firefox-esr"):
        print(run([browser, "--version"], env=dict(os.environ, HOME=tempfile.gettempdir()))
              .decode().strip())
    folder = tempfile.mkdtemp(prefix="tintbar-browsers-")
    started_all = time.monotonic()
    failed = 0
    try:
        for index, (name, colors) in enumerate(SCHEMES.items()):
            scheme = Scheme(name, colors, companion, os.path.join(folder, str(index)))
            for browser, check in CHECKS:
                started = time.monotonic()
                try:
                    result = check(scheme)
                    print("PASS %s, %s (%.1f s): %s" % (browser, name, time.monotonic() - started,
                                                        result))
                except (Failure, HarnessError, subprocess.SubprocessError) as error:
                    failed += 1
                    print("FAIL %s, %s: %s" % (browser, name, error))
            if options.picture and index == 0:
                write_picture(scheme, options.picture)
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    print("%d of %d browser checks failed, %.1f s in all" % (failed, len(CHECKS) * len(SCHEMES),
                                                             time.monotonic() - started_all))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
