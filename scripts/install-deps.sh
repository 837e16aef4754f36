#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running, testing, fuzzing,
# benchmarking and packaging Lumetra need. Only missing packages are installed; as a
# non-root user it goes through sudo, and says what to install by hand when there is none.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins libgl-dev
  qt6-tools-dev qt6-l10n-tools
  libgif-dev libimagequant-dev libjpeg-dev libturbojpeg0-dev libdeflate-dev libomp-dev libheif-dev libjxl-dev
  libexiv2-dev
  # tests and benchmarks (bench/run_whole.sh measures with /usr/bin/time; the installed
  # tree's test validates the desktop entry and metadata and runs the bash completion;
  # the translation test checks Qt's own German and French buttons; lcms2 checks the
  # colour conversions; libavif writes the AVIF image sequences)
  libgtest-dev libgmock-dev libbenchmark-dev time desktop-file-utils appstream bash-completion
  qt6-translations-l10n liblcms2-dev libavif-dev
  # sanitizer and fuzz builds (clang's OpenMP runtime, from libomp-dev, for ThreadSanitizer)
  clang libclang-rt-14-dev
  # the Debian package (scripts/package.sh: CPack finds the libraries with file and dpkg-shlibdeps)
  dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "These Debian packages are missing and there is no sudo to install them:" >&2
    echo "  ${missing[*]}" >&2
    echo "Install them as root with:" >&2
    echo "  apt-get install ${missing[*]}" >&2
    exit 1
  fi
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -q
# env passes DEBIAN_FRONTEND on through sudo, which would otherwise drop it.
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -q --no-install-recommends "${missing[@]}"
