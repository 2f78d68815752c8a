#!/usr/bin/env bash
# Installs every Debian package the project needs, only when something is missing.
set -euo pipefail

PACKAGES=(
  # toolchain
  g++ cmake ninja-build ccache pkg-config
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev libexpat1-dev libpcre2-dev
  # graphics
  libicu-dev
  libpixman-1-dev libcairo2-dev libfreetype-dev libfontconfig-dev
  fonts-dejavu-core fonts-dejavu-extra fonts-liberation
  libpng-dev libjpeg-dev libgif-dev libtiff-dev zlib1g-dev
  # network and archives
  libzip-dev libcurl4-openssl-dev openssl ca-certificates
  # display
  libx11-dev libxext-dev libxtst-dev xvfb x11-utils xdotool
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
