#!/usr/bin/env bash
# Sets up what is missing, then runs every test: native first, then the Windows build under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/test-native.sh"
"$root/scripts/test-wine.sh"
