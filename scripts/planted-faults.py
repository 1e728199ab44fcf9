#!/usr/bin/env python3
"""Plants known faults in the product, one at a time, and counts how many the
tests catch.

Each fault is one textual change to a source file. For each, the tool makes
the change in a copy of the tree, rebuilds, runs the tests (ctest, stopping
at the first failure) and restores the file. A fault is caught when a test
fails or the build breaks on it. Run it before and after a change to the
tests: a fault caught before and missed after is a check that was lost.

  scripts/planted-faults.py [--tree DIR] [--build DIR] [--tests REGEX] [NAME...]

The tree defaults to the repository; the build folder (configured here with
ccache when missing) to DIR/build-faults. The Wayland and Windows cases are
left out by default: they run the same checks as the X11 cases.
"""

import argparse
import contextlib
import fcntl
import os
import re
import subprocess
import sys
import time

# name, file, text in the file (its first occurrence), what it becomes
FAULTS = [
    ("negative-hue", "chromlib/ColorSpaces.cpp",
     "normalized += kFullTurnDegrees;", "normalized -= kFullTurnDegrees;"),
    ("capital-e-exponent", "chromlib/CssTokenizer.cpp",
     "(At(0) == 'e' || At(0) == 'E')", "(At(0) == 'e')"),
    ("grad-unit", "chromlib/CssNumeric.cpp",
     '{"grad", 360.0 / 400.0}', '{"grad", 400.0 / 360.0}'),
    ("nan-channel", "chromlib/ColorSpaces.cpp",
     "if (std::isnan(value)) {", "if (false) {"),
    ("shift-jis-lead-range", "text/MultiByte.cpp",
     "byte <= 0x9F", "byte < 0x9F"),
    ("copy-rule-unclosed", "css/CopyText.cpp",
     "text += kRuleClosing;", ""),
    ("property-name", "css/ScrollbarProperties.h",
     '"scrollbar-3dlight-color"', '"scrollbar-3d-light-color"'),
    ("page-text-colour", "css/BrowserPage.cpp",
     "luma < kDarkLuma ?", "luma > kDarkLuma ?"),
    ("hit-test-bottom-row", "preview/BarElement.cpp",
     "y <= rect.bottom", "y < rect.bottom"),
    ("scaled-edge", "preview/RasterSurface.cpp",
     "std::llround(edge * scale)", "std::llround(edge * scale) + 1"),
    ("paste-without-undo", "view/TintbarView.cpp",
     "SaveUndoSnapshot();\n        // Both bars", "// Both bars"),
    ("paste-limit", "view/TintbarView.cpp",
     "kMaxPasteBytes = 128 * 1024 * 1024", "kMaxPasteBytes = 128 * 1024"),
    ("undo-keeps-background", "view/TintbarView.cpp",
     "m_background = m_undoBackground;", ""),
    ("mouse-axes-swapped", "app/PreviewCanvas.cpp",
     "OnMouseMove(ToViewPixel(event.GetX()), ToViewPixel(event.GetY()))",
     "OnMouseMove(ToViewPixel(event.GetY()), ToViewPixel(event.GetX()))"),
    ("dialog-red-blue", "app/WxColorDialog.cpp",
     "RgbColor(chosen.Red(), chosen.Green(), chosen.Blue())",
     "RgbColor(chosen.Blue(), chosen.Green(), chosen.Red())"),
    ("dialog-initial-colour", "app/WxColorDialog.cpp",
     "wxColour(RedOf(request.initialColor)", "wxColour(GreenOf(request.initialColor)"),
    ("label-ink", "app/CanvasSurfaceSource.cpp",
     "SetTextForeground(ToWxColour(run.foreground))",
     "SetTextForeground(ToWxColour(run.background))"),
    ("clipboard-utf8-target", "app/ClipboardPlatformGtk.cpp",
     '{"UTF8_STRING",', '{"UTF8_STRNG",'),
    ("undo-key", "app/MainFrame.cpp",
     "{wxACCEL_CTRL, 'Z', wxID_UNDO}", "{wxACCEL_CTRL, 'Y', wxID_UNDO}"),
    ("scale-bound", "cli/CommandLine.cpp",
     "scale > CCommandLine::kLargestScale", "scale > CCommandLine::kLargestScale + 1"),
]


def sh(arguments, **options):
    return subprocess.run(arguments, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          text=True, **options)


@contextlib.contextmanager
def held(lock_path):
    """Holds an exclusive lock on lock_path, when given, so that other heavy
    jobs on the machine take turns with each build and test run."""
    if not lock_path:
        yield
        return
    with open(lock_path, "a") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        yield


def trial(build, jobs, ctest):
    """The verdict on the tree as it stands: built and tested."""
    if sh(["cmake", "--build", build, "-j", jobs]).returncode != 0:
        return "caught by the build"
    result = sh(ctest)
    if result.returncode == 0:
        return "MISSED"
    failed = re.findall(r"Test +#\d+: (\S+) \.*\*\*\*", result.stdout)
    return "caught by " + (", ".join(failed[:3]) or "the tests")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tree", default=os.path.join(os.path.dirname(__file__), ".."))
    parser.add_argument("--build")
    parser.add_argument("--tests", help="ctest -R pattern (default: all)")
    parser.add_argument("--exclude", default="wayland", help="ctest -LE label")
    parser.add_argument("--lock", help="a lock file to hold during each build and test run")
    parser.add_argument("names", nargs="*")
    options = parser.parse_args()
    tree = os.path.abspath(options.tree)
    build = os.path.abspath(options.build or os.path.join(tree, "build-faults"))
    if not os.path.exists(os.path.join(build, "CMakeCache.txt")):
        sh(["cmake", "-S", tree, "-B", build, "-DCMAKE_BUILD_TYPE=Debug",
            "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"],
           check=True)
    jobs = str(os.cpu_count() or 1)
    ctest = ["ctest", "--test-dir", build, "-j", jobs, "--stop-on-failure", "-LE", options.exclude]
    if options.tests:
        ctest += ["-R", options.tests]
    with held(options.lock):
        built = sh(["cmake", "--build", build, "-j", jobs])
        passed = built.returncode == 0 and sh(ctest).returncode == 0
    if not passed:
        sys.exit("the tests fail without any fault planted:\n" + built.stdout[-2000:])
    caught = missed = 0
    for name, path, old, new in FAULTS:
        if options.names and name not in options.names:
            continue
        source = os.path.join(tree, path)
        original = open(source).read()
        if old not in original:
            print("%-24s not applicable: the text is gone from %s" % (name, path))
            continue
        started = time.monotonic()
        try:
            with open(source, "w") as out:
                out.write(original.replace(old, new, 1))
            with held(options.lock):
                verdict = trial(build, jobs, ctest)
        finally:
            with open(source, "w") as out:
                out.write(original)
        caught += verdict != "MISSED"
        missed += verdict == "MISSED"
        print("%-24s %s (%.0f s)" % (name, verdict, time.monotonic() - started), flush=True)
    with held(options.lock):
        sh(["cmake", "--build", build, "-j", jobs])
    print("caught %d of %d" % (caught, caught + missed))
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
