#!/usr/bin/env bash
# Signs a Windows executable in place with Authenticode, for the release and the installer:
#   GARAGON_SIGN_PKCS12=cert.p12 GARAGON_SIGN_PASSWORD_FILE=pass scripts/sign-windows.sh FILE
# With GARAGON_SIGN_TIMESTAMP_URL, an RFC 3161 time stamp keeps the signature valid
# beyond the certificate's life.
set -euo pipefail

file=$1
options=(-n Garagon -h sha256)
[ -z "${GARAGON_INFO_URL:-}" ] || options+=(-i "$GARAGON_INFO_URL")
[ -z "${GARAGON_SIGN_TIMESTAMP_URL:-}" ] || options+=(-ts "$GARAGON_SIGN_TIMESTAMP_URL")
osslsigncode sign -pkcs12 "$GARAGON_SIGN_PKCS12" -readpass "$GARAGON_SIGN_PASSWORD_FILE" \
    "${options[@]}" -in "$file" -out "$file.signed" >/dev/null
mv "$file.signed" "$file"
