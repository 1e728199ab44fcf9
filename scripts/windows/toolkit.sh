#!/usr/bin/env bash
# Cross-builds the static libraries the Windows build links, once, into a
# cache outside the source tree keyed by their versions and this recipe:
# libpng and wxWidgets' Windows port, both from Debian's own source packages
# (zlib comes from Debian's MinGW-w64 package). Prints the cache prefix.
#
# The sources are fetched with apt-get through a temporary source list and
# temporary package lists, so the machine's apt sources stay as they are.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cache_root=${TINTBAR_CACHE:-/var/cache/tintbar}
jobs=${JOBS:-$(nproc)}
host=x86_64-w64-mingw32

candidate() { apt-cache policy "$1" | sed -n 's/^ *Candidate: //p'; }
wx_version=$(candidate libwxgtk3.2-dev)
png_version=$(candidate libpng-dev)
gcc_version=$($host-g++-posix -dumpfullversion)
[[ -n $wx_version && -n $png_version ]] || { echo "toolkit: run apt-get update first" >&2; exit 1; }

key=$( { echo "$wx_version $png_version $gcc_version"; cat "$top/scripts/windows/toolkit.sh"; } | sha256sum | cut -c1-12)
upstream=${wx_version%%+*}
prefix=$cache_root/wxmsw-$upstream-$key
if [[ -f $prefix/.complete ]]; then
  echo "$prefix"
  exit 0
fi

exec 3>&1 1>&2
echo "== Cross-building libpng $png_version and wxWidgets $wx_version for Windows into $prefix"
work=$(mktemp -d /var/tmp/tintbar-toolkit.XXXXXX)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
rm -rf "$prefix"
mkdir -p "$prefix" "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/apt/parts" "$work/src"

keyring=/usr/share/keyrings/debian-archive-keyring.gpg
cat >"$work/apt/sources.list" <<SOURCES
deb-src [signed-by=$keyring] http://deb.debian.org/debian bookworm main
deb-src [signed-by=$keyring] http://deb.debian.org/debian bookworm-updates main
deb-src [signed-by=$keyring] http://deb.debian.org/debian-security bookworm-security main
SOURCES
apt_private=(
  -o Dir::Etc::SourceList="$work/apt/sources.list"
  -o Dir::Etc::SourceParts="$work/apt/parts"
  -o Dir::State::Lists="$work/apt/lists"
  -o Dir::Cache="$work/apt/cache"
)
apt-get "${apt_private[@]}" update -qq

# Fetches a source package at the wanted version or, where the mirror lacks
# that one (security updates are not on every mirror), the newest it has.
fetch_source() {
  local package=$1 wanted=$2 version
  for version in "$wanted" $(apt-cache "${apt_private[@]}" showsrc "$package" |
    sed -n 's/^Version: //p' | sort -rV); do
    if (cd "$work/src" && apt-get "${apt_private[@]}" source -qq "$package=$version" >/dev/null 2>&1); then
      echo "$package $version" >>"$prefix/SOURCES"
      return 0
    fi
  done
  echo "toolkit: cannot fetch the source of $package" >&2
  return 1
}
fetch_source libpng1.6 "$png_version"
fetch_source wxwidgets3.2 "$wx_version"

export CC=$host-gcc-posix CXX=$host-g++-posix AR=$host-ar RANLIB=$host-ranlib \
  STRIP=$host-strip WINDRES=$host-windres RC=$host-windres
export CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib"

echo "== libpng"
(cd "$work"/src/libpng1.6-*/ &&
  ./configure --host=$host --build=x86_64-linux-gnu --prefix="$prefix" \
    --enable-static --disable-shared --disable-tools --disable-tests >/dev/null &&
  make -j"$jobs" >/dev/null && make install >/dev/null)

echo "== wxWidgets"
# The unpacked source folder, named for its version; configure runs out of tree.
wx_source=("$work"/src/wxwidgets3.2-*/)
mkdir -p "$work/wxbuild"
(cd "$work/wxbuild" &&
  "${wx_source[0]}configure" --host=$host --build=x86_64-linux-gnu --prefix="$prefix" \
    --with-msw --disable-shared --enable-unicode --disable-debug_info --disable-precomp-headers \
    --disable-html --disable-xrc --disable-aui --disable-webview --disable-stc --disable-mediactrl \
    --disable-richtext --disable-propgrid --disable-ribbon --disable-webrequest --disable-sound \
    --without-opengl --without-expat --without-regex --without-liblzma \
    --with-zlib=sys --with-libpng=sys --without-libjpeg --without-libtiff \
    >configure.log &&
  make -j"$jobs" >make.log 2>&1 && make install >/dev/null) || {
  tail -40 "$work"/wxbuild/*.log
  exit 1
}

touch "$prefix/.complete"
echo "$prefix" >&3
