#!/usr/bin/env bash
# Builds Lumetra and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec build/bin/lumetra "$@"
