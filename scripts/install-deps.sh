#!/usr/bin/env bash
# Installs everything the build, the tests and the demonstration run need, from Debian's packages.
# Idempotent: when every package is already there it prints nothing and touches nothing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang
  libx11-dev libxext-dev libxcursor-dev libxtst-dev libjpeg62-turbo-dev libpng-dev
  libcairo2-dev libpango1.0-dev libtomlplusplus-dev
  fonts-noto-cjk
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb openbox xdotool x11-utils wmctrl imagemagick strace
  desktop-file-utils appstream dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing ${missing[*]}; run this script as root" >&2
  exit 1
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
