#!/usr/bin/env bash
# Installs what building, running, testing and every documented script of
# Tralva need on Debian 12: with apt-get when run as root, otherwise it
# prints the one command to run.  With --cluster also Slurm and munge, for
# scripts/slurm-check.sh (the packages' own files in /etc are theirs).
set -euo pipefail

packages=(
  # build, desktop program, tests, benchmarks
  g++ cmake ninja-build
  qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev qt6-translations-l10n
  libgtest-dev libbenchmark-dev
  # the nearest spot heights of the terrain: nanoflann's k-d tree
  libnanoflann-dev
  # the field map: GIS files through GDAL, pictures and PDF through Cairo
  libgdal-dev libcairo2-dev
  # the benchmarks' independent peers (gdal_grid, gdal_translate,
  # gdal_contour) and the map's checks (gdalinfo, pdftotext, pdfinfo)
  gdal-bin poppler-utils
  fonts-dejavu-core locales
  # the style check of the test command
  clang-format
  # the fuzz preset: clang with libFuzzer
  clang libclang-rt-14-dev
  # a real display for the screen checks: Xvfb, a window manager, the
  # accessibility bus and the client that reads it, the X client that pings
  # the window
  xvfb xauth openbox dbus dbus-x11 at-spi2-core python3 python3-dbus python3-xlib
  # the installed tree's checks: desktop entry, MIME database, manual page,
  # icons, shell completion
  desktop-file-utils shared-mime-info libxml2-utils man-db groff-base file bash-completion
  # the Debian package (dpkg-shlibdeps) and its round trip in a chroot
  dpkg-dev debootstrap
)

if [[ ${1:-} == --cluster ]]; then
  packages+=(slurmctld slurmd slurm-client munge)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

if [[ $(id -u) -eq 0 ]]; then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
else
  echo "Missing packages. Run this once, then try again:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
