#!/bin/bash
# Builds everything natively and runs every test, then the Windows cross
# build and the check of its export table. The last line is ctest's
# summary.
#   tools/probar.sh [BUILD_DIR]     (default: build)
set -euo pipefail

raiz=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$raiz/build}
trabajos=${TRABAJOS:-2}

cmake -S "$raiz" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$dir" -- -j"$trabajos"

# The Windows DLLs and their export table.
"$raiz/tools/ci/verificar_dll.sh" "$raiz/build-win"

# ctest last; its summary line is repeated at the very end, after the list
# of failed tests that ctest prints below it.
cd "$dir"
estado=0
ctest --output-on-failure -j"$trabajos" --timeout 600 2>&1 | tee ctest.log || estado=$?
grep -E '^[0-9]+% tests passed' ctest.log | tail -n 1
exit "$estado"
