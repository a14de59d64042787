#!/bin/bash
# Builds both driver libraries and the command-line host, then loads each
# library as a host does and shows its exported variables: first as they
# are at load, then after an order sent with no printer set up.
#   tools/demo.sh [BUILD_DIR]     (default: build)
set -euo pipefail

raiz=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$raiz/build}

# A parameter folder of its own, so nothing of the user's is read or written.
perfil=$(mktemp -d)
trap 'rm -rf "$perfil"' EXIT

# The build speaks only when it fails.
if ! { cmake -S "$raiz" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
       cmake --build "$dir" --target drvepson drvhasar fiscalhost -- -j2; } >"$perfil/log" 2>&1
then
  cat "$perfil/log"
  exit 1
fi
export XDG_CONFIG_HOME=$perfil

for biblioteca in drvepson drvhasar; do
  echo "=== $biblioteca: variables al cargar"
  "$dir/tools/host/fiscalhost" --lib "$dir/$biblioteca.so"
  echo
  echo "=== $biblioteca: orden 200 sin parametros grabados"
  "$dir/tools/host/fiscalhost" --lib "$dir/$biblioteca.so" 200 2>&1
  echo
done
