#!/usr/bin/env bash
# Signs a release with a throwaway self-signed certificate, timestamped by a
# time-stamping authority of its own on 127.0.0.1; verifies the checksums,
# the Authenticode signature and its timestamp, that both READMEs are in the
# archive, and runs one end-to-end case on the signed exe.
#   check_signed_release.sh   (from scripts/test, after the Windows build)
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/common.sh"
cd "$ROOT"
work=$(mktemp -d)
tsa_pid=
trap '[ -z "$tsa_pid" ] || kill "$tsa_pid" 2>/dev/null; rm -rf "$work"' EXIT

openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=orvalaunch test signing" \
  -addext "extendedKeyUsage=codeSigning" \
  -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=orvalaunch test time stamps" \
  -addext "extendedKeyUsage=critical,timeStamping" \
  -keyout "$work/tsa.key" -out "$work/tsa.pem" 2>/dev/null
cat > "$work/tsa.cnf" <<CNF
[ tsa ]
default_tsa = tsa_config
[ tsa_config ]
serial = $work/tsa.serial
signer_cert = $work/tsa.pem
certs = $work/tsa.pem
signer_key = $work/tsa.key
signer_digest = sha256
default_policy = 1.2.3.4.1
digests = sha1, sha256, sha384, sha512
accuracy = secs:1
ess_cert_id_alg = sha256
CNF
echo 01 > "$work/tsa.serial"

# The authority answers on a port of its own and ends by itself.
"$PYTHON" tests/e2e/tsa_server.py "$work/tsa.cnf" 5 120 > "$work/tsa.url" &
tsa_pid=$!
for _ in $(seq 50); do [ -s "$work/tsa.url" ] && break; sleep 0.1; done
ORVALAUNCH_TIMESTAMP_URL=$(cat "$work/tsa.url") \
  scripts/release --cert "$work/cert.pem" --key "$work/key.pem" --out "$work/dist"

(cd "$work/dist" && sha256sum --check --quiet SHA256SUMS)
"$PYTHON" -c "import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])" \
  "$work"/dist/orvalaunch-*.zip "$work/unpacked"
ls "$work/unpacked"/README.md "$work/unpacked"/README.ja.md >/dev/null
osslsigncode verify -in "$work/unpacked/orvalaunch.exe" -CAfile "$work/cert.pem" \
  -TSA-CAfile "$work/tsa.pem" | tee "$work/verify.txt"
grep -q "Timestamp Server Signature verification: ok" "$work/verify.txt" || {
  echo "FAILED  the signature carries no verified timestamp"
  exit 1
}
"$PYTHON" tests/e2e/run_cases.py "$ROOT/build/windows" "$work/unpacked/orvalaunch.exe" \
  "four arguments"
