#!/usr/bin/env bash
# The Windows cross build's tools and third-party code. Sourced by
# scripts/test-windows and scripts/build-windows.
#
# Third-party code for Windows comes from Debian only: GoogleTest from
# /usr/src/googletest, CLI11 and nlohmann-json as headers, SQLite and Qt from
# Debian's source packages. Sources are fetched by apt itself through a
# private source list and state folder (the machine's apt set-up is never
# changed) and built once into $TAVRIN_WINDOWS_CACHE, one folder per package
# version: a new version in Debian builds anew, the old folder stays unused.
set -euo pipefail
# A failed build inside $(...) must fail the script, not be stamped as built.
shopt -s inherit_errexit

TAVRIN_WINDOWS_CACHE="${TAVRIN_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tavrin/windows}"
# wine's own folders, for every script that runs a Windows program.
export WINEPREFIX="${WINEPREFIX:-$TAVRIN_WINDOWS_CACHE/wine}"
TAVRIN_WINDOWS_TOOLCHAIN="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/cmake/mingw-w64-x86_64.cmake"

TAVRIN_WINDOWS_PACKAGES=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine64 dpkg-dev tcl xz-utils
)

tavrin_windows_install_tools() {
  source "$(dirname "${BASH_SOURCE[0]}")/deps.sh"
  TAVRIN_PACKAGES=("${TAVRIN_WINDOWS_PACKAGES[@]}" "$@")
  tavrin_install_deps
}

# The URI of Debian's main archive as this machine's own source list names it.
tavrin_debian_uri() {
  local uri
  uri="$(grep -h -E '^URIs:' /etc/apt/sources.list.d/*.sources 2>/dev/null |
    awk '{print $2}' | grep -v -- '-security' | head -1)"
  [[ -n $uri ]] || uri="$(grep -h -E '^deb ' /etc/apt/sources.list 2>/dev/null |
    awk '{print $2}' | grep -v -- '-security' | head -1)"
  [[ -n $uri ]] || { echo "no Debian archive found in /etc/apt" >&2; return 1; }
  echo "$uri"
}

# apt's options for the private source list and state folder, in
# TAVRIN_APT_OPTIONS; the index of Debian's sources is refreshed once a day
# (offline, the index at hand serves).
tavrin_debian_apt_options() {
  local apt="$TAVRIN_WINDOWS_CACHE/apt"
  mkdir -p "$apt/lists/partial" "$apt/sources.list.d" "$apt/src"
  cat >"$apt/sources.list.d/debian-src.sources" <<EOF
Types: deb-src
URIs: $(tavrin_debian_uri)
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  TAVRIN_APT_OPTIONS=(-o Dir::Etc::sourcelist=/dev/null -o "Dir::Etc::sourceparts=$apt/sources.list.d"
    -o "Dir::State::Lists=$apt/lists" -o APT::Sandbox::User=root)
  if [[ -z $(find "$apt/lists" -maxdepth 1 -name '*Sources*' -mtime -1 2>/dev/null) ]]; then
    apt-get "${TAVRIN_APT_OPTIONS[@]}" update >&2 || echo "apt-get update failed; using the index at hand" >&2
  fi
}

# The name (package_version) of the source package $1 that Debian serves,
# looked up without downloading it; offline, that of the newest source at hand.
tavrin_debian_source_name() {
  local pkg="$1" name
  tavrin_debian_apt_options
  name="$(apt-get "${TAVRIN_APT_OPTIONS[@]}" source --print-uris --only-source "$pkg" 2>/dev/null |
    awk '$2 ~ /[.]dsc$/ {sub(/[.]dsc$/, "", $2); print $2; exit}')" || true
  if [[ -z $name ]]; then
    name="$(ls -t "$TAVRIN_WINDOWS_CACHE/apt/src/${pkg}"_*.dsc 2>/dev/null | head -1)" || true
    [[ -z $name ]] || name="$(basename "${name%.dsc}")"
  fi
  [[ -n $name ]] || { echo "Debian's source of $pkg could not be looked up, and none is at hand" >&2; return 1; }
  echo "$name"
}

# Downloads the source package $1 into the cache (unless it is there) and
# prints the path of its .dsc.
tavrin_debian_source() {
  local pkg="$1"
  tavrin_debian_apt_options
  (cd "$TAVRIN_WINDOWS_CACHE/apt/src" && apt-get "${TAVRIN_APT_OPTIONS[@]}" source --download-only "$pkg" >&2) ||
    echo "apt-get source $pkg failed; using the source at hand" >&2
  local dsc
  dsc="$(ls -t "$TAVRIN_WINDOWS_CACHE/apt/src/${pkg}"_*.dsc 2>/dev/null | head -1)"
  [[ -n $dsc ]] || { echo "no source of $pkg could be had" >&2; return 1; }
  echo "$dsc"
}

# Unpacks a .dsc with Debian's patches applied into $2 (anew).
tavrin_unpack_source() {
  rm -rf "$2"
  mkdir -p "$(dirname "$2")"
  dpkg-source --no-check -x "$1" "$2" >&2
}

# Builds Debian's source package $1 once per version into a prefix of its
# own in the cache, by the function $2, which is given the .dsc, a work folder
# (removed afterwards) and the prefix to install into. A function $3, when
# given, may first fill the prefix from a prebuilt copy: it is given the
# source's name and the prefix, and stamps the prefix only when it filled it.
# Prints the prefix.
tavrin_windows_build_once() {
  local name dsc prefix work
  name="$(tavrin_debian_source_name "$1")"
  prefix="$TAVRIN_WINDOWS_CACHE/$name"
  [[ -f $prefix/.built || -z ${3:-} ]] || "$3" "$name" "$prefix"
  if [[ ! -f $prefix/.built ]]; then
    dsc="$(tavrin_debian_source "$1")"
    [[ $(basename "$dsc" .dsc) == "$name" ]] ||
      { echo "Debian serves $name, but the source at hand is $(basename "$dsc" .dsc)" >&2; return 1; }
    work="$TAVRIN_WINDOWS_CACHE/work/$name"
    "$2" "$dsc" "$work" "$prefix"
    rm -rf "$work"
    touch "$prefix/.built"
  fi
  echo "$prefix"
}

# SQLite: the amalgamation is made by the source tree's own tools on this
# machine, then compiled by mingw-w64 into a static library. Prints the prefix.
tavrin_windows_sqlite() {
  tavrin_windows_build_once sqlite3 tavrin_windows_build_sqlite
}

tavrin_windows_build_sqlite() {
  local dsc="$1" work="$2" prefix="$3"
  tavrin_unpack_source "$dsc" "$work/src"
  mkdir -p "$work/host"
  (cd "$work/host" && ../src/configure --disable-tcl >&2 && make -j"$(nproc)" sqlite3.c >&2)
  rm -rf "$prefix"
  mkdir -p "$prefix/include" "$prefix/lib"
  x86_64-w64-mingw32-gcc-posix -O2 -c "$work/host/sqlite3.c" -o "$work/sqlite3.o" \
    -DSQLITE_THREADSAFE=1 -DSQLITE_ENABLE_COLUMN_METADATA -DSQLITE_DEFAULT_FOREIGN_KEYS=0 >&2
  x86_64-w64-mingw32-ar rcs "$prefix/lib/libsqlite3.a" "$work/sqlite3.o"
  cp "$work/host/sqlite3.h" "$work/src/src/sqlite3ext.h" "$prefix/include/" 2>/dev/null ||
    cp "$work/host/sqlite3.h" "$prefix/include/"
}

# Qt 6 qtbase: Core, Gui, Widgets, PrintSupport and Test with the windows
# platform plugin, built by mingw-w64 against Debian's host tools of the same
# version: about 65 minutes on two cores. A prebuilt copy of the same source
# version and recipe is unpacked instead (below) in well under a minute.
# Prints the prefix.
tavrin_windows_qt() {
  tavrin_windows_build_once qt6-base tavrin_windows_build_qt tavrin_windows_seed_qt
}

# The prebuilt Qt: NAME-mingw-w64.tar.xz (the prefix folder NAME/ as
# tavrin_windows_build_qt made it, stamp included) and its .sha256, in
# ../shared/windows beside the checkout, or in $TAVRIN_WINDOWS_SEED_DIR.
TAVRIN_WINDOWS_SEED_DIR="${TAVRIN_WINDOWS_SEED_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/shared/windows}"
# The digest of the recipe the archive was built by (sha256 of
# `declare -f tavrin_windows_build_qt`): with another recipe the archive is
# not that build, and Qt is built from source.
TAVRIN_WINDOWS_QT_RECIPE=137ca7a79df16c432d4a50b7981ad130365ea550444b3e67a50f4ad84d9b9afc

tavrin_windows_seed_qt() {
  local name="$1" prefix="$2"
  local archive="$TAVRIN_WINDOWS_SEED_DIR/$name-mingw-w64.tar.xz"
  if [[ ! -f $archive ]]; then
    echo "no prebuilt Qt at $archive: building $name from source (about 65 minutes on two cores)" >&2
    return 0
  fi
  local recipe
  recipe="$(declare -f tavrin_windows_build_qt | sha256sum | cut -d' ' -f1)"
  if [[ $recipe != "$TAVRIN_WINDOWS_QT_RECIPE" ]]; then
    echo "Qt's recipe in windows-deps.sh is not the one $archive was built by:" \
      "building $name from source (about 65 minutes on two cores)" >&2
    return 0
  fi
  # From here on the archive is the Qt to use: a fault in it is an error,
  # never a reason to build against something else.
  [[ -f $archive.sha256 ]] || { echo "$archive.sha256 is missing: $archive cannot be checked" >&2; return 1; }
  local sum
  sum="$(awk 'NR == 1 {print $1}' "$archive.sha256")"
  [[ $(sha256sum "$archive" | cut -d' ' -f1) == "$sum" ]] ||
    { echo "$archive is damaged: its checksum is not the one in $archive.sha256" >&2; return 1; }
  echo "unpacking the prebuilt $name from $archive" >&2
  # Unpacked beside the prefix, checked, then moved into place by one rename,
  # the stamp last: a run that stops half-way leaves no prefix to build with.
  mkdir -p "$TAVRIN_WINDOWS_CACHE"
  rm -rf "$TAVRIN_WINDOWS_CACHE/.unpack-$name".*
  local unpack
  unpack="$(mktemp -d "$TAVRIN_WINDOWS_CACHE/.unpack-$name.XXXXXX")"
  if ! tar -xJf "$archive" -C "$unpack" >&2; then
    rm -rf "$unpack"
    echo "$archive could not be unpacked whole" >&2
    return 1
  fi
  local file
  for file in .built bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll bin/Qt6PrintSupport.dll \
    bin/Qt6Test.dll plugins/platforms/qwindows.dll lib/cmake/Qt6/Qt6Config.cmake; do
    if [[ $(ls -A "$unpack") != "$name" || ! -f $unpack/$name/$file ]]; then
      rm -rf "$unpack"
      echo "$archive does not hold $name/$file: it is not a whole Qt of $name" >&2
      return 1
    fi
  done
  rm "$unpack/$name/.built"
  rm -rf "$prefix"
  mv -T "$unpack/$name" "$prefix"
  rmdir "$unpack"
  touch "$prefix/.built"
}

tavrin_windows_build_qt() {
  local dsc="$1" work="$2" prefix="$3"
  # An unpacked tree left by a build that stopped is built on.
  [[ -d $work/src ]] || tavrin_unpack_source "$dsc" "$work/src"
  # wintab.h is not in Debian's tarball: no tablet events.
  cmake -G Ninja -S "$work/src" -B "$work/build" \
    -DCMAKE_TOOLCHAIN_FILE="$TAVRIN_WINDOWS_TOOLCHAIN" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DINPUT_opengl=no -DFEATURE_system_zlib=OFF \
    -DFEATURE_tabletevent=OFF >&2
  cmake --build "$work/build" -j"$(nproc)" >&2
  rm -rf "$prefix"
  cmake --install "$work/build" >&2
}
