#!/usr/bin/env bash
# Installs with apt-get whatever the build and the tests need and is missing.
# Quiet and quick when everything is there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libhersheyfont-dev hershey-fonts-data libpng-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libx11-dev xvfb xdotool
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages: ${missing[*]}; run as root or install them with apt-get" >&2
  exit 1
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
