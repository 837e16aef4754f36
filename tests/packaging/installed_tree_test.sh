#!/usr/bin/env bash
# Installs the build into a scratch prefix, moves the prefix elsewhere, and checks what
# a desktop and a shell rely on: every file in its place, the desktop entry and the
# AppStream metadata valid, one version everywhere, no path of the build folder left in
# the programs, and the bash completion offering effect names and options.
set -euo pipefail
build=$(cd "$1" && pwd)
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$scratch/first" >/dev/null
mv "$scratch/first" "$scratch/moved"
p=$scratch/moved

for f in bin/lumetra bin/lumetra-cli \
         share/lumetra/help/index.html share/lumetra/help/images/lumetra.png share/lumetra/Samples/chelsea.png \
         share/applications/org.veltrup.lumetra.desktop share/metainfo/org.veltrup.lumetra.metainfo.xml \
         share/icons/hicolor/48x48/apps/lumetra.png share/icons/hicolor/64x64/apps/lumetra.png \
         share/icons/hicolor/128x128/apps/lumetra.png share/icons/hicolor/256x256/apps/lumetra.png \
         share/icons/hicolor/scalable/apps/lumetra.svg \
         share/man/man1/lumetra.1.gz share/man/man1/lumetra-cli.1.gz \
         share/bash-completion/completions/lumetra-cli share/doc/lumetra/copyright; do
  [ -s "$p/$f" ] || fail "$f is not installed"
done

desktop-file-validate "$p/share/applications/org.veltrup.lumetra.desktop" || fail "desktop entry"
appstreamcli validate --no-net --pedantic "$p/share/metainfo/org.veltrup.lumetra.metainfo.xml" >/dev/null ||
  fail "AppStream metadata: $(appstreamcli validate --no-net "$p/share/metainfo/org.veltrup.lumetra.metainfo.xml")"

[ "$("$p/bin/lumetra-cli" --version)" = "lumetra-cli $version" ] || fail "lumetra-cli --version"
grep -q "<release version=\"$version\"" "$p/share/metainfo/org.veltrup.lumetra.metainfo.xml" || fail "metainfo release"
zcat "$p/share/man/man1/lumetra-cli.1.gz" | grep -q "Lumetra $version" || fail "manual page version"
grep -q "Lumetra ${version%.*} is free" "$p/share/lumetra/help/index.html" || fail "help page version"

for program in lumetra lumetra-cli; do
  ! readelf -d "$p/bin/$program" | grep -q "RPATH\|RUNPATH" || fail "$program keeps a library path"
done
! grep -rlF "$build" "$p/share" || fail "a file under share names the build folder"

# The completion, as bash-completion runs it on Tab.
completions=$(PATH="$p/bin:$PATH" bash -c '
  source /usr/share/bash-completion/bash_completion
  source "$1/share/bash-completion/completions/lumetra-cli"
  complete_line() {
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}; COMPREPLY=()
    _lumetra_cli lumetra-cli "${COMP_WORDS[-1]}" "${COMP_WORDS[-2]}"
    echo "${COMPREPLY[*]}"
  }
  complete_line lumetra-cli ba
  complete_line lumetra-cli render a.png b.png --effect "sepia\ +"
  complete_line lumetra-cli batch a.png --format t
  complete_line lumetra-cli batch a.png --jo
' _ "$p")
[ "$completions" = $'batch\nSepia\\ +\\ Dot\ntif\n--jobs' ] || fail "bash completion gave: $completions"
echo "installed tree complete"
