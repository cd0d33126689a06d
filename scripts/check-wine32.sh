#!/usr/bin/env bash
# Checks once that this machine runs 32-bit Windows programs: the 32-bit Wine loader starts the
# 32-bit cmd.exe in the tests' prefix. Exit status 0 when it does; otherwise says why.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# The 32-bit loader itself is checked, whatever build a developer has the other scripts run.
unset LOADERGUI_WINDOWS_ARCH
source "$root/scripts/wine-common.sh"

if [[ ! -x "$WINE32" ]]; then
  echo "check-wine32: $WINE32 is missing (Debian's wine32:i386 package)"
  exit 1
fi
wine_env "$root"
start_private_display || exit 1
ensure_wine_prefix N
answer=$(timeout 120 "$WINE32" cmd /c echo 32-bit-ok 2>&1 | tr -d '\r')
if ! grep -qx "32-bit-ok" <<<"$answer"; then
  echo "check-wine32: the 32-bit Wine did not run cmd.exe; it said:"
  echo "$answer" | head -5
  exit 1
fi
echo "check-wine32: this machine runs 32-bit Windows programs"
