#!/bin/bash
# Builds the Win32 printer windows for 64-bit Windows and runs their checks
# under wine64 on a virtual X server.
#   tests/dialogos/ventanas_win32.sh
set -euo pipefail
raiz=$(cd "$(dirname "$0")/../.." && pwd)
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
export PATH=$PATH:/usr/lib/wine  # wineserver
trabajo=$(mktemp -d)
trap 'WINEPREFIX=$trabajo/prefijo wineserver -k 2>/dev/null || true; rm -rf "$trabajo"' EXIT
x86_64-w64-mingw32-g++ -std=c++20 -O1 -Wall -Wextra -I"$raiz" -static \
  "$raiz/tests/dialogos/ventanas_win32_prueba.cpp" "$raiz/common/win32/ventanas_win32.cpp" \
  -o "$trabajo/prueba.exe"
export WINEPREFIX=$trabajo/prefijo WINEDEBUG=-all
xvfb-run -a -s "-screen 0 1024x768x24" "$wine" "$trabajo/prueba.exe"
