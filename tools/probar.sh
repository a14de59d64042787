#!/bin/bash
# Builds everything natively, the Windows cross build and the check of its
# export table; runs every test again under the address and
# undefined-behaviour sanitizers, and the fuzz targets for a short while;
# then every test of the native build. The last line is ctest's summary.
#   tools/probar.sh [BUILD_DIR]     (default: build)
set -euo pipefail

raiz=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$raiz/build}
trabajos=${TRABAJOS:-2}

cmake -S "$raiz" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$dir" -- -j"$trabajos"

# The Windows DLLs and their export table.
"$raiz/tools/ci/verificar_dll.sh" "$raiz/build-win"

# The same tests with the sanitizers; only their summary unless one fails.
saneado=$raiz/build-saneado
cmake -S "$raiz" -B "$saneado" -DCMAKE_BUILD_TYPE=Debug -DDRVFISCAL_SANEAR=ON >/dev/null
cmake --build "$saneado" -- -j"$trabajos" >/dev/null
estado=0
LSAN_OPTIONS=suppressions=$raiz/tests/lsan.supp:print_suppressions=0 \
ctest --test-dir "$saneado" --output-on-failure -j"$trabajos" --timeout 600 \
  >"$saneado/ctest.log" 2>&1 || estado=$?
if ((estado != 0)); then
  cat "$saneado/ctest.log"
  echo "probar: fallan pruebas con los sanitizadores"
  exit "$estado"
fi
echo "con sanitizadores: $(grep -E '^[0-9]+% tests passed' "$saneado/ctest.log")"

# The fuzz targets (clang's libFuzzer), a short while each.
fuzz=$raiz/build-fuzz
CC=clang CXX=clang++ cmake -S "$raiz" -B "$fuzz" -DDRVFISCAL_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$fuzz" --target fuzz_respuesta_epson fuzz_respuesta_hasar fuzz_perfil \
  -- -j"$trabajos" >/dev/null
ctest --test-dir "$fuzz" -R '^fuzz\.' --output-on-failure -j"$trabajos"

# ctest last; its summary line is repeated at the very end, after the list
# of failed tests that ctest prints below it.
cd "$dir"
estado=0
ctest --output-on-failure -j"$trabajos" --timeout 600 2>&1 | tee ctest.log || estado=$?
grep -E '^[0-9]+% tests passed' ctest.log | tail -n 1
exit "$estado"
