#!/usr/bin/env bash
# Renders every manual page in the folder with man, as a reader would see it at 80
# columns, and fails on any warning groff gives (unknown macros, bad escapes, lines
# that do not fit).
set -euo pipefail
folder=$1
count=0
for page in "$folder"/*.[0-9]; do
  warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  if [ -n "$warnings" ]; then
    echo "$page:" >&2
    echo "$warnings" >&2
    exit 1
  fi
  # The rendered page starts with its own name and section.
  name=$(basename "$page")
  header=$(MANWIDTH=80 man -l "$page" 2>/dev/null | head -n 1)
  upper=$(echo "${name%.*}(${name##*.})" | tr '[:lower:]' '[:upper:]')
  case $header in
    "$upper"*) ;;
    *) echo "$page: header is '$header'" >&2; exit 1 ;;
  esac
  count=$((count + 1))
done
[ "$count" -ge 4 ] || { echo "only $count pages in $folder" >&2; exit 1; }
echo "$count pages render without warnings"
