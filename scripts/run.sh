#!/usr/bin/env bash
# Installs what is needed, builds, starts the module emulator on 127.0.0.1:10001
# (unless something already listens there) and then Kestrova.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$root/build"

emulator_pid=""
if ! (exec 3<>/dev/tcp/127.0.0.1/10001) 2>/dev/null; then
  # Readings in the form the chart reads under the user's locale (21,5 in cs_CZ).
  number_form=()
  if [ "$("$root/build/src/kestrova" --decimal-separator)" = "," ]; then
    number_form=(--decimal-comma)
  fi
  "$root/build/tools/emulator/kestrova-emulator" --listen 127.0.0.1 --port 10001 "${number_form[@]}" "$@" &
  emulator_pid=$!
  trap '[ -n "$emulator_pid" ] && kill "$emulator_pid" 2>/dev/null || true' EXIT
  sleep 0.3
fi
"$root/build/src/kestrova"
