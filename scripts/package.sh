#!/usr/bin/env bash
# Makes the Debian package build/lumetra_<version>_amd64.deb: the programs built for
# an install under /usr, packed by CPack, then checked by lintian where it is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build -j "$(nproc)" --target lumetra lumetra-cli lumetra_manual_pages
(cd build && cpack -G DEB)
if command -v lintian >/dev/null; then
  lintian --fail-on error build/lumetra_*.deb
fi
