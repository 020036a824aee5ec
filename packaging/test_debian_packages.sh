#!/usr/bin/env bash
# Builds the Debian packages novarel and novarel-gui from a clean copy of the
# tree with dpkg-buildpackage, checks them with lintian and checks which
# package holds what, then installs them into a bare Debian 12 root made by
# debootstrap (apt fetching their dependencies from the mirror this machine
# uses) and runs the programs there as an ordinary user.
#
#   packaging/test_debian_packages.sh
#
# Needs root (apt-get, debootstrap, chroot) and the network. Exits 77 when
# either is missing, 1 on a fault. NOVAREL_DEB_KEEP=1 keeps the work folder.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIPPED: $*" >&2; exit 77; }
step() { echo "== $(date -u +%T) $*"; }

[[ $(id -u) -eq 0 ]] || skip "building and installing into a Debian root needs root"

work=$(mktemp -d /var/tmp/novarel-deb.XXXXXX)
root=$work/root
cleanup() {
  # Whatever is mounted in the root goes first, deepest first, so that rm
  # never reaches through into the host.
  if [[ -d $root ]]; then
    findmnt -rn -o TARGET | grep -F "$root/" | sort -r | xargs -r -n1 umount -l || true
  fi
  if [[ ${NOVAREL_DEB_KEEP:-0} == 1 ]]; then echo "kept $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

apt_install() {
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@" >/dev/null
}
step "tools"
tools=(dpkg-dev debhelper fakeroot lintian debootstrap)
missing=()
for p in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  apt-get update -q >/dev/null || skip "apt-get update failed (no network?)"
  apt_install "${missing[@]}"
fi

# A clean copy: the files git knows (and new ones it does not ignore), so no
# build folder of the working tree gets in; without git, all but those.
version=$(dpkg-parsechangelog -l "$repo/debian/changelog" -S Version)
src=$work/novarel-${version%-*}
mkdir -p "$src"
if git -C "$repo" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  (cd "$repo" && git ls-files -z -co --exclude-standard | tar --null -T - -cf -) | tar -xf - -C "$src"
else
  tar -C "$repo" --exclude=./.git --exclude='./build*' --exclude='./obj-*' -cf - . | tar -xf - -C "$src"
fi
[[ -f $src/debian/rules && ! -e $src/build ]] || fail "the copy of the tree is incomplete"

step "build dependencies"
(cd "$src" && dpkg-checkbuilddeps >/dev/null 2>&1) ||
  DEBIAN_FRONTEND=noninteractive apt-get build-dep -y -q --no-install-recommends "$src" >/dev/null

step "dpkg-buildpackage"
start=$SECONDS
(cd "$src" && DEB_BUILD_OPTIONS="parallel=$(nproc)" dpkg-buildpackage -us -uc -b) \
  >"$work/build.log" 2>&1 || { tail -60 "$work/build.log"; fail "dpkg-buildpackage failed"; }
echo "built in $((SECONDS - start)) s"
arch=$(dpkg --print-architecture)
cli_deb=$work/novarel_${version}_$arch.deb
gui_deb=$work/novarel-gui_${version}_$arch.deb
changes=$work/novarel_${version}_$arch.changes
[[ -f $cli_deb && -f $gui_deb && -f $changes ]] || fail "missing packages: $(ls "$work")"

step "lintian"
lintian "$changes" || fail "lintian found errors"

step "what each package holds"
cli_depends=$(dpkg-deb -f "$cli_deb" Depends)
gui_depends=$(dpkg-deb -f "$gui_deb" Depends)
echo "novarel Depends: $cli_depends"
echo "novarel-gui Depends: $gui_depends"
! grep -qi 'qt' <<<"$cli_depends" || fail "novarel depends on Qt: $cli_depends"
grep -qE '(^|, )swe-basic-data' <<<"$cli_depends" || fail "novarel lacks the ephemeris files"
grep -qF "novarel (= $version)" <<<"$gui_depends" || fail "novarel-gui does not depend on novarel"
grep -qi 'libqt6widgets6' <<<"$gui_depends" || fail "novarel-gui lacks its Qt libraries"
[[ $(dpkg-deb -f "$cli_deb" Suggests) == *novarel-gui* ]] || fail "novarel does not suggest novarel-gui"
cli_files=$(dpkg-deb -c "$cli_deb" | awk '{print $6}')
gui_files=$(dpkg-deb -c "$gui_deb" | awk '{print $6}')
holds() { grep -qE "^\./$2\$" <<<"$1"; }
for f in usr/bin/novarel 'usr/lib/[^/]+/novarel/novarel_zones\.so' usr/share/novarel/OPTIONS\.OPT \
  usr/share/novarel/EPHEMERI\.TTF usr/share/man/man1/novarel\.1\.gz \
  usr/share/bash-completion/completions/novarel usr/share/doc/novarel/copyright; do
  holds "$cli_files" "$f" || fail "novarel lacks $f"
  ! holds "$gui_files" "$f" || [[ $f == */copyright ]] || fail "novarel-gui holds $f too"
done
for f in usr/bin/novarel-gui 'usr/lib/[^/]+/novarel/novarel_render\.so' \
  usr/share/man/man1/novarel-gui\.1\.gz usr/share/applications/io\.github\.novarel\.NovarelSE\.desktop \
  usr/share/icons/hicolor/scalable/apps/io\.github\.novarel\.NovarelSE\.svg \
  usr/share/metainfo/io\.github\.novarel\.NovarelSE\.metainfo\.xml; do
  holds "$gui_files" "$f" || fail "novarel-gui lacks $f"
  ! holds "$cli_files" "$f" || fail "novarel holds $f too"
done

# The root comes from the mirror this machine's apt uses.
mirror=$(apt-get indextargets --format '$(REPO_URI) $(CODENAME)' 2>/dev/null |
  awk '$2 == "bookworm" {print $1; exit}')
mirror=${mirror:-http://deb.debian.org/debian/}
command -v chroot >/dev/null || skip "no chroot"
step "debootstrap from $mirror"
start=$SECONDS
if ! debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1; then
  tail -20 "$work/debootstrap.log"
  skip "debootstrap could not make a Debian 12 root here"
fi
echo "root made in $((SECONDS - start)) s"
mount -t proc proc "$root/proc"
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
# A mirror whose Release files are past their date (a snapshot) is accepted
# in the root when it is on this machine.
eval "$(apt-config shell valid Acquire::Check-Valid-Until date Acquire::Check-Date)"
[[ ${valid:-true} != false ]] || echo 'Acquire::Check-Valid-Until "false";' >"$root/etc/apt/apt.conf.d/90mirror"
[[ ${date:-true} != false ]] || echo 'Acquire::Check-Date "false";' >>"$root/etc/apt/apt.conf.d/90mirror"
mkdir "$root/debs"
cp "$cli_deb" "$gui_deb" "$root/debs/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C "$@"; }
as_user() { chroot --userspec=65534:65534 "$root" env -i PATH=/usr/bin:/bin HOME=/home/user LC_ALL=C "$@"; }
install_deb() {
  in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@" \
    >"$work/apt.log" 2>&1 || { tail -30 "$work/apt.log"; fail "apt-get install $* in the root failed"; }
}
in_root apt-get update -q >/dev/null || fail "apt-get update in the root failed"
mkdir -p "$root/home/user" && chown 65534:65534 "$root/home/user"

step "novarel alone in the root"
start=$SECONDS
install_deb "/debs/${cli_deb##*/}"
echo "installed in $((SECONDS - start)) s"
! in_root dpkg-query -W 'libqt6*' >/dev/null 2>&1 || fail "installing novarel brought Qt"
as_user novarel ephemeris --days 1 >"$work/out" 2>"$work/err" ||
  fail "novarel ephemeris --days 1: $(cat "$work/err")"
cat "$work/out"
today=$(in_root date '+%A, %d %b %Y')
grep -qF "Ephemeris - $today" "$work/out" || fail "no table for $today"
[[ ! -s $work/err ]] || fail "novarel ephemeris said: $(cat "$work/err")"
version_out=$(as_user novarel --version) || fail "novarel --version"
echo "$version_out"
grep -qx "Program folder: /home/user/.local/share/novarel" <<<"$version_out" || fail "program folder"
grep -qx "Ephemeris folder: /usr/share/libswe/ephe" <<<"$version_out" || fail "ephemeris folder"
as_user novarel aspectarian --tz Europe/Paris --days 1 >"$work/out" 2>"$work/err" ||
  fail "novarel --tz: $(cat "$work/err")"
grep -q "Times are Europe/Paris" "$work/out" || fail "--tz: $(head -5 "$work/out")"
if as_user novarel ephemeris --days 1 --pdf /home/user/book.pdf >/dev/null 2>"$work/err"; then
  fail "--pdf without novarel-gui succeeded"
fi
cat "$work/err"
grep -qF "printing module" "$work/err" || fail "--pdf without the module said: $(cat "$work/err")"

step "novarel-gui in the root"
start=$SECONDS
install_deb "/debs/${gui_deb##*/}"
echo "installed in $((SECONDS - start)) s"
gui_version=$(as_user novarel-gui --version 2>&1) || fail "novarel-gui --version: $gui_version"
[[ $gui_version == "novarel-gui ${version%-*}" ]] || fail "novarel-gui --version said: $gui_version"
echo "$gui_version"
as_user novarel ephemeris --days 1 --pdf /home/user/book.pdf >/dev/null 2>"$work/err" ||
  fail "--pdf with novarel-gui: $(cat "$work/err")"
[[ $(head -c 5 "$root/home/user/book.pdf") == %PDF- ]] || fail "--pdf wrote no PDF"
step "packages built, checked and run in a Debian 12 root"
