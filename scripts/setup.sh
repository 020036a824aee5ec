#!/usr/bin/env bash
# Set-up of Novarel_SE on Debian 12: installs the Debian packages that are
# missing, builds into build/, then runs the main job or the tests.
#
#   scripts/setup.sh run    build, then start the desktop program when a display
#                           is available, else print this month's ephemeris
#   scripts/setup.sh test   build, then run the whole test suite
#   scripts/setup.sh build  build only
#
# Extra arguments for the cmake configure step may be given in
# NOVAREL_CMAKE_ARGS, e.g. NOVAREL_CMAKE_ARGS=-DNOVAREL_WARNINGS_AS_ERRORS=ON.
set -euo pipefail

cd "$(dirname "$0")/.."
mode="${1:-run}"

packages=(
  build-essential cmake pkg-config
  libswe-dev swe-basic-data swetest
  qt6-base-dev
  qt6-svg-dev libcups2-dev libharfbuzz-dev
  libfmt-dev libcli11-dev
  nlohmann-json3-dev libical-dev
  libhowardhinnant-date-dev tzdata
  libgtest-dev libbenchmark-dev
  python3-fonttools fonts-dejavu-core
  clang-format
  xvfb xauth poppler-utils locales strace openbox xdotool x11-utils
  help2man man-db bash-completion desktop-file-utils appstream
)
# The print test starts a print server of its own; the program itself needs
# none, so other set-ups leave the machine without one.
if [[ $mode == test ]]; then packages+=(cups printer-driver-cups-pdf); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

jobs="$(nproc 2>/dev/null || echo 2)"
read -r -a extra_args <<<"${NOVAREL_CMAKE_ARGS:-}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${extra_args[@]}"
cmake --build build -j "$jobs"

case "$mode" in
  run)
    if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
      ./build/novarel-gui
    else
      ./build/novarel ephemeris
    fi
    ;;
  test)  ctest --test-dir build --output-on-failure -j "$jobs" ;;
  build) ;;
  *) echo "usage: scripts/setup.sh [run|test|build]" >&2; exit 2 ;;
esac
