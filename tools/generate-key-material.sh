#!/usr/bin/env bash
# SPDX-License-Identifier: LGPL-2.1-or-later
# Makes the built-in key material with the openssl command and writes it, scrambled,
# where the library build picks it up:
#
#   src/net/http/keymaterial_localhost.inc    the LOCALHOST set, trusted by the test peers
#   src/net/http/keymaterial_placeholder.inc  the PRODUCTION placeholder, used when no
#                                             PEM files are given to CMake
#   tests/support/http/localhost-ca.{pem,key} the LOCALHOST authority in the clear: the
#                                             test fixtures sign server certificates and
#                                             revocation lists with it
#
# Each set: an authority (EC P-256), a client certificate it issued and the client's
# RSA key. The RSA key has 4096 bits, so its PEM text is larger than the 2048 bytes
# an older unscrambling buffer held. Validity runs from 2000 to 2100, so that a
# machine whose clock is behind the one that made the material still accepts it.
#
# Run from anywhere; commit what it writes. Running it again replaces every set
# (certificates the tests made earlier then no longer verify).
set -euo pipefail
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

validity=(-startdate 20000101000000Z -enddate 21000101000000Z)
cat > "$tmp/ca.cnf" <<'EOF'
[req]
distinguished_name = dn
[dn]
[ca]
default_ca = set
[set]
database = $ENV::SETDIR/index.txt
serial = $ENV::SETDIR/serial
new_certs_dir = $ENV::SETDIR
default_md = sha256
policy = any
unique_subject = no
[any]
organizationName = supplied
commonName = supplied
[authority]
basicConstraints = critical, CA:TRUE
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash
[client]
basicConstraints = critical, CA:FALSE
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = clientAuth
authorityKeyIdentifier = keyid
EOF

make_set() {
  local name=$2
  export SETDIR=$tmp/$1
  mkdir -p "$SETDIR"
  touch "$SETDIR/index.txt"
  openssl rand -hex 8 > "$SETDIR/serial"
  openssl req -new -config "$tmp/ca.cnf" -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 \
    -nodes -keyout "$SETDIR/ca.key" -out "$SETDIR/ca.csr" \
    -subj "/O=Zentrix/CN=Zentrix $name Authority" 2>/dev/null
  openssl ca -batch -config "$tmp/ca.cnf" -selfsign -keyfile "$SETDIR/ca.key" \
    -in "$SETDIR/ca.csr" -extensions authority "${validity[@]}" -notext \
    -out "$SETDIR/ca.pem" 2>/dev/null
  openssl req -new -config "$tmp/ca.cnf" -newkey rsa:4096 -nodes -keyout "$SETDIR/client.key" \
    -out "$SETDIR/client.csr" -subj "/O=Zentrix/CN=Zentrix Player $name Client" 2>/dev/null
  openssl ca -batch -config "$tmp/ca.cnf" -cert "$SETDIR/ca.pem" -keyfile "$SETDIR/ca.key" \
    -in "$SETDIR/client.csr" -extensions client "${validity[@]}" -notext \
    -out "$SETDIR/client.pem" 2>/dev/null
}

write_set() {
  local set=$1 dir=$tmp/$2 output=$3
  cmake -DSET="$set" -DCA="$dir/ca.pem" -DCLIENT_CERT="$dir/client.pem" \
    -DCLIENT_KEY="$dir/client.key" -DOUTPUT="$output" -P cmake/MavKeyMaterial.cmake
}

make_set LOCALHOST "Localhost Test"
make_set PLACEHOLDER "Placeholder (trusted by no server)"
write_set LOCALHOST LOCALHOST src/net/http/keymaterial_localhost.inc
write_set PRODUCTION PLACEHOLDER src/net/http/keymaterial_placeholder.inc
mkdir -p tests/support/http
cp "$tmp/LOCALHOST/ca.pem" tests/support/http/localhost-ca.pem
cp "$tmp/LOCALHOST/ca.key" tests/support/http/localhost-ca.key
echo "generate-key-material: wrote the LOCALHOST set and the PRODUCTION placeholder"
