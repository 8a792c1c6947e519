#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: the suite, a short
# run of each fuzz target (KESTROVA_FUZZ_SECONDS each, default 20), and the
# same suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
KESTROVA_FUZZ=1 "$root/scripts/deps.sh"

"$root/scripts/build.sh" "$root/build"
(cd "$root/build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 300)

"$root/scripts/fuzz.sh" "${KESTROVA_FUZZ_SECONDS:-20}"
"$root/scripts/sanitize.sh"
