#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR under /usr and checks the tree: the
# program directory with the launcher and its engine libraries, the links, the
# command-line programs, the desktop files, icons, manual pages and completion; then
# runs the installed programs' help.
set -euo pipefail
build=$1
app_id=$2
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

DESTDIR="$stage" cmake --install "$build" --prefix /usr >"$stage/install.log" 2>&1 ||
  { cat "$stage/install.log" >&2; exit 1; }
root=$stage/usr
fail() { echo "install tree: $*" >&2; exit 1; }

for f in lib/kestrel/kestrel bin/kestrel-query bin/kestrel-peer bin/kestrel-demo; do
  [ -f "$root/$f" ] && [ -x "$root/$f" ] || fail "$f missing or not executable"
done
for f in lib/kestrel/sw.so lib/kestrel/hw.so; do
  [ -f "$root/$f" ] || fail "$f missing"
done
[ "$(readlink "$root/bin/kestrel")" = "../lib/kestrel/kestrel" ] || fail "bin/kestrel is not a link to ../lib/kestrel/kestrel"
[ "$(readlink "$root/lib/kestrel/kestrel-demo")" = "../../bin/kestrel-demo" ] || fail "lib/kestrel/kestrel-demo link"
[ -x "$root/lib/kestrel/kestrel-demo" ] || fail "lib/kestrel/kestrel-demo does not reach the generator"

[ -f "$root/share/applications/$app_id.desktop" ] || fail "desktop entry missing"
[ -f "$root/share/metainfo/$app_id.metainfo.xml" ] || fail "metainfo missing"
[ -f "$root/share/bash-completion/completions/kestrel-query" ] || fail "completion missing"
for page in man6/kestrel.6 man6/kestrel-demo.6 man1/kestrel-query.1 man1/kestrel-peer.1; do
  gzip -t "$root/share/man/$page.gz" 2>/dev/null || fail "share/man/$page.gz missing or damaged"
done
# Every icon is a PNG of its own size (width and height in the IHDR chunk).
for size in 16 22 24 32 48 64 128 256; do
  icon=$root/share/icons/hicolor/${size}x${size}/apps/$app_id.png
  [ -f "$icon" ] || fail "icon $size missing"
  read -r -a ihdr < <(od -An -tu1 -j16 -N8 "$icon")
  width=$(( (ihdr[0] << 24) | (ihdr[1] << 16) | (ihdr[2] << 8) | ihdr[3] ))
  height=$(( (ihdr[4] << 24) | (ihdr[5] << 16) | (ihdr[6] << 8) | ihdr[7] ))
  [ "$width" -eq "$size" ] && [ "$height" -eq "$size" ] || fail "icon $size is ${width}x${height}"
done
# The desktop entry's icon and command are what the tree installs.
grep -qx "Icon=$app_id" "$root/share/applications/$app_id.desktop" || fail "desktop entry names another icon"
grep -qx "Exec=kestrel" "$root/share/applications/$app_id.desktop" || fail "desktop entry runs another program"
# Nothing else: no test programs, benchmarks or build helpers.
unexpected=$(cd "$root" && find . -type f -o -type l | grep -v -E '^\./(lib/kestrel/(kestrel|sw\.so|hw\.so|kestrel-demo|ksds)|bin/kestrel(-query|-peer|-demo)?|share/(applications|metainfo|icons|man|bash-completion)/.*)$' || true)
[ -z "$unexpected" ] || fail "unexpected files: $unexpected"

grep -q '^usage: kestrel' <<<"$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/bin/kestrel" --help)" || fail "kestrel --help"
grep -q '^usage: kestrel-query' <<<"$("$root/bin/kestrel-query" --help)" || fail "kestrel-query --help"
"$root/bin/kestrel-peer" --help | grep 'Usage:' >/dev/null || fail "kestrel-peer --help"
echo "install tree ok"
