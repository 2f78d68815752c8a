#!/usr/bin/env bash
# Installs every Debian package the project needs, only when something is missing.
# Needs Debian 12 "bookworm" or newer: the package names below are bookworm's.
set -euo pipefail

NEEDED='Debian 12 "bookworm" or newer'
os_release=${QD_OS_RELEASE:-/etc/os-release}  # tests point this at a file of their own
if [[ ! -r $os_release ]]; then
  echo "install-deps: needs $NEEDED; $os_release is missing, so this system cannot be identified." >&2
  exit 1
fi
ID="" VERSION_ID="" PRETTY_NAME=""
# shellcheck source=/dev/null
. "$os_release"
if [[ $ID != debian ]]; then
  echo "install-deps: needs $NEEDED; this system is ${PRETTY_NAME:-${ID:-unknown}}." >&2
  echo "install-deps: install the packages listed in $0 with this system's package manager." >&2
  exit 1
fi
# Testing and unstable carry no VERSION_ID: they are newer than any release.
if [[ $VERSION_ID =~ ^[0-9]+$ ]] && ((VERSION_ID < 12)); then
  echo "install-deps: needs $NEEDED; this system is ${PRETTY_NAME:-Debian $VERSION_ID}." >&2
  exit 1
fi

PACKAGES=(
  # toolchain
  g++ cmake ninja-build ccache pkg-config
  # fuzzing (libFuzzer) and the format check
  clang libclang-rt-14-dev clang-format
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev libexpat1-dev libpcre2-dev  # peer of the mask benchmark
  libpango1.0-dev  # the peer of the text-wrapping benchmark
  librsvg2-dev  # the peer of the SVG benchmark
  libvips-dev  # the peer of the Lanczos3 resize benchmark
  # graphics
  libicu-dev
  libpixman-1-dev libcairo2-dev libfreetype-dev libfontconfig-dev
  fonts-dejavu-core fonts-dejavu-extra fonts-liberation
  # complex text: shaping, bidirectional order; fallback faces for CJK and emoji (DejaVu has Arabic and Hebrew)
  libharfbuzz-dev libfribidi-dev fonts-droid-fallback fonts-symbola
  libpng-dev libjpeg-dev libgif-dev libtiff-dev zlib1g-dev
  # video capture: the kernel's Video4Linux2 interface (linux/videodev2.h)
  linux-libc-dev
  # network and archives
  libzip-dev libcurl4-openssl-dev openssl ca-certificates
  # display
  libx11-dev libxext-dev libxtst-dev xvfb x11-utils xdotool
  libxfixes-dev  # clipboard owner changes on the desktop
  xclip  # the other program of the clipboard tests
  # test servers and tools
  python3 zip unzip curl
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "install-deps: installing ${missing[*]}"
  SUDO=""
  if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
