#!/usr/bin/env bash
# Builds the Debian package with cpack, checks its control fields (library
# dependencies computed by dpkg-shlibdeps) and its file list, unpacks it with
# dpkg-deb -x and runs the unpacked programs' help.
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "deb: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$out"/kestrel_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { cat "$out/cpack.log" >&2; fail "no package written"; }

# grep reads here-strings, not pipes: with pipefail, a grep -q that stops at its first
# match would fail the pipeline whenever echo is still writing (SIGPIPE).
control=$(dpkg-deb -f "$deb")
grep -q '^Package: kestrel$' <<<"$control" || fail "package name"
grep -q '^Section: games$' <<<"$control" || fail "section"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6network6 libc6 libstdc++6 fonts-dejavu-core; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

contents=$(dpkg-deb -c "$deb")
for f in ./usr/lib/kestrel/kestrel ./usr/lib/kestrel/sw.so ./usr/lib/kestrel/hw.so ./usr/bin/kestrel-query \
  ./usr/share/applications/io.github.kestrel_launcher.Kestrel.desktop ./usr/share/man/man6/kestrel.6.gz; do
  grep -q " $f\( \|$\)" <<<"$contents" || fail "$f not in the package"
done

dpkg-deb -x "$deb" "$out/root"
root=$out/root/usr
grep -q '^usage: kestrel-query' <<<"$("$root/bin/kestrel-query" --help)" || fail "unpacked kestrel-query --help"
grep -q '^usage: kestrel' <<<"$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/bin/kestrel" --help)" || fail "unpacked kestrel --help"
# The package holds stripped programs.
if command -v file >/dev/null; then
  file -L "$root/lib/kestrel/kestrel" | grep -q 'stripped' && ! file -L "$root/lib/kestrel/kestrel" | grep -q 'not stripped' ||
    fail "kestrel is not stripped"
fi
echo "deb ok: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB"
