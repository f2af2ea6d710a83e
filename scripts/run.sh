#!/usr/bin/env bash
# Installs what is missing, builds Garagon and starts it beside its demo catalogue.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default
cmake --build --preset default
exec build/default/bin/garagon "$@"
