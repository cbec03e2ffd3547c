#!/usr/bin/env bash
# Installs the Debian 12 packages the project builds, runs and tests with,
# skipping those already installed. Sourced by scripts/run and scripts/test.
set -euo pipefail

TAVRIN_PACKAGES=(
  cmake g++ make ninja-build pkg-config
  qt6-base-dev libsqlite3-dev
  mdbtools-dev libglib2.0-dev # libmdb: only the tests' independent Access reader
  clang-14 libclang-rt-14-dev # the Access reader's fuzz target (scripts/fuzz-access)
  libgtest-dev libgmock-dev libcli11-dev nlohmann-json3-dev
  fonts-wqy-microhei iproute2 util-linux xvfb xauth sqlite3 clang-format-14
  poppler-utils # pdftotext and pdftoppm: the load sheets' tests and screenshots
  mdbtools # mdb-export, mdb-schema: the generated Access files' test
)

tavrin_install_deps() {
  local missing=()
  local pkg
  for pkg in "${TAVRIN_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [[ ${#missing[@]} -eq 0 ]] && return 0
  local sudo=()
  [[ $(id -u) -eq 0 ]] || sudo=(sudo)
  echo "Installing: ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}" ||
    { "${sudo[@]}" apt-get update && "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"; }
}

# Configures and builds into build/ (or $TAVRIN_BUILD_DIR).
tavrin_build() {
  local root build
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  build="${TAVRIN_BUILD_DIR:-$root/build}"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >&2
  cmake --build "$build" -j"$(nproc)" >&2
  echo "$build"
}
