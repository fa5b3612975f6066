#!/usr/bin/env bash
# Installs what building and testing need on Debian 12. Idempotent: when
# everything is there it only checks, which takes a moment.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-tools-dev libqt6svg6-dev libgl-dev
  libhidapi-dev libudev-dev libcjson-dev zlib1g-dev libzip-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-wqy-microhei
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  if [[ $(id -u) -ne 0 ]]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Run this as root (or install them with apt-get)." >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
