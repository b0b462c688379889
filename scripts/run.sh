#!/usr/bin/env bash
# Installs what is missing, builds and starts the configurator.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default
cmake --build --preset default --target Dravian dravian-cli language_files
exec ./build/bin/Dravian "$@"
