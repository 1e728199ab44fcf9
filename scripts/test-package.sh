#!/usr/bin/env bash
# Builds the Debian package and checks it as a user's system sees it:
# lintian finds nothing to warn about; once installed, the desktop entry and
# the metainfo validate, the manual pages and tintbar-css are found, and the
# desktop entry starts tintbar on the shipped scheme under Xvfb; a purge
# leaves none of the package's files behind. Installs and removes the
# package on this machine, so it runs as root.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
started=$SECONDS

# apt-get rather than plain dpkg, so that the install and the purge wait for
# dpkg's lock while other programs hold it.
apt_get() {
  DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 -y -qq "$@" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log" >&2; return 1; }
}
installed() { dpkg-query -W -f='${Status}' tintbar 2>/dev/null | grep -q 'install ok installed'; }

deb=$(bash "$top/scripts/package.sh" | tail -n 1)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
install -m 644 "$deb" "$work/"
deb=$work/$(basename "$deb")
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

echo "-- lintian"
# lintian advises against running as root.
as_user=()
if ((EUID == 0)); then as_user=(env HOME="$work" setpriv --reuid=nobody --regid=nogroup --clear-groups); fi
"${as_user[@]}" lintian --fail-on error,warning --display-info "$deb"

echo "-- install"
if installed; then apt_get purge tintbar; fi
apt_get install --no-install-recommends "$deb"
dpkg-query -L tintbar >"$work/files"
if ! grep -qx /usr/share/man/man1/tintbar.1.gz "$work/files" || [[ ! -f /usr/share/man/man1/tintbar.1.gz ]]; then
  echo "the manual pages were not installed: see path-exclude in /etc/dpkg/dpkg.cfg.d" >&2
  exit 1
fi

echo "-- installed files"
desktop-file-validate /usr/share/applications/tintbar.desktop
appstreamcli validate --no-net /usr/share/metainfo/example.tintbar.Tintbar.metainfo.xml
/usr/bin/tintbar-css --help | head -n 1
test "$(man -w tintbar)" = /usr/share/man/man1/tintbar.1.gz
test "$(man -w tintbar-css)" = /usr/share/man/man1/tintbar-css.1.gz
env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/tintbar --version | head -n 1

echo "-- start through the desktop entry"
python3 tests/e2e/tintbar_installed.py --entry /usr/share/applications/tintbar.desktop \
  --tintbar-css /usr/bin/tintbar-css --scheme default.css

echo "-- purge"
apt_get purge tintbar
if installed; then echo "tintbar is still installed" >&2; exit 1; fi
left=()
while read -r path; do
  if [[ -e $path && ! -d $path ]]; then left+=("$path"); fi
done <"$work/files"
for folder in /usr/share/tintbar /usr/share/doc/tintbar; do
  if [[ -e $folder ]]; then left+=("$folder"); fi
done
if ((${#left[@]})); then echo "left behind after the purge: ${left[*]}" >&2; exit 1; fi

echo "package checks passed in $((SECONDS - started)) s"
