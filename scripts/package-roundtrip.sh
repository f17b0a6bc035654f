#!/usr/bin/env bash
# The Debian package's round trip on a clean Debian 12.
#
# Builds the package (the "package" presets: optimised, no tests, cpack -G
# DEB), unpacks a fresh minbase bookworm made by debootstrap into a chroot
# under build/roundtrip, and there:
#   1. installs the tools a desktop has (Xvfb, xdg-utils, the MIME and
#      desktop databases), then the .deb with apt, its dependencies from the
#      archive and nothing it only recommends;
#   2. runs tralva-util --version;
#   3. checks that the desktop entry and the MIME type are registered: the
#      default application of application/x-tralva-project, the type of a
#      .tlva file and, by its header alone, of a project without extension;
#   4. starts tralva under Xvfb, finds its window and keeps a screenshot;
#   5. purges the package and its dependencies and checks that nothing it
#      installed is left, and that the file system is as before.
# Prints a report and exits 1 if any check fails.  Needs root (chroot,
# mount) and the network; the bootstrapped system is cached as a tarball and
# the downloaded packages in build/roundtrip, so a second run is quick.
#
#   scripts/package-roundtrip.sh [--no-build] [--fresh]
#     --no-build  use the .deb already in build/package
#     --fresh     bootstrap anew instead of using the cached tarball
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

build=1 fresh=0
for argument in "$@"; do
  case $argument in
    --no-build) build=0 ;;
    --fresh) fresh=1 ;;
    *)
      sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2
      exit 64
      ;;
  esac
done
if [[ $(id -u) -ne 0 ]]; then
  echo "package-roundtrip: needs root (chroot and mount)" >&2
  exit 1
fi

suite=bookworm
mirror=http://deb.debian.org/debian
work=$source_dir/build/roundtrip
tarball=$work/$suite-minbase.tar
archives=$work/apt-archives
logs=$work/logs
chroot_dir=$work/chroot

failures=0
report() { printf '%-8s %s\n' "$1" "$2"; }
pass() { report "[ok]" "$1"; }
fail() {
  report "[FAIL]" "$1"
  failures=$((failures + 1))
}
step() { printf '\n== %s\n' "$1"; }
# Runs a command in the chroot with a clean environment.
in_chroot() {
  chroot "$chroot_dir" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    DEBIAN_FRONTEND=noninteractive "$@"
}
# The same, run with & : the background job becomes the command itself, so
# that $! is the process to end.
start_in_chroot() {
  exec chroot "$chroot_dir" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}
mounted_under() { findmnt -rn -o TARGET | grep -F "$1" || true; }
# The processes whose root is the chroot: only this script starts any there.
chroot_processes() {
  local link pid
  for link in /proc/[0-9]*/root; do
    pid=${link#/proc/}
    pid=${pid%/root}
    [[ $(readlink "$link" 2>/dev/null) == "$chroot_dir" ]] && echo "$pid"
  done
  return 0
}

started_pids=()
cleanup() {
  local pid
  for pid in "${started_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${started_pids[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  started_pids=()
  for pid in $(chroot_processes); do
    kill "$pid" 2>/dev/null || true
  done
  if [[ -d $chroot_dir/proc ]] && mountpoint -q "$chroot_dir/proc"; then
    umount "$chroot_dir/proc" || umount -l "$chroot_dir/proc"
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mkdir -p "$work" "$archives" "$logs"
rm -f "$logs"/*.log

# ---------------------------------------------------------------- package
step "Package"
if ((build)); then
  scripts/ensure-deps.sh
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  {
    cmake --preset package "${launcher[@]}" &&
      cmake --build --preset package -j "$(nproc)" &&
      rm -f build/package/*.deb &&
      cpack --preset package
  } >"$logs/build.log" 2>&1 || {
    tail -n 30 "$logs/build.log"
    fail "build and cpack (see $logs/build.log)"
    exit 1
  }
fi
shopt -s nullglob
debs=("$source_dir"/build/package/tralva_*.deb)
shopt -u nullglob
if ((${#debs[@]} != 1)); then
  fail "expected one tralva_*.deb in build/package, found ${#debs[@]}"
  exit 1
fi
deb=${debs[0]}
# The window is titled with the packaged version ("3.3-1" -> "Tralva 3.3").
version=$(dpkg-deb -f "$deb" Version)
title="Tralva ${version%-*}"
pass "built $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB)"
dpkg-deb -f "$deb" Package Version Architecture Section Maintainer Depends Recommends |
  sed 's/^/         /'

# ----------------------------------------------------------------- chroot
step "Clean Debian 12 ($suite, minbase) in $chroot_dir"
if [[ -n $(mounted_under "$chroot_dir") ]]; then
  echo "package-roundtrip: something is still mounted under $chroot_dir" >&2
  exit 1
fi
rm -rf --one-file-system "$chroot_dir"
if ((fresh)) || [[ ! -f $tarball ]]; then
  bootstrap=$work/bootstrap
  rm -rf --one-file-system "$bootstrap"
  debootstrap --variant=minbase "$suite" "$bootstrap" "$mirror" >"$logs/debootstrap.log" 2>&1 || {
    tail -n 20 "$logs/debootstrap.log"
    fail "debootstrap (see $logs/debootstrap.log)"
    exit 1
  }
  if [[ -n $(mounted_under "$bootstrap") ]]; then
    echo "package-roundtrip: debootstrap left mounts under $bootstrap" >&2
    exit 1
  fi
  tar --numeric-owner -C "$bootstrap" -cf "$tarball.partial" . && mv "$tarball.partial" "$tarball"
  rm -rf --one-file-system "$bootstrap"
  pass "debootstrap --variant=minbase $suite $mirror (cached as $(basename "$tarball"))"
else
  pass "bootstrapped system from the cache $(basename "$tarball")"
fi
mkdir -p "$chroot_dir"
tar --numeric-owner -C "$chroot_dir" -xf "$tarball"
cp /etc/resolv.conf "$chroot_dir/etc/resolv.conf"
cat >"$chroot_dir/etc/apt/sources.list" <<EOF
deb $mirror $suite main
deb $mirror $suite-updates main
deb ${mirror%/debian}/debian-security $suite-security main
EOF
# No service starts inside the chroot.
printf '#!/bin/sh\nexit 101\n' >"$chroot_dir/usr/sbin/policy-rc.d"
chmod 755 "$chroot_dir/usr/sbin/policy-rc.d"
# The packages downloaded by earlier runs; apt checks them like any other.
cp -l "$archives"/*.deb "$chroot_dir/var/cache/apt/archives/" 2>/dev/null || true
mount -t proc proc "$chroot_dir/proc"
pass "chroot ready, Debian $(cat "$chroot_dir/etc/debian_version")"

# What an engineer's desktop already has: a display, the freedesktop tools
# and the MIME and desktop databases, and for this report xwininfo and a
# screenshot.  The package must bring everything else itself.
desktop_tools=(xvfb xauth x11-utils x11-apps netpbm xdg-utils libfile-mimeinfo-perl
  shared-mime-info desktop-file-utils man-db)
if in_chroot apt-get update >"$logs/apt-update.log" 2>&1 &&
  in_chroot apt-get install -y --no-install-recommends "${desktop_tools[@]}" \
    >"$logs/desktop-tools.log" 2>&1; then
  pass "desktop tools installed: ${desktop_tools[*]}"
else
  tail -n 20 "$logs/desktop-tools.log" "$logs/apt-update.log" 2>/dev/null
  fail "apt-get could not install the desktop tools"
  exit 1
fi

# The file system before the package, apart from what changes by itself:
# the package manager's own state and logs, the home and temporary folders
# the program runs in, and man-db's index, which its trigger rebuilds for
# every manual page installed or removed.
snapshot() {
  in_chroot find / -xdev \( -path /proc -o -path /sys -o -path /dev -o -path /run \
    -o -path /tmp -o -path /root -o -path /var/cache/apt -o -path /var/lib/apt \
    -o -path /var/lib/dpkg -o -path /var/log -o -path /var/cache/debconf \
    -o -path /var/cache/man \) -prune \
    -o -print | LC_ALL=C sort
}
snapshot >"$work/before.txt"
in_chroot dpkg-query -W -f='${Package}\n' | LC_ALL=C sort >"$work/packages-before.txt"

# ---------------------------------------------------------------- install
step "Install"
cp "$deb" "$chroot_dir/tmp/"
if in_chroot apt-get install -y --no-install-recommends "/tmp/$(basename "$deb")" \
  >"$logs/install.log" 2>&1; then
  in_chroot dpkg-query -W -f='${Package}\n' | LC_ALL=C sort >"$work/packages-with.txt"
  added=$(comm -13 "$work/packages-before.txt" "$work/packages-with.txt" | grep -vx tralva | xargs)
  pass "apt-get install ./$(basename "$deb"): tralva and $(wc -w <<<"$added") dependencies from the archive"
  fold -s -w 70 <<<"$added" | sed 's/^/         /'
else
  tail -n 20 "$logs/install.log"
  fail "apt-get install of the package (see $logs/install.log)"
  exit 1
fi
cp -n "$chroot_dir"/var/cache/apt/archives/*.deb "$archives/" 2>/dev/null || true
rm -f "$archives"/tralva_*.deb
in_chroot dpkg-query -L tralva | grep -vx '/\.' | LC_ALL=C sort >"$work/tralva-files.txt"

version_out=$(in_chroot tralva-util --version 2>&1) && version_status=0 || version_status=$?
if ((version_status == 0)); then
  pass "tralva-util --version: $(head -n 1 <<<"$version_out")"
elif ((version_status == 64)); then
  # The option comes with the command-line conventions; until then the
  # installed program is proven by its usage.
  help_out=$(in_chroot tralva-util --help 2>&1) && help_status=0 || help_status=$?
  if ((help_status == 0)) && grep -q '^Uso: tralva-util' <<<"$help_out"; then
    pass "tralva-util --help: $(head -n 1 <<<"$help_out") (--version not in this build)"
  else
    fail "tralva-util --help exits $help_status"
  fi
else
  fail "tralva-util --version exits $version_status: $version_out"
fi
for path in /usr/bin/tralva /usr/bin/tralva-util /usr/share/man/man1/tralva-util.1.gz \
  /usr/share/bash-completion/completions/tralva-util /usr/share/applications/tralva.desktop \
  /usr/share/mime/packages/tralva.xml; do
  if grep -qxF "$path" "$work/tralva-files.txt" && [[ -f $chroot_dir$path ]]; then
    pass "installed $path"
  else
    fail "not installed: $path"
  fi
done
manual=$(in_chroot man -w tralva-util 2>&1 || true)
if [[ $manual == /usr/share/man/man1/tralva-util.1.gz ]]; then
  pass "man -w tralva-util: $manual"
else
  fail "man -w tralva-util: '$manual'"
fi

# ------------------------------------------------------- desktop and MIME
step "Desktop entry and MIME type"
default_app=$(in_chroot xdg-mime query default application/x-tralva-project 2>&1 || true)
if [[ $default_app == tralva.desktop ]]; then
  pass "xdg-mime query default application/x-tralva-project: $default_app"
else
  fail "xdg-mime query default application/x-tralva-project: '$default_app'"
fi
if grep -qx 'application/x-tralva-project=tralva.desktop;' \
  "$chroot_dir/usr/share/applications/mimeinfo.cache"; then
  pass "desktop database: application/x-tralva-project=tralva.desktop;"
else
  fail "the desktop database does not list tralva.desktop"
fi
comment=$(grep -o '<comment>[^<]*</comment>' \
  "$chroot_dir/usr/share/mime/application/x-tralva-project.xml" 2>/dev/null | head -n 1)
if [[ $comment == '<comment>Progetto di linea Tralva</comment>' ]]; then
  pass "MIME database: application/x-tralva-project, $comment"
else
  fail "the MIME database does not hold application/x-tralva-project"
fi
# A project as the program writes it: the merge rewrites one with its header.
mkdir -p "$chroot_dir/tmp/prova"
{
  # Any 13 lines stand for the header block, which readers skip.
  printf 'x\r\n%.0s' {1..13}
  printf '\r\n100 1 2 30\r\n0 0\r\n0 0 0 90 300 0 0 90\r\n20 20\r\n2 2\r\n1000\r\n'
} >"$chroot_dir/tmp/prova/linea.tlva"
in_chroot tralva-util unisci /tmp/prova/linea.tlva /tmp/prova/linea.tlva >/dev/null
cp "$chroot_dir/tmp/prova/linea.tlva" "$chroot_dir/tmp/prova/progetto-senza-estensione"
for file in linea.tlva progetto-senza-estensione; do
  type=$(in_chroot xdg-mime query filetype "/tmp/prova/$file" 2>&1 || true)
  if [[ $type == application/x-tralva-project ]]; then
    pass "xdg-mime query filetype $file: $type"
  else
    fail "xdg-mime query filetype $file: '$type'"
  fi
done
icon_type=$(file -b "$chroot_dir/usr/share/icons/hicolor/48x48/apps/tralva.png" 2>&1 || true)
if [[ $icon_type == "PNG image data, 48 x 48"* ]] &&
  [[ -f $chroot_dir/usr/share/icons/hicolor/scalable/apps/tralva.svg ]]; then
  pass "icon tralva in hicolor: scalable SVG and $(grep -c 'apps/tralva.png$' "$work/tralva-files.txt") PNG sizes"
else
  fail "icon: $icon_type"
fi

# ------------------------------------------------------------ under Xvfb
step "The program under Xvfb"
# A display no other X server holds: their sockets are shared with the host.
for number in $(seq 57 99); do
  grep -q "@/tmp/.X11-unix/X$number\$" /proc/net/unix || break
done
display=:$number
start_in_chroot Xvfb "$display" -screen 0 1366x768x24 -nolisten tcp >"$logs/xvfb.log" 2>&1 &
xvfb_pid=$!
started_pids+=("$xvfb_pid")
for _ in $(seq 50); do
  [[ -S $chroot_dir/tmp/.X11-unix/X$number ]] && break
  sleep 0.2
done
if [[ -S $chroot_dir/tmp/.X11-unix/X$number ]] && kill -0 "$xvfb_pid" 2>/dev/null; then
  pass "Xvfb $display running in the chroot"
else
  fail "Xvfb $display did not start: $(head -c 300 "$logs/xvfb.log")"
fi
# As a desktop session would have it.
install -d -m 700 "$chroot_dir/tmp/runtime-root"
start_in_chroot DISPLAY="$display" XDG_RUNTIME_DIR=/tmp/runtime-root tralva \
  >"$logs/tralva.log" 2>&1 &
tralva_pid=$!
started_pids+=("$tralva_pid")
window=''
for _ in $(seq 60); do
  window=$(in_chroot xwininfo -display "$display" -root -tree 2>/dev/null |
    grep -F "\"$title\"" | head -n 1 || true)
  [[ -n $window ]] && break
  kill -0 "$tralva_pid" 2>/dev/null || break
  sleep 0.5
done
if [[ -n $window ]]; then
  pass "window on the display: $(sed 's/^ *//' <<<"$window")"
  sleep 1
  if in_chroot sh -c "xwd -root -silent -display $display | xwdtopnm 2>/dev/null | pnmtopng" \
    >"$work/tralva-window.png" 2>"$logs/screenshot.log" && [[ -s $work/tralva-window.png ]]; then
    pass "screenshot kept as build/roundtrip/tralva-window.png"
  else
    fail "screenshot (see $logs/screenshot.log)"
  fi
  if kill -0 "$tralva_pid" 2>/dev/null; then
    pass "tralva still running; its messages: $(wc -l <"$logs/tralva.log") line(s) in logs/tralva.log"
  else
    fail "tralva ended by itself"
  fi
else
  fail "no \"$title\" window appeared; tralva said: $(head -c 500 "$logs/tralva.log")"
fi
for pid in "${started_pids[@]}"; do
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
done
started_pids=()
sleep 0.5
left_running=$(chroot_processes | xargs)
if [[ -z $left_running ]]; then
  pass "tralva and Xvfb ended; no process left in the chroot"
else
  fail "processes left in the chroot: $(ps -o pid=,args= -p "${left_running// /,}" | xargs)"
fi

# ------------------------------------------------------------- uninstall
step "Purge"
if in_chroot apt-get purge -y --autoremove tralva >"$logs/purge.log" 2>&1; then
  in_chroot dpkg-query -W -f='${Package}\n' | LC_ALL=C sort >"$work/packages-after.txt"
  pass "apt-get purge --autoremove tralva"
else
  tail -n 20 "$logs/purge.log"
  fail "apt-get purge (see $logs/purge.log)"
fi
status=$(in_chroot dpkg-query -W -f='${db:Status-Abbrev}' tralva 2>/dev/null || true)
if [[ -z $status || $status == un* ]]; then
  pass "dpkg knows no trace of tralva (no configuration files kept)"
else
  fail "dpkg still lists tralva as '$status'"
fi
left=()
while read -r path; do
  [[ -e $chroot_dir$path && ! -d $chroot_dir$path ]] && left+=("$path")
  # A folder may stay only if another package owns it.
  if [[ -d $chroot_dir$path ]] && ! in_chroot dpkg-query -S "$path" >/dev/null 2>&1; then
    left+=("$path/")
  fi
done <"$work/tralva-files.txt"
if ((${#left[@]} == 0)); then
  pass "none of the package's $(wc -l <"$work/tralva-files.txt") paths is left"
else
  fail "left by the package: ${left[*]}"
fi
mentions=$(grep -rlI 'tralva' "$chroot_dir/usr/share/mime" "$chroot_dir/usr/share/applications" \
  "$chroot_dir/usr/share/icons" 2>/dev/null || true)
if [[ -z $mentions ]]; then
  pass "MIME, desktop and icon databases no longer mention tralva"
else
  fail "still mention tralva: ${mentions//$chroot_dir/}"
fi
if cmp -s "$work/packages-before.txt" "$work/packages-after.txt"; then
  pass "the same $(wc -l <"$work/packages-after.txt") packages as before the install"
else
  fail "packages differ from before the install: $(diff "$work/packages-before.txt" \
    "$work/packages-after.txt" | grep '^[<>]' | xargs)"
fi
snapshot >"$work/after.txt"
new_paths=$(comm -13 "$work/before.txt" "$work/after.txt")
if [[ -z $new_paths ]]; then
  pass "the file system holds no path it did not hold before the install"
else
  fail "new paths after the purge: $(head -n 20 <<<"$new_paths" | xargs)"
fi

cleanup
trap - EXIT
step "Result"
if ((failures == 0)); then
  echo "Round trip passed: logs in build/roundtrip/logs"
else
  echo "Round trip FAILED: $failures check(s); logs in build/roundtrip/logs"
  exit 1
fi
