#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building and testing.
set -euo pipefail
need=(cmake ninja-build g++ qt6-base-dev libcurl4-openssl-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth)
missing=()
for p in "${need[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "${missing[@]}"
fi
