#!/usr/bin/env bash
# Loads the bash completion of kestrel-query and completes a few command lines.
set -euo pipefail
# shellcheck source=/dev/null
source "$1"

complete_words() {
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _kestrel_query
  echo "${COMPREPLY[*]}"
}

expect() {
  local want=$1
  shift
  local got
  got=$(complete_words "$@")
  if [ "$got" != "$want" ]; then
    echo "completing '$*': got '$got', want '$want'" >&2
    exit 1
  fi
}

expect "rules refresh rooms" kestrel-query r
expect "info players rules master refresh lan directory rooms mods install --help" kestrel-query ""
expect "--modmaster --home" kestrel-query install fun -
expect "--master --maxsockets --map --max-ping" kestrel-query refresh --m
expect "--format --json --timeout --retries" kestrel-query info 127.0.0.1:27015 -
expect "--port-base" kestrel-query lan --port
expect "" kestrel-query refresh --timeout ""
expect "--pylon --path" kestrel-query directory --p
complete -p kestrel-query >/dev/null
echo "completion ok"
