#!/usr/bin/env bash
# A vendor's build. Bad branding stops the build with a message that names
# the fault; good branding (the icon taken from the sample ORVA.EXE, strings
# of its own) passes the exe checks with its own strings, builds
# reproducibly, and runs an end-to-end case.
#   check_branding.sh   (from scripts/test, after the Windows build)
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/common.sh"
cd "$ROOT"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sample_orva=build/windows/tests/e2e/companion.exe
printf 'not an icon' > "$work/text.ico"

# MESSAGE OPTIONS...: scripts/build must stop and say MESSAGE.
expect_refusal() {
  local message=$1
  shift
  if scripts/build --out "$work/refused" "$@" >"$work/log" 2>&1; then
    echo "FAILED  built with ${*@Q}"
    exit 1
  fi
  if ! grep -qF -- "$message" "$work/log"; then
    echo "FAILED  ${*@Q} did not say: $message"
    cat "$work/log"
    exit 1
  fi
  echo "ok      refused ${*@Q}: $message"
}
expect_refusal "no such file" --icon "$work/missing.ico"
expect_refusal "cannot be read" --icon "$work"
expect_refusal "not an .ico file" --icon "$work/text.ico"
expect_refusal "the program has no icon" --icon-from dist/orvalaunch.exe
expect_refusal "not a Windows program" --icon-from "$work/text.ico"
expect_refusal "not both" --icon "$work/text.ico" --icon-from "$sample_orva"
expect_refusal "control character U+000A" --company $'Orva\nK.K.'
expect_refusal "not UTF-8 text" --product $'Orva \xff'
expect_refusal "is not a file name" --original-filename 'bin/orva.exe'
expect_refusal "needs a value" --company
expect_refusal "usage: scripts/build" --colour red

scripts/build --out "$work/branded" --icon-from "$sample_orva" \
  --company "株式会社オルヴァ" --product "ORVA ランチャー" \
  --description 'Starts "ORVA" from C:\Orva' --copyright "© 2026 Orva K.K.; all rights reserved" \
  --product-version "2026.1 (build 7)" --original-filename "orva-start.exe"
ctest --test-dir build/windows-branded -R "exe_traits|reproducible_build" --output-on-failure
"$PYTHON" tests/e2e/run_cases.py "$ROOT/build/windows" "$work/branded/orvalaunch.exe" \
  "four arguments"
