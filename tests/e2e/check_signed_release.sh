#!/usr/bin/env bash
# Signs a release with a throwaway self-signed certificate, verifies the
# Authenticode signature, and runs one end-to-end case on the signed exe.
#   check_signed_release.sh   (from scripts/test, after the Windows build)
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/common.sh"
cd "$ROOT"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=orvalaunch test signing" \
  -addext "extendedKeyUsage=codeSigning" \
  -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
scripts/release --cert "$work/cert.pem" --key "$work/key.pem" --out "$work/dist"
(cd "$work/dist" && sha256sum --check --quiet SHA256SUMS)
"$PYTHON" -c "import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])" \
  "$work"/dist/orvalaunch-*.zip "$work/unpacked"
osslsigncode verify -in "$work/unpacked/orvalaunch.exe" -CAfile "$work/cert.pem"
"$PYTHON" tests/e2e/run_cases.py "$ROOT/build/windows" "$work/unpacked/orvalaunch.exe" \
  "four arguments"
