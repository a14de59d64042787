#!/bin/bash
# Smoke test of the Win32 code path under wine64: builds the 64-bit DLLs
# and fiscalhost.exe from the same sources, then runs an order against a
# COM port that maps to nothing and expects the port error in LP_Error and
# LP_ErrorMensaje. Needs wine64 and g++-mingw-w64-x86-64 (not installed by
# tools/instalar.sh; 32-bit programs cannot run on this kind of machine).
#   tools/ci/probar_wine64.sh [BUILD_DIR]     (default: build-win64)
set -euo pipefail

raiz=$(cd "$(dirname "$0")/../.." && pwd)
dir=${1:-$raiz/build-win64}
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver64 || echo /usr/lib/wine/wineserver64)

if [[ ! -f $dir/CMakeCache.txt ]]; then
  cmake -S "$raiz" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$raiz/cmake/mingw-i686.cmake" \
    -DMINGW_PREFIJO=x86_64-w64-mingw32 -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$dir" --target drvepson drvhasar fiscalhost -- -j2 >/dev/null

prefijo=$(mktemp -d)
trap 'WINEPREFIX=$prefijo "$wineserver" -k 2>/dev/null || true; rm -rf "$prefijo"' EXIT
export WINEPREFIX=$prefijo WINEDEBUG=-all
unset DISPLAY WAYLAND_DISPLAY
# COM1 is the machine's console under Wine; COM5 maps to nothing.
printf '[Impresora Fiscal]\r\nGrabacion=11/12/26 10:00:00\r\nLP_ImpresoraPuerto=5\r\n' \
  >"$prefijo/param.ini"

fallas=0
for biblioteca in drvepson drvhasar; do
  salida=$("$wine" "$dir/tools/host/fiscalhost.exe" --lib "Z:${dir//\//\\}\\$biblioteca.dll" \
             --parametros "Z:${prefijo//\//\\}\\param.ini" 200 2>&1 | tr -d '\r')
  if grep -q '^LP_Error  *1$' <<<"$salida" &&
     grep -q '^LP_ErrorMensaje  *".*COM5.*|Codigo=2"$' <<<"$salida"; then
    echo "wine64 $biblioteca: ok"
  else
    echo "wine64 $biblioteca: FALLA"
    echo "$salida"
    fallas=$((fallas + 1))
  fi
done
exit $((fallas > 0))
